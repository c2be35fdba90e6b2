// The model page (see model_page.h).
#include "model_page.h"

#include <Xm/Form.h>
#include <Xm/Frame.h>
#include <Xm/Label.h>
#include <Xm/LabelG.h>
#include <Xm/PushB.h>
#include <Xm/TextF.h>

#include <vector>

#include "callback_guard.h"
#include "help_topics.h"
#include "main_window.h"
#include "option_labels.h"
#include "option_pages.h"
#include "page_hooks.h"
#include "page_navigation.h"
#include "page_widgets.h"
#include "ppd_chooser.h"
#include "queue_page.h"
#include "screen_values.h"
#include "setup_state.h"
#include "text_fields.h"
#include "trace.h"
#include "widget_tips.h"

namespace {

constexpr char kModelLabel[] = "Printer Model: ";

bool& modelFieldGuard() {
  static bool guard = false;
  return guard;
}

}  // namespace

ModelPageWidgets& modelPageWidgets() {
  static ModelPageWidgets widgets;
  return widgets;
}

Widget createModelPage(Widget parent) {
  ModelPageWidgets& w = modelPageWidgets();
  w.page = makePageWidget(xmFormWidgetClass, parent, "ppdSelMainForm", fillForm(2));
  XtUnmanageChild(w.page);
  w.previousButton = makeImageButton(w.page, "ppdPreviousPB", "<===", kImgPrevious, kImgPreviousInv, modelPreviousCB,
                                     placeBottom(20, 30));
  w.previousLabel = makeTextLabel(xmLabelWidgetClass, w.page, "ppdPreviousLbl", "Previous", placeBottom(20, 8));
  w.nextButton = makeImageButton(w.page, "ppdSelNextPB", "===>", kImgNext, kImgNextInv, modelNextCB,
                                 placeBottom(70, 30));
  w.nextLabel = makeTextLabel(xmLabelWidgetClass, w.page, "ppdSelNextLbl", "Next", placeBottom(70, 8));
  for (Widget x : {w.previousButton, w.previousLabel}) addTip(x, "To previous form: Connection/Device.");
  for (Widget x : {w.nextButton, w.nextLabel}) addTip(x, "To next form: Device/Printer Configuration.");
  XtVaSetValues(w.previousButton, XmNhighlightOnEnter, True, XmNhighlightColor,
                getColorPixel(w.previousButton, "red"), nullptr);
  w.banner = createQueueNameBanner(w.page, &w.bannerFrame);
  w.bigForm = makePageWidget(
      xmFormWidgetClass, w.page, "ppdSelBigForm",
      joinArgs(placeBelow(w.bannerFrame, 8),
               {{XmNrightAttachment, XmATTACH_FORM}, {XmNrightOffset, 8}, {XmNbottomAttachment, XmATTACH_WIDGET},
                {XmNbottomWidget, reinterpret_cast<XtArgVal>(w.previousButton)}, {XmNbottomOffset, 8}}));
  w.bigFrame = makePageWidget(xmFrameWidgetClass, w.bigForm, "ppdSelBigFrame", fillForm(8));
  w.fileForm = createPpdFileForm(w.bigFrame);
  showModelLabel();
  checkPPDNextPB();
  createPpdFileBox();
  return w.page;
}

Widget createPpdFileForm(Widget parent) {
  ModelPageWidgets& w = modelPageWidgets();
  w.fileForm = makePageWidget(xmFormWidgetClass, parent, "ppdSelPPDForm", fillForm(4));
  // The field takes the frame's width and Browse goes under it, so that
  // the form fits the start-up window.
  w.fileInner = makeFramedForm(w.fileForm, "ppdSelPPDFileFrame", "ppdSelPPDFileForm",
                               joinArgs(placeBelow(nullptr, 8), {{XmNrightAttachment, XmATTACH_FORM}, {XmNrightOffset, 8}}),
                               &w.fileFrame);
  w.nameLabel = makeTextLabel(xmLabelGadgetClass, w.fileInner, "ppdSelLbl", kModelLabel, placeBelow(nullptr, 12));
  w.nameField = makeTextField(w.fileInner, "ppdFnameTxt", static_cast<int>(kModelFieldChars), ppdNameChangedCB, true,
                              joinArgs(placeBelow(nullptr, 8, w.nameLabel),
                                       {{XmNcolumns, 32}, {XmNeditable, False}, {XmNcursorPositionVisible, False},
                                        {XmNrightAttachment, XmATTACH_FORM}, {XmNrightOffset, 8}}));
  addTip(w.nameField, kModelLabel);
  w.browseButton = makeTextLabel(xmPushButtonWidgetClass, w.fileInner, "ppdSelBrwseBtn", "Browse",
                                 joinArgs(placeBelow(w.nameField, 8), {{XmNbottomAttachment, XmATTACH_FORM},
                                                                      {XmNbottomOffset, 8}}));
  XtAddCallback(w.browseButton, XmNactivateCallback, ppdBrowseCB, nullptr);
  addTip(w.browseButton, "Browse printer model.");
  return w.fileForm;
}

void setModelLabel(int) {
  Widget label = modelPageWidgets().nameLabel;
  if (!label) return;
  XmString text = XmStringCreateLocalized(const_cast<char*>(kModelLabel));
  XtVaSetValues(label, XmNlabelString, text, nullptr);
  XmStringFree(text);
}

void showModelLabel() {
  setModelLabel(setup().printerType);
  if (modelPageWidgets().fileForm) XtManageChild(modelPageWidgets().fileForm);
}

void checkPPDNextPB() {
  const SetupState& s = setup();
  bool on = s.printerType != kTypeRaw && !s.modelName.empty() && !s.ppdFile.empty();
  if (traceLevel() > 0) tracef("checkPPDNextPB: %d mainFormMode = %d\n", on ? 1 : 0, s.panelMode);
  setWidgetSensitive(modelPageWidgets().nextButton, on);
  if (on && s.queueManaged) {
    setEditMenuSensitive(255, 255);
    setThumbIndexSensitive(255, 255);
  }
}

void setPpdBrowseSensitive(bool on) { setWidgetSensitive(modelPageWidgets().browseButton, on); }

void clearPpdFileName() {
  SetupState& s = setup();
  if (Widget field = modelPageWidgets().nameField) writeGuardedText(field, "", &modelFieldGuard());
  s.modelName.clear();
  s.ppdFile.clear();
}

int hasModelName() { return setup().modelName.empty() ? 0 : 1; }

void readPpdNameField(Widget field) {
  Widget f = field ? field : modelPageWidgets().nameField;
  SetupState& s = setup();
  std::string text = f ? getTextValue(f) : std::string();
  bool cutForDisplay = text.size() == kModelFieldChars && s.modelName.compare(0, text.size(), text) == 0;
  if (!cutForDisplay) s.modelName = text;
}

void showModelNameField(const std::string& name) {
  Widget field = modelPageWidgets().nameField;
  if (!field) return;
  writeGuardedText(field, name.substr(0, kModelFieldChars), &modelFieldGuard());
  checkPPDNextPB();
}

void modelPreviousCB(Widget w, XtPointer, XtPointer) {
  runGuarded(w, [] {
    if (setup().panelMode != kPageModel) return;
    SetThumbIndex(1);
    ManageMainForm(kPageConnect);
  });
}

void modelNextCB(Widget w, XtPointer, XtPointer) {
  runGuarded(w, [] {
    SetupState& s = setup();
    PageHooks& h = pageHooks();
    if (s.panelMode == kPageModel) {
      SetThumbIndex(3);
      ManageMainForm(kPageDeviceOptions);
      showOptionPane(1);
    } else if (s.panelMode == kPagePrintOptions) {
      SetThumbIndex(5);
      ManageMainForm(kPageAdvanced);
      if (h.showAdvancedForm) h.showAdvancedForm(1);
    }
  });
}

void ppdBrowseCB(Widget w, XtPointer, XtPointer) {
  runGuarded(w, [] {
    showPpdFileBox();
    checkPPDNextPB();
    setup().updateReported = 0;
  });
}

void ppdNameChangedCB(Widget w, XtPointer, XtPointer) {
  if (modelFieldGuard()) return;
  runGuarded(w, [w] {
    readPpdNameField(w);
    checkPPDNextPB();
    setup().updateReported = 0;
  });
}

bool ppdFileFormHelp(Widget picked) {
  ModelPageWidgets& w = modelPageWidgets();
  const std::vector<HelpRow> rows = {
      {&w.previousButton, kHelpModelPrevious}, {&w.previousLabel, kHelpModelPrevious},
      {&w.nextButton, kHelpModelNext},         {&w.nextLabel, kHelpModelNext},
      {&w.bigForm, kHelpModelSelection},       {&w.bigFrame, kHelpModelSelection},
      {&w.page, kHelpModelSelection},          {&w.fileForm, kHelpModelSelection},
      {&w.fileFrame, kHelpModelSelection},     {&w.fileInner, kHelpModelSelection},
      {&w.nameField, kHelpPrinterModel},       {&w.nameLabel, kHelpPrinterModel},
      {&w.browseButton, kHelpBrowseModel},     {&w.bannerFrame, kHelpModelBanner},
      {&w.banner, kHelpModelBanner},
  };
  return showHelpFor(rows, picked);
}
