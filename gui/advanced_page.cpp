// The advanced page (see advanced_page.h).
#include "advanced_page.h"

#include <Xm/Form.h>
#include <Xm/Frame.h>
#include <Xm/Label.h>
#include <Xm/LabelG.h>
#include <Xm/List.h>
#include <Xm/PushB.h>
#include <Xm/ScrolledW.h>
#include <Xm/Separator.h>
#include <Xm/TextF.h>
#include <Xm/ToggleB.h>

#include <vector>

#include "callback_guard.h"
#include "counter.h"
#include "extra_pane.h"
#include "help_topics.h"
#include "main_window.h"
#include "page_hooks.h"
#include "page_navigation.h"
#include "page_widgets.h"
#include "queue_actions.h"
#include "queue_page.h"
#include "secret_fields.h"
#include "setup_state.h"
#include "text_fields.h"
#include "user_editing.h"
#include "user_entries.h"
#include "widget_tips.h"
#include "xm_strings.h"

namespace {

const char kNextTip[] = "Next or update user data.";
const char kLoginTip[] = "User name or 'login'.";
const char kForceTip[] = "Force";
const char kHeader[] = "User        Box#/Prf F   SecPW     F        ID      F Password  F";
constexpr int kModeFormHeight = 96;
const char kListFont[] = "-*-courier-medium-r-normal--10-*-*-*-m-*-iso8859-1";

// Titles by kind: 2 box, 3 secured, 4 accounting, 5 extra.
const char* const kTitles[] = {"Configuration of Box Printing", "Configuration of Secured (password) Printing",
                               "Configuration of Printing with Accounting", "Configuration of Extra Options"};
const char kNoTitle[] = "****************************";

int tabOfPage(int page) {
  for (int tab = 0; tab < 7; ++tab) {
    if (tabPage(tab) == page) return tab;
  }
  return 0;
}

void setLabel(Widget w, const char* text) {
  XmString s = makeXmString(text);
  XtVaSetValues(w, XmNlabelString, s, nullptr);
  XmStringFree(s);
}

// A button shows its image pair when loaded, else its text.
void setButtonFace(Widget button, int image, int armImage, const char* text) {
  const ButtonImages& images = programImages();
  Pixmap pix = images.pixmaps[static_cast<size_t>(image)];
  Pixmap arm = images.pixmaps[static_cast<size_t>(armImage)];
  if (setup().colourMode >= 0 && pix && arm) XtVaSetValues(button, XmNlabelPixmap, pix, XmNarmPixmap, arm, nullptr);
  else setLabel(button, text);
}

void setManaged(Widget w, bool on) {
  if (!w) return;
  if (on) XtManageChild(w);
  else XtUnmanageChild(w);
}

void setToggle(Widget w, int on) {
  if (w) XmToggleButtonSetState(w, on ? True : False, False);
}

Widget makeToggle(Widget parent, const char* name, const char* text, XtCallbackProc cb, const char* tip,
                  const WidgetArgs& args) {
  Widget t = makeTextLabel(xmToggleButtonWidgetClass, parent, name, text, args);
  XtAddCallback(t, XmNvalueChangedCallback, cb, nullptr);
  addTip(t, tip);
  return t;
}

Widget makeButton(Widget parent, const char* name, const char* text, XtCallbackProc cb, const char* tip,
                  const WidgetArgs& args) {
  Widget b = makeTextLabel(xmPushButtonWidgetClass, parent, name, text, args);
  XtAddCallback(b, XmNactivateCallback, cb, nullptr);
  addTip(b, tip);
  return b;
}

// The four buttons at the page's foot, each with its caption.
void createButtons(AdvancedPageWidgets& w) {
  w.previousButton = makeImageButton(w.page, "advOptPreviousPB", "<===", kImgPrevious, kImgPreviousInv,
                                     advOptPreviousCB, placeBottom(10, 30));
  w.previousLabel = makeTextLabel(xmLabelWidgetClass, w.page, "advOptPreviousLbl", "Previous", placeBottom(10, 8));
  w.updateButton = makeImageButton(w.page, "advOptUpdPB", "Update", kImgAdd, kImgAddInv, advOptUpdateCB,
                                   placeBottom(35, 30));
  w.updateLabel = makeTextLabel(xmLabelWidgetClass, w.page, "advOptUpdLbl", "Update", placeBottom(35, 8));
  w.deleteButton = makeImageButton(w.page, "advOptDelPB", "Delete", kImgDel, kImgDelInv, deleteUserCB,
                                   placeBottom(55, 30));
  w.deleteLabel = makeTextLabel(xmLabelWidgetClass, w.page, "advOptDelLbl", "Delete", placeBottom(55, 8));
  w.nextButton = makeImageButton(w.page, "advOptNextPB", "===>", kImgNext, kImgNextInv, advOptNextCB,
                                 placeBottom(80, 30));
  w.nextLabel = makeTextLabel(xmLabelWidgetClass, w.page, "advOptNextLbl", "Next", placeBottom(80, 8));
  for (Widget x : {w.previousButton, w.previousLabel}) addTip(x, "To previous form: Printer Options/Advanced.");
  for (Widget x : {w.nextButton, w.nextLabel, w.updateButton, w.updateLabel}) addTip(x, kNextTip);
  for (Widget x : {w.deleteButton, w.deleteLabel}) addTip(x, "Delete this user and associated data.");
  setWidgetSensitive(w.deleteButton, false);
}

// A label and a text field on one line below `top`.
Widget labelledField(Widget form, const char* labelName, const char* text, const char* name, int length,
                     Widget top, Widget* label) {
  *label = makeTextLabel(xmLabelGadgetClass, form, labelName, text, placeBelow(top, 8));
  XtVaSetValues(*label, XmNwidth, 80, XmNrecomputeSize, False, nullptr);
  return makeTextField(form, name, length, nullptr, true, joinArgs(placeBelow(top, 2, *label), {{XmNcolumns, length}}));
}

// The secured/accounting sub-form: login, user ID and password.
void createSecretForm(AdvancedPageWidgets& w, Widget parent, const WidgetArgs& place) {
  w.secretForm = makePageWidget(xmFormWidgetClass, parent, "advOptSubForm", place);
  w.loginField = labelledField(w.secretForm, "advOptUserLBG", "User:", "loginNameTxt", 16, nullptr, &w.userLabel);
  XtAddCallback(w.loginField, XmNvalueChangedCallback, loginNameCB, nullptr);
  addTip(w.loginField, kLoginTip);
  w.userIdField = labelledField(w.secretForm, "advOptIDLblG", "User ID:", "userIDTxt", 7, w.loginField, &w.idLabel);
  XtAddCallback(w.userIdField, XmNmodifyVerifyCallback, digitsVerifyCB, nullptr);
  XtAddCallback(w.userIdField, XmNvalueChangedCallback, userIdFieldCB, nullptr);
  addTip(w.userIdField, "User ID (7 digits max).");
  w.saveIdToggle = makeToggle(w.secretForm, "advOptSaveIDTBG", kForceTip, saveUserIdToggleCB,
                              "Force User ID for this user.", placeBelow(w.loginField, 4, w.userIdField));
  w.passwordField = labelledField(w.secretForm, "advOptPswdLBG", "Password:", "passwordTxt", 7, w.userIdField,
                                  &w.passwordLabel);
  XtAddCallback(w.passwordField, XmNmodifyVerifyCallback, passwordVerifyCB, nullptr);
  XtAddCallback(w.passwordField, XmNvalueChangedCallback, passwordFieldCB, nullptr);
  addTip(w.passwordField, "Password of the user (7 digits max).");
  w.savePasswordToggle = makeToggle(w.secretForm, "advOptSavePWTBG", kForceTip, savePasswordToggleCB,
                                    "Force Password for this user.", placeBelow(w.userIdField, 4, w.passwordField));
}

// The box sub-form: login, box number, proof copy and Force mailbox.
void createBoxForm(AdvancedPageWidgets& w, Widget parent, const WidgetArgs& place) {
  w.boxForm = makePageWidget(xmFormWidgetClass, parent, "advOptSubForm1", place);
  w.boxLoginField = labelledField(w.boxForm, "advOptUserLBG1", "User:", "loginNameTxt1", 16, nullptr, &w.boxUserLabel);
  XtAddCallback(w.boxLoginField, XmNvalueChangedCallback, loginNameBoxCB, nullptr);
  addTip(w.boxLoginField, kLoginTip);
  w.boxNumberLabel = makeTextLabel(xmLabelGadgetClass, w.boxForm, "advBoxNrLBG", "box nmbr", placeBelow(w.boxLoginField, 12));
  XtVaSetValues(w.boxNumberLabel, XmNwidth, 80, XmNrecomputeSize, False, nullptr);
  // Three characters: every box number from -1 to 99 can be typed.
  WidgetArgs counterArgs = joinArgs(placeBelow(w.boxLoginField, 8, w.boxNumberLabel),
                                    {{XwNformat, XwCOUNTER_DECIMAL}, {XmNeditable, True}, {XmNcolumns, 3},
                                     {XmNmaxLength, 3}, {XmNminimum, -1}, {XmNmaximum, 99}, {XmNvalue, -1}});
  std::vector<Arg> args(counterArgs.size());
  Cardinal n = 0;
  for (const auto& a : counterArgs) XtSetArg(args[n], const_cast<char*>(a.first), a.second), ++n;
  w.counter = XwCreateCounter(w.boxForm, "advOptCounter", args.data(), n);
  XtAddCallback(w.counter, XmNvalueChangedCallback, boxCounterCB, nullptr);
  XtManageChild(w.counter);
  addTip(w.counter, "Number of the box.");
  w.proofToggle = makeToggle(w.boxForm, "advOptProofTB", "proofCopy", proofCopyToggleCB,
                             "Printing to a box with proofcopy.", placeBelow(w.boxLoginField, 8, w.counter));
  w.saveMailboxToggle = makeToggle(w.boxForm, "advOptSaveMBTBG", kForceTip, saveMailboxToggleCB,
                                   "Force printing to a mailbox.", placeBelow(w.boxLoginField, 8, w.proofToggle));
}

// The user sub-form: the list under its header; below it the mode buttons
// in a column and, beside them, the two mode sub-forms in one place.
void createUserForm(AdvancedPageWidgets& w) {
  w.userForm = makePageWidget(xmFormWidgetClass, w.basisForm, "advOptBigForm", fillForm(2));
  w.tableHeader = makeTextLabel(xmLabelGadgetClass, w.userForm, "tableHeaderLBG", kHeader, placeBelow(nullptr, 2));
  setWidgetFont(w.tableHeader, kListFont);
  Widget modeForm = makePageWidget(xmFormWidgetClass, w.userForm, "modeForm",
                                   {{XmNbottomAttachment, XmATTACH_FORM}, {XmNleftAttachment, XmATTACH_FORM},
                                    {XmNheight, kModeFormHeight}, {XmNresizePolicy, XmRESIZE_NONE}});
  w.boxModeButton = makeButton(modeForm, "advOptBoxPB", "box", boxModeCB, "Menu for printing to a box.",
                               placeBelow(nullptr, 2));
  w.securedModeButton = makeButton(modeForm, "advOptSecPB", "secured", securedModeCB, "Menu for secured printing.",
                                   placeBelow(w.boxModeButton, 2));
  Widget separator = makePageWidget(xmSeparatorWidgetClass, modeForm, "advOptSeparator",
                                    joinArgs(placeBelow(w.securedModeButton, 2), {{XmNrightAttachment, XmATTACH_FORM}}));
  w.accountModeButton = makeButton(modeForm, "advOptAccountPB", "accounting", accountingModeCB,
                                   "Menu for printing with dept. accounting", placeBelow(separator, 2));
  Widget frame = makePageWidget(xmFrameWidgetClass, w.userForm, "advOptBoxScrlFrame",
                                joinArgs(placeBelow(w.tableHeader, 2),
                                         {{XmNrightAttachment, XmATTACH_FORM}, {XmNbottomAttachment, XmATTACH_WIDGET},
                                          {XmNbottomWidget, reinterpret_cast<XtArgVal>(modeForm)}, {XmNbottomOffset, 2}}));
  // The list scrolls its own rows within the room the page leaves it (at
  // the start-up size seven rows), as the queue and USB lists do.
  w.listWindow = makePageWidget(xmScrolledWindowWidgetClass, frame, "advOptBoxScrlWndw",
                                {{XmNscrollingPolicy, XmAPPLICATION_DEFINED}});
  addTip(w.listWindow, "List with user data.");
  w.userList = makePageWidget(xmListWidgetClass, w.listWindow, "uMailBoxScrlList",
                              {{XmNselectionPolicy, XmSINGLE_SELECT}, {XmNlistSizePolicy, XmRESIZE_IF_POSSIBLE}, {XmNhighlightThickness, 1},
                               {XmNscrollBarDisplayPolicy, XmAS_NEEDED}});
  setWidgetFont(w.userList, kListFont);
  XtAddCallback(w.userList, XmNsingleSelectionCallback, userListSelectCB, nullptr);
  XtAddCallback(w.userList, XmNdefaultActionCallback, userListSelectCB, nullptr);
  const WidgetArgs beside = {{XmNbottomAttachment, XmATTACH_FORM}, {XmNleftAttachment, XmATTACH_WIDGET},
                             {XmNleftWidget, reinterpret_cast<XtArgVal>(modeForm)}, {XmNleftOffset, 8},
                             {XmNrightAttachment, XmATTACH_FORM}};
  makePageWidget(xmFormWidgetClass, w.userForm, "advOptSubForm0", beside);
  createSecretForm(w, w.userForm, beside);
  createBoxForm(w, w.userForm, beside);
  // Until a mode is chosen the box sub-form shows.
  XtUnmanageChild(w.secretForm);
}

}  // namespace

AdvancedPageWidgets& advancedPageWidgets() {
  static AdvancedPageWidgets widgets;
  return widgets;
}

AdvancedState& advancedState() {
  static AdvancedState state;
  return state;
}

Widget createAdvOptPage(Widget parent) {
  AdvancedPageWidgets& w = advancedPageWidgets();
  w.page = makePageWidget(xmFormWidgetClass, parent, "advOptMainForm", fillForm(2));
  XtUnmanageChild(w.page);
  w.banner = createQueueNameBanner(w.page, &w.bannerFrame);
  w.smallForm = makeFramedForm(w.page, "advOptSmallFrame", "advOptSmallForm", placeBelow(nullptr, 8));
  w.titleLabel = makeTextLabel(xmLabelWidgetClass, w.smallForm, "advOptTitleLbl", "This is supposed to be a TITLE",
                               placeBelow(nullptr, 4));
  createButtons(w);
  w.basisForm = makeFramedForm(
      w.page, "advOptBigFrame", "advOptBasisForm",
      joinArgs(placeBelow(w.smallForm, 4),
               {{XmNrightAttachment, XmATTACH_FORM}, {XmNrightOffset, 8}, {XmNbottomAttachment, XmATTACH_WIDGET},
                {XmNbottomWidget, reinterpret_cast<XtArgVal>(w.previousButton)}, {XmNbottomOffset, 8}}));
  createUserForm(w);
  createDocumentForms(w.basisForm);
  w.extraForm = makePageWidget(xmFormWidgetClass, w.basisForm, "advOptBig4Form", fillForm(4));
  Widget frame = makePageWidget(xmFrameWidgetClass, w.extraForm, "advOpt3SubFrame", fillForm(4));
  createExtraConfPane(frame);
  setModeButtonsSensitive(-1);
  showAdvOptForm(5);
  return w.page;
}

void showAdvOptForm(int form) {
  AdvancedPageWidgets& w = advancedPageWidgets();
  Widget shown = form == 1 ? w.userForm : form == 2 ? w.mailboxDocsForm
               : form == 3 || form == 4 ? w.secureDocsForm : form == 5 ? w.extraForm : nullptr;
  for (Widget sub : {w.userForm, w.mailboxDocsForm, w.secureDocsForm, w.extraForm}) {
    if (sub != shown) setManaged(sub, false);
  }
  if (shown) {
    setManaged(shown, true);
    setAdvOptTitle(form);
  }
  advancedState().advSubForm = form;
}

void setAdvOptTitle(int kind) {
  Widget title = advancedPageWidgets().titleLabel;
  if (title) setLabel(title, kind >= 2 && kind <= 5 ? kTitles[kind - 2] : kNoTitle);
}

void setAdvOptMode(int mode) {
  AdvancedPageWidgets& w = advancedPageWidgets();
  AdvancedState& st = advancedState();
  const UserEntry& e = setup().workEntry;
  if (mode != 1 && mode != 2 && mode != 4) return;
  st.userMode = mode;
  st.modeChosen = true;
  setManaged(w.boxForm, mode == 1);
  setManaged(w.secretForm, mode != 1);
  showWorkLogin();
  if (mode == 1) {
    XwCounterSetValue(w.counter, e.mailbox >= 0 ? e.mailbox : -1);
    setToggle(w.proofToggle, e.mailbox >= 0 ? e.proof : 0);
    setToggle(w.saveMailboxToggle, e.saveMailbox);
    setAdvOptTitle(2);
    return;
  }
  bool accounting = mode == 4;
  for (Widget x : {w.userIdField, w.idLabel, w.saveIdToggle}) setWidgetSensitive(x, accounting);
  fillUserIdField(accounting ? e.userId : std::string());
  if (accounting) {
    fillPasswordField(e.userPassword, &accountShadow());
  } else {
    fillPasswordField(e.securePassword, &securedShadow());
    accountShadow().clear();
  }
  setToggle(w.savePasswordToggle, accounting ? e.saveUserPassword : e.saveSecure);
  setToggle(w.saveIdToggle, accounting ? e.saveUserId : 0);
  setAdvOptTitle(accounting ? 4 : 3);
}

void setModeButtonsSensitive(int mode) {
  AdvancedPageWidgets& w = advancedPageWidgets();
  setWidgetSensitive(w.boxModeButton, mode != 2);
  setWidgetSensitive(w.securedModeButton, mode != 1);
}

void setAdvOptNextLabel(bool advanced) {
  AdvancedPageWidgets& w = advancedPageWidgets();
  if (!w.nextButton) return;
  if (advanced) setButtonFace(w.nextButton, kImgNext, kImgNextInv, "===>");
  else setButtonFace(w.nextButton, kImgAdd, kImgAddInv, "Update");
  setLabel(w.nextLabel, advanced ? "Next" : "Update");
  for (Widget x : {w.updateButton, w.updateLabel, w.deleteButton, w.deleteLabel}) setManaged(x, advanced);
}

void setUserListHeight(Widget list, int rows) {
  if (!list) list = advancedPageWidgets().userList;
  if (list) XtVaSetValues(list, XmNheight, static_cast<Dimension>(userEntryListHeight(rows)), nullptr);
}

bool advOptPageHelp(Widget picked) {
  AdvancedPageWidgets& w = advancedPageWidgets();
  const std::vector<HelpRow> rows = {
      {&w.previousButton, kHelpAdvPrevious}, {&w.previousLabel, kHelpAdvPrevious},
      {&w.nextButton, kHelpAdvNext},         {&w.nextLabel, kHelpAdvNext},
      {&w.updateButton, kHelpAdvUpdate},     {&w.updateLabel, kHelpAdvUpdate},
      {&w.smallForm, kHelpWorkingTitle},     {&w.titleLabel, kHelpWorkingTitle},
      {&w.basisForm, kHelpAdvancedMenu},     {&w.userForm, kHelpAdvancedMenu},
      {&w.listWindow, kHelpUserList},        {&w.userList, kHelpUserList},
      {&w.tableHeader, kHelpUserList},       {&w.boxModeButton, kHelpBoxButton},
      {&w.securedModeButton, kHelpSecuredButton}, {&w.accountModeButton, kHelpAccountingButton},
      {&w.loginField, kHelpLoginName},       {&w.boxLoginField, kHelpLoginName},
      {&w.userLabel, kHelpLoginName},        {&w.boxUserLabel, kHelpLoginName},
      {&w.userIdField, kHelpUserId},         {&w.idLabel, kHelpUserId},
      {&w.passwordField, kHelpPassword},     {&w.passwordLabel, kHelpPassword},
      {&w.saveIdToggle, kHelpForceUserId},   {&w.savePasswordToggle, kHelpForcePassword},
      {&w.saveMailboxToggle, kHelpForceMailbox}, {&w.proofToggle, kHelpProofCopy},
      {&w.banner, kHelpAdvQueueName},        {&w.bannerFrame, kHelpAdvQueueName},
      {&w.counter, kHelpBoxNumber},          {&w.boxNumberLabel, kHelpBoxNumber},
      {&w.deleteButton, kHelpDeleteUser},    {&w.deleteLabel, kHelpDeleteUser},
  };
  return showHelpFor(rows, picked);
}

void boxModeCB(Widget w, XtPointer, XtPointer) { runGuarded(w, [] { setAdvOptMode(1); }); }
void securedModeCB(Widget w, XtPointer, XtPointer) { runGuarded(w, [] { setAdvOptMode(2); }); }
void accountingModeCB(Widget w, XtPointer, XtPointer) { runGuarded(w, [] { setAdvOptMode(4); }); }

void advOptPreviousCB(Widget w, XtPointer, XtPointer) {
  runGuarded(w, [] {
    if (advancedState().advSubForm == 5) {
      SetThumbIndex(tabOfPage(kPageAdvanced));
      ManageMainForm(kPageAdvanced);
      showAdvOptForm(1);
      setAdvOptMode(1);
      return;
    }
    SetThumbIndex(tabOfPage(kPagePrintOptions));
    ManageMainForm(kPagePrintOptions);
  });
}

void advOptNextCB(Widget w, XtPointer, XtPointer) {
  runGuarded(w, [] {
    if (advancedState().advSubForm == 5) {
      checkQueueName();
      if (setup().queueExists) applyUserEntry(1);
      else goAction(1);
      return;
    }
    SetThumbIndex(tabOfPage(kPageExtra));
    ManageMainForm(kPageExtra);
  });
}

void advOptUpdateCB(Widget w, XtPointer, XtPointer) {
  runGuarded(w, [] {
    checkQueueName();
    const SetupState& s = setup();
    if (s.createMode || !s.queueExists) goAction(1);
    else applyUserEntry(1);
  });
}
