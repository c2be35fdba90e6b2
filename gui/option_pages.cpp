// The option pages' frame (see option_pages.h).
#include "option_pages.h"

#include <Xm/Form.h>
#include <Xm/Frame.h>
#include <Xm/Label.h>
#include <Xm/PushB.h>
#include <Xm/ScrolledW.h>

#include <vector>

#include "callback_guard.h"
#include "help_topics.h"
#include "main_window.h"
#include "option_rows.h"
#include "option_state.h"
#include "page_hooks.h"
#include "page_navigation.h"
#include "page_widgets.h"
#include "queue_actions.h"
#include "queue_page.h"
#include "report.h"
#include "screen_values.h"
#include "setup_state.h"
#include "trace.h"
#include "widget_tips.h"

namespace {

constexpr char kPaneTip[] = "Current selected PPD options.";

// A form in the base form holding an automatic scrolled window.
Widget makeScrolledPane(Widget parent, const char* formName, const char* windowName, Widget* window) {
  Widget form = makePageWidget(xmFormWidgetClass, parent, formName, fillForm(4));
  *window = makePageWidget(xmScrolledWindowWidgetClass, form, windowName,
                           joinArgs(fillForm(2), {{XmNscrollingPolicy, XmAUTOMATIC},
                                                  {XmNscrollBarDisplayPolicy, XmAS_NEEDED},
                                                  {XmNvisualPolicy, XmCONSTANT},
                                                  {XmNshadowThickness, 0}}));
  addTip(form, kPaneTip);
  addTip(*window, kPaneTip);
  return form;
}

void setLabelText(Widget w, const char* text) {
  if (!w) return;
  XmString s = XmStringCreateLocalized(const_cast<char*>(text));
  XtVaSetValues(w, XmNlabelString, s, nullptr);
  XmStringFree(s);
}

void traceMode(const char* button) {
  if (traceLevel() > 1)
    tracef("%s::ppdScrlWindMode=%d, MainMode=%d\n", button, optionPages().ppdScrlWindMode, setup().panelMode);
}

}  // namespace

OptionPageWidgets& optionPageWidgets() {
  static OptionPageWidgets widgets;
  return widgets;
}

Widget createPpdConfigPage(Widget parent) {
  OptionPageWidgets& w = optionPageWidgets();
  OptionPagesState& st = optionPages();
  w.page = makePageWidget(xmFormWidgetClass, parent, "ppdSel2Form", fillForm(2));
  XtUnmanageChild(w.page);
  w.previousButton = makeImageButton(w.page, "ppdCnfPrevPB", "<===", kImgPrevious, kImgPreviousInv, ppdCnfPrevCB,
                                     placeBottom(10, 30));
  w.previousLabel = makeTextLabel(xmLabelWidgetClass, w.page, "ppdCnfPrevLbl", "Previous", placeBottom(10, 8));
  w.updateButton = makeImageButton(w.page, "ppdCnfUpdatePB", "Update", kImgAdd, kImgAddInv, ppdCnfUpdateCB,
                                   placeBottom(45, 30));
  w.updateLabel = makeTextLabel(xmLabelWidgetClass, w.page, "ppdCnfUpdateLbl", "Update", placeBottom(45, 8));
  w.nextButton = makeImageButton(w.page, "ppdCnfNextPB", "===>", kImgNext, kImgNextInv, ppdCnfNextCB,
                                 placeBottom(75, 30));
  w.nextLabel = makeTextLabel(xmLabelWidgetClass, w.page, "ppdCnfNextLbl", "Next", placeBottom(75, 8));
  for (Widget x : {w.previousButton, w.previousLabel}) addTip(x, "To previous form: Model Selection.");
  for (Widget x : {w.nextButton, w.nextLabel}) addTip(x, "To next form: Advanced/Extra.");
  addTip(w.updateButton, "Add or update profile data.");
  w.banner = createQueueNameBanner(w.page, &w.bannerFrame);
  w.baseForm = makeFramedForm(
      w.page, "ppdSelBaseFrame", "ppdSelBaseForm",
      joinArgs(placeBelow(w.bannerFrame, 8),
               {{XmNrightAttachment, XmATTACH_FORM}, {XmNrightOffset, 8}, {XmNbottomAttachment, XmATTACH_WIDGET},
                {XmNbottomWidget, reinterpret_cast<XtArgVal>(w.previousButton)}, {XmNbottomOffset, 8}}),
      &w.baseFrame);
  w.instForm = makeScrolledPane(w.baseForm, "selPPDInstScrlForm", "ppdInstScrlWndw", &w.instWindow);
  w.configForm = makeScrolledPane(w.baseForm, "selPPDConfigScrlForm", "ppdConfigScrlWndw", &w.configWindow);
  XtVaGetValues(w.page, XmNbackground, &st.pageBackground, nullptr);
  st.white = WhitePixelOfScreen(XtScreen(w.page));
  showOptionPane(st.ppdScrlWindMode);
  if (st.currentPpd) createPPDWidgets(st.currentPpd);
  clearSpecialOptionFlags();
  return w.page;
}

void setUpdateButtonMode(int existing) {
  Widget button = optionPageWidgets().updateButton;
  if (!button) return;
  const ButtonImages& images = programImages();
  Pixmap pix = images.pixmaps[existing ? kImgAdd : kImgOK];
  Pixmap arm = images.pixmaps[existing ? kImgAddInv : kImgOKInv];
  if (pix && arm) {
    XtVaSetValues(button, XmNlabelType, XmPIXMAP, XmNlabelPixmap, pix, XmNarmPixmap, arm, nullptr);
  } else {
    setLabelText(button, existing ? "Update" : "Create");
  }
}

void setUpdateLabelText(const std::string& text) {
  Widget label = optionPageWidgets().updateLabel;
  if (!label) return;
  setLabelText(label, text.c_str());
  XtVaSetValues(label, XmNforeground, getColorPixel(label, setup().createMode ? "red" : "black"), nullptr);
}

void setPpdCnfNextSensitive(bool on) {
  if (traceLevel() > 0) tracef("***** ppdCnfNextPB(%d)\n", on ? 1 : 0);
  setWidgetSensitive(optionPageWidgets().nextButton, on);
}

void setPpdCnfUpdateSensitive(bool on) { setWidgetSensitive(optionPageWidgets().updateButton, on); }

void showOptionPane(int pane) {
  OptionPageWidgets& w = optionPageWidgets();
  if ((pane != 1 && pane != 2) || !w.instForm) return;
  XtUnmanageChild(pane == 1 ? w.configForm : w.instForm);
  XtManageChild(pane == 1 ? w.instForm : w.configForm);
}

void ppdCnfUpdateCB(Widget w, XtPointer, XtPointer) {
  runGuarded(w, [] {
    const SetupState& s = setup();
    if (s.createMode) {
      goAction(1);
    } else if (s.queueManaged) {
      applyQueueSetup(1);
    } else {
      doMessage(38, "Configuration Problem",
                "The queue: '" + s.printerName +
                    "'\ndoes not yet exist!\nPlease first create\nthe queue with the OK button\nat the bottom left of "
                    "the menu.");
    }
  });
}

void ppdCnfPrevCB(Widget w, XtPointer, XtPointer) {
  runGuarded(w, [] {
    OptionPagesState& st = optionPages();
    traceMode("ppdCnfPrevPB");
    if (st.ppdScrlWindMode == 2) {
      SetThumbIndex(3);
      ManageMainForm(kPageDeviceOptions);
      st.ppdScrlWindMode = 1;
    } else if (st.ppdScrlWindMode == 1) {
      SetThumbIndex(2);
      ManageMainForm(kPageModel);
    }
  });
}

void ppdCnfNextCB(Widget w, XtPointer, XtPointer) {
  runGuarded(w, [] {
    OptionPagesState& st = optionPages();
    PageHooks& h = pageHooks();
    traceMode("ppdCnfNextPB");
    if (st.ppdScrlWindMode == 1) {
      SetThumbIndex(4);
      ManageMainForm(kPagePrintOptions);
      st.ppdScrlWindMode = 2;
    } else if (st.ppdScrlWindMode == 2) {
      SetThumbIndex(5);
      ManageMainForm(kPageAdvanced);
      if (h.showAdvancedForm) h.showAdvancedForm(1);
    }
  });
}

bool ppdPageHelp(Widget picked) {
  OptionPageWidgets& w = optionPageWidgets();
  OptionPagesState& st = optionPages();
  const std::vector<HelpRow> rows = {
      {&w.page, kHelpOptionPages},          {&w.baseFrame, kHelpOptionPages},
      {&w.baseForm, kHelpOptionPages},      {&w.previousButton, kHelpOptionPrevious},
      {&w.previousLabel, kHelpOptionPrevious}, {&w.nextButton, kHelpOptionNext},
      {&w.nextLabel, kHelpOptionNext},      {&w.updateButton, kHelpOptionUpdate},
      {&w.updateLabel, kHelpOptionUpdate},  {&w.instForm, kHelpInstalledOptions},
      {&w.instWindow, kHelpInstalledOptions}, {&st.instPane, kHelpInstalledOptions},
      {&w.configForm, kHelpPrintOptions},   {&w.configWindow, kHelpPrintOptions},
      {&st.configPane, kHelpPrintOptions},  {&w.bannerFrame, kHelpOptionBanner},
      {&w.banner, kHelpOptionBanner},
  };
  if (showHelpFor(rows, picked)) return true;
  // The rows built from the PPD (option menus, the box counter, the text
  // fields and their labels) take the topic of their pane.
  Widget parent = picked ? XtParent(picked) : nullptr;
  std::vector<HelpRow> panes = {{&st.instPane, kHelpInstalledOptions}, {&st.configPane, kHelpPrintOptions}};
  return parent && (parent == st.instPane || parent == st.configPane) && showHelpFor(panes, parent);
}
