// The local-file form and the file-path dialog (see file_form.h).
#include "file_form.h"

#include <Xm/FileSB.h>
#include <Xm/Form.h>
#include <Xm/LabelG.h>
#include <Xm/PushB.h>
#include <unistd.h>

#include <cstdlib>
#include <vector>

#include "callback_guard.h"
#include "colour_scheme.h"
#include "connect_page.h"
#include "dialog_shells.h"
#include "help_topics.h"
#include "main_window.h"
#include "page_navigation.h"
#include "page_widgets.h"
#include "program_bitmaps.h"
#include "screen_values.h"
#include "setup_state.h"
#include "text_fields.h"
#include "xm_strings.h"

namespace {

void setBoxString(Widget box, const char* resource, const char* text) {
  XmString s = makeXmString(text);
  XtVaSetValues(box, resource, s, nullptr);
  XmStringFree(s);
}

void cancelBoxCB(Widget w, XtPointer, XtPointer) { XtUnmanageChild(w); }

// A path chosen in the dialog: stored and shown, as an edit of the field.
void takeChosenPath(const std::string& path) {
  SetupState& s = setup();
  s.fileName = path;
  cutField(s.fileName, kPathSize);
  writeGuardedText(fileFormWidgets().nameField, s.fileName, &connectFieldGuard());
  checkConnectPage();
  noteConnectionEdit();
}

}  // namespace

FileFormWidgets& fileFormWidgets() {
  static FileFormWidgets widgets;
  return widgets;
}

Widget& inputFileBox() {
  static Widget box = nullptr;
  return box;
}

Widget createLocalFileForm(Widget parent) {
  FileFormWidgets& w = fileFormWidgets();
  w.form = makePageWidget(xmFormWidgetClass, parent, "contTypeFileBigForm", fillForm(4));
  w.nameForm = makeFramedForm(w.form, "contTypeFileNmFrame", "contTypeFileNmForm", fillForm(8), &w.nameFrame);
  w.nameLabel = makeTextLabel(xmLabelGadgetClass, w.nameForm, "contFileNmLbl", "File name:", placeBelow(nullptr, 12));
  w.nameField = makeTextField(w.nameForm, "contFileNameTxt", 48, fileNameChangedCB, false,
                              joinArgs(placeBelow(w.nameLabel, 4), {{XmNcolumns, 40}}));
  w.browseButton = makeTextLabel(xmPushButtonWidgetClass, w.nameForm, "contFileBrwsBtn", "Browse",
                                 placeBelow(w.nameField, 12));
  XtAddCallback(w.browseButton, XmNactivateCallback, browseFileCB, nullptr);
  if (!inputFileBox()) {
    Widget shell = mainWidgets().appShell ? mainWidgets().appShell : parent;
    createInputFileBox(shell);
  }
  return w.form;
}

void setFileNameText(const char* text) {
  FileFormWidgets& w = fileFormWidgets();
  if (!w.nameField) return;
  writeGuardedText(w.nameField, text ? text : "", &connectFieldGuard());
}

void readFileNameText(Widget field) {
  Widget f = field ? field : fileFormWidgets().nameField;
  if (!f) return;
  SetupState& s = setup();
  s.fileName = getTextValue(f);
  cutField(s.fileName, kPathSize);
}

Widget createInputFileBox(Widget parent) {
  const SetupState& s = setup();
  Arg args[16];
  Cardinal n = 0;
  XmString dir = makeXmString(s.userDir.c_str());
  XmString help = makeXmString("Help");
  XtSetArg(args[n], XmNx, 562), ++n;
  XtSetArg(args[n], XmNy, 316), ++n;
  XtSetArg(args[n], XmNwidth, 386), ++n;
  XtSetArg(args[n], XmNheight, 415), ++n;
  XtSetArg(args[n], XmNhighlightColor, getColorPixel(parent, "red")), ++n;
  XtSetArg(args[n], XmNhelpLabelString, help), ++n;
  XtSetArg(args[n], XmNlistVisibleItemCount, 8), ++n;
  XtSetArg(args[n], XmNdirectory, dir), ++n;
  XtSetArg(args[n], XmNautoUnmanage, False), ++n;
  n = addColourArgs(args, n, parent);
  Widget box = XmCreateFileSelectionDialog(parent, const_cast<char*>("inputFileBox"), args, n);
  XmStringFree(dir);
  XmStringFree(help);
  setBoxString(box, XmNfilterLabelString, "Path for files:");
  setBoxString(box, XmNfileListLabelString, "Files");
  setBoxString(box, XmNdirListLabelString, "Directories");
  XtVaSetValues(XtParent(box), XmNiconName, "Jarn 1.0", nullptr);
  XtAddCallback(box, XmNokCallback, inputFileBoxOkCB, nullptr);
  XtAddCallback(box, XmNcancelCallback, cancelBoxCB, nullptr);
  inputFileBox() = box;
  return box;
}

bool fileDirectoryOf(const std::string& path, std::string* directory) {
  size_t slash = path.rfind('/');
  if (slash == std::string::npos) return false;
  *directory = slash == 0 ? std::string("/") : path.substr(0, slash);
  return true;
}

void inputFileBoxOkCB(Widget w, XtPointer, XtPointer callData) {
  runGuarded(w, [w, callData] {
    auto* cbs = static_cast<XmFileSelectionBoxCallbackStruct*>(callData);
    std::string path;
    if (cbs && cbs->value) path = xmStringFirstLine(cbs->value);
    std::string dir;
    if (!fileDirectoryOf(path, &dir) || access(dir.c_str(), F_OK) != 0) {
      ringBell(2);
      return;
    }
    takeChosenPath(path);
    flushDisplay(w);
    XtUnmanageChild(w);
  });
}

void browseFileCB(Widget w, XtPointer, XtPointer) {
  runGuarded(w, [] {
    Widget box = inputFileBox();
    if (!box) return;
    const char* home = std::getenv("HOME");
    std::string dir = home ? home : setup().tmpDir;
    XtVaSetValues(XtParent(box), XmNtitle, "File to print: ", nullptr);
    setBoxString(box, XmNpattern, "*");
    setBoxString(box, XmNdirectory, dir.c_str());
    XtManageChild(box);
    if (XtIsRealized(XtParent(box))) XMapRaised(XtDisplay(box), XtWindow(XtParent(box)));
    flushDisplay(box);
  });
}

void fileNameChangedCB(Widget w, XtPointer, XtPointer) {
  if (connectFieldGuard()) return;
  runGuarded(w, [w] {
    readFileNameText(w);
    checkConnectPage();
    noteConnectionEdit();
  });
}

bool fileFormHelp(Widget picked) {
  FileFormWidgets& w = fileFormWidgets();
  const std::vector<HelpRow> rows = {
      {&w.form, kHelpFileForm},         {&w.nameFrame, kHelpFileForm}, {&w.nameForm, kHelpFileForm},
      {&w.nameField, kHelpFileName},    {&w.nameLabel, kHelpFileName}, {&w.browseButton, kHelpBrowseFile},
  };
  return showHelpFor(rows, picked);
}
