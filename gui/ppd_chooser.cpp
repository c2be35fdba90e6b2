// The PPD model chooser (see ppd_chooser.h).
#include "ppd_chooser.h"

#include <Xm/DialogS.h>
#include <Xm/Form.h>
#include <Xm/Label.h>
#include <Xm/List.h>
#include <Xm/PushB.h>
#include <unistd.h>

#include <cstdio>
#include <vector>

#include "callback_guard.h"
#include "colour_scheme.h"
#include "dialog_shells.h"
#include "list_helpers.h"
#include "main_window.h"
#include "model_page.h"
#include "page_navigation.h"
#include "page_widgets.h"
#include "ppd_search.h"
#include "ppd_session.h"
#include "screen_values.h"
#include "setup_state.h"
#include "trace.h"
#include "xm_strings.h"

namespace {

struct ChooserWidgets {
  Widget shell = nullptr, form = nullptr, title = nullptr, list = nullptr;
};

ChooserWidgets& chooser() {
  static ChooserWidgets widgets;
  return widgets;
}

const char* shellTitle(int type) {
  return type == kTypePcl ? "Search PCL Printer Model" : type == kTypePclXl ? "Search PXL  Printer Model"
                                                                             : "Search PS Printer Model";
}

const char* listTitle(int type) {
  return type == kTypePcl ? "Select PCL Printer Model:" : type == kTypePclXl ? "Select PXL Printer Model:"
                                                                              : "Select PS Printer Model:";
}

const char* typeName(int type) { return type == kTypePcl ? "PCL" : type == kTypePclXl ? "PXL" : "PS"; }

// The list position (1-based) of the row picked last; 0 for none.
int pickedRow = 0;

std::string baseNameOf(const std::string& path) { return path.substr(path.find_last_of('/') + 1); }

// The rows as the list shows them: a model name that repeats carries the
// PPD's language ("Velta C400 PS (German)"), and where name and language
// both repeat, the file's name, so that every row can be told apart.
std::vector<std::string> rowLabels(const std::vector<PpdRow>& rows) {
  std::vector<std::string> languages, labels;
  for (const PpdRow& row : rows) languages.push_back(getPpdLanguage(row.path));
  auto count = [&rows, &languages](size_t i, bool withLanguage) {
    size_t n = 0;
    for (size_t j = 0; j < rows.size(); ++j) {
      n += rows[j].modelName == rows[i].modelName && (!withLanguage || languages[j] == languages[i]);
    }
    return n;
  };
  for (size_t i = 0; i < rows.size(); ++i) {
    std::string label = rows[i].modelName;
    if (count(i, false) > 1) {
      bool languageTells = !languages[i].empty() && count(i, true) == 1;
      label += " (" + (languageTells ? languages[i] : baseNameOf(rows[i].path)) + ")";
    }
    labels.push_back(label);
  }
  return labels;
}

// The list's title when it is empty: where the PPD files were looked for.
std::string emptyListTitle(int listed) {
  std::string type = typeName(setup().printerType);
  if (listed < 0 || ppdSearchDir().empty())
    return "No PPD directory found: no Velta or bry\nfolder in the CUPS model directory\nnor in /usr/share/ppd and the like.";
  return "No " + type + " printer model (*-" + type + "-*.ppd) in:\n" + ppdSearchDir();
}

void addChooserButton(Widget form, const char* name, const char* text, int image, int armImage,
                      XtCallbackProc callback, const char* captionName, const char* caption, int position) {
  Widget button = makeImageButton(form, name, text, image, armImage, callback, placeBottom(position, 30));
  makeTextLabel(xmLabelWidgetClass, form, captionName, caption, placeBottom(position, 8));
  if (callback == ppdFileBoxOkCB) XtVaSetValues(form, XmNdefaultButton, button, nullptr);
}

void cancelCB(Widget w, XtPointer, XtPointer) { runGuarded(w, [] { popdownDialog(chooser().form); }); }

void helpCB(Widget, XtPointer, XtPointer) { std::fputs("Help\n", stderr); }

}  // namespace

std::string& ppdChooserSelection() {
  static std::string selection;
  return selection;
}

Widget createPpdFileBox() {
  ChooserWidgets& c = chooser();
  if (c.shell) return c.shell;
  Widget parent = mainWidgets().appShell ? mainWidgets().appShell : mainWidgets().mainShell;
  if (!parent) return nullptr;
  c.shell = XtVaCreatePopupShell("ppdFileBoxShell", xmDialogShellWidgetClass, parent, XmNwidth, 340, XmNheight, 320,
                                 XmNtitle, shellTitle(setup().printerType), XmNdeleteResponse, XmUNMAP, nullptr);
  Arg args[8];
  Cardinal n = 0;
  XtSetArg(args[n], XmNwidth, 340), ++n;
  XtSetArg(args[n], XmNheight, 320), ++n;
  XtSetArg(args[n], XmNautoUnmanage, False), ++n;
  XtSetArg(args[n], XmNdefaultPosition, False), ++n;
  n = addColourArgs(args, n, parent);
  c.form = XmCreateForm(c.shell, const_cast<char*>("ppdFileBoxForm"), args, n);
  c.title = makeTextLabel(xmLabelWidgetClass, c.form, "ppdFileBoxTitleLbl", listTitle(setup().printerType),
                          placeBelow(nullptr, 16, nullptr));
  n = 0;
  Arg la[16];
  XtSetArg(la[n], XmNleftAttachment, XmATTACH_FORM), ++n;
  XtSetArg(la[n], XmNleftOffset, 10), ++n;
  XtSetArg(la[n], XmNrightAttachment, XmATTACH_FORM), ++n;
  XtSetArg(la[n], XmNrightOffset, 10), ++n;
  XtSetArg(la[n], XmNtopAttachment, XmATTACH_FORM), ++n;
  XtSetArg(la[n], XmNtopOffset, 50), ++n;
  XtSetArg(la[n], XmNbottomAttachment, XmATTACH_FORM), ++n;
  XtSetArg(la[n], XmNbottomOffset, 80), ++n;
  XtSetArg(la[n], XmNlistSizePolicy, XmCONSTANT), ++n;
  XtSetArg(la[n], XmNselectionPolicy, XmSINGLE_SELECT), ++n;
  XtSetArg(la[n], XmNhighlightColor, getColorPixel(c.form, "red")), ++n;
  n = addColourArgs(la, n, c.form);
  c.list = XmCreateScrolledList(c.form, const_cast<char*>("ppdFileBoxScrolledL"), la, n);
  XtAddCallback(c.list, XmNsingleSelectionCallback, ppdFileBoxListCB, nullptr);
  XtAddCallback(c.list, XmNdefaultActionCallback, ppdFileBoxOkCB, nullptr);
  XtManageChild(c.list);
  addChooserButton(c.form, "ppdFileBoxOKPB", "OK", kImgOK, kImgOKInv, ppdFileBoxOkCB, "ppdFileBoxOKLbl", "OK", 10);
  addChooserButton(c.form, "ppdFileBoxCancelPB", "Cancel", kImgNo, kImgNoInv, cancelCB, "ppdFileBoxCancelLbl",
                   "Cancel", 40);
  addChooserButton(c.form, "ppdFileBoxHelpPB", "Help", kImgHelp, kImgHelpInv, helpCB, "ppdFileBoxHelpLbl", "Help", 70);
  return c.shell;
}

void showPpdFileBox() {
  ChooserWidgets& c = chooser();
  if (!createPpdFileBox()) return;
  ppdChooserSelection().clear();
  XmString title = makeXmString(listTitle(setup().printerType));
  XtVaSetValues(c.title, XmNlabelString, title, nullptr);
  XmStringFree(title);
  pickedRow = 0;
  std::vector<std::string> items;
  int listed = listPPD(&items);
  listSetItems(c.list, listed > 0 ? rowLabels(ppdTable()) : std::vector<std::string>());
  if (listed <= 0) {
    XmString empty = makeXmString(emptyListTitle(listed).c_str());
    XtVaSetValues(c.title, XmNlabelString, empty, nullptr);
    XmStringFree(empty);
  }
  popupDialog(c.form, XtGrabNone);
  if (XtIsRealized(c.shell)) XRaiseWindow(XtDisplay(c.shell), XtWindow(c.shell));
  flushDisplay(c.shell);
}

void ppdFileBoxListCB(Widget, XtPointer, XtPointer callData) {
  auto* cbs = static_cast<XmListCallbackStruct*>(callData);
  if (!cbs) return;
  if (cbs->reason != XmCR_SINGLE_SELECT && cbs->reason != XmCR_DEFAULT_ACTION) {
    if (traceLevel() > 0) tracef("Select but not evaluated\n");
    return;
  }
  const std::vector<PpdRow>& rows = ppdTable();
  pickedRow = cbs->item_position;
  if (pickedRow >= 1 && pickedRow <= static_cast<int>(rows.size())) {
    ppdChooserSelection() = rows[static_cast<size_t>(pickedRow - 1)].modelName;
  } else {
    pickedRow = 0;
    ppdChooserSelection() = cbs->item ? xmStringFirstLine(cbs->item) : std::string();
  }
}

bool takeChosenModel() {
  SetupState& s = setup();
  const std::string selected = ppdChooserSelection();
  if (selected.empty()) return false;
  const PpdRow* chosen = nullptr;
  const std::vector<PpdRow>& rows = ppdTable();
  // The picked row's own file; when it is gone, the first other file of
  // the same model name that still exists.
  if (pickedRow >= 1 && pickedRow <= static_cast<int>(rows.size())) {
    const PpdRow& row = rows[static_cast<size_t>(pickedRow - 1)];
    if (row.modelName == selected && access(row.path.c_str(), F_OK) == 0) chosen = &row;
  }
  for (const PpdRow& row : rows) {
    if (chosen) break;
    if (row.modelName == selected && access(row.path.c_str(), F_OK) == 0) {
      chosen = &row;
      break;
    }
  }
  if (!chosen) {
    ringBell(2);
    return false;
  }
  s.ppdFile = chosen->path;
  s.modelName = selected;
  showModelNameField(s.modelName);
  openChosenPpd();
  return true;
}

void ppdFileBoxOkCB(Widget w, XtPointer, XtPointer callData) {
  runGuarded(w, [w, callData] {
    if (w == chooser().list) ppdFileBoxListCB(w, nullptr, callData);
    if (ppdChooserSelection().empty() || !takeChosenModel()) return;
    flushDisplay(chooser().shell);
    popdownDialog(chooser().form);
  });
}
