// The queue page (see queue_page.h).
#include "queue_page.h"

#include <Xm/Form.h>
#include <Xm/Frame.h>
#include <Xm/Label.h>
#include <Xm/PushB.h>
#include <Xm/TextF.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <vector>

#include "callback_guard.h"
#include "config_file.h"
#include "connect_page.h"
#include "device_uri.h"
#include "file_helpers.h"
#include "help_topics.h"
#include "lpd_form.h"
#include "main_window.h"
#include "page_hooks.h"
#include "page_navigation.h"
#include "page_widgets.h"
#include "ppd_search.h"
#include "queue_commands.h"
#include "queue_actions.h"
#include "queue_list.h"
#include "queue_list_view.h"
#include "queue_name.h"
#include "report.h"
#include "screen_values.h"
#include "setup_state.h"
#include "string_helpers.h"
#include "system_detection.h"
#include "text_fields.h"
#include "trace.h"
#include "widget_tips.h"

namespace {

const char kAccessTitle[] = "Access rights";
const char kAccessText[] =
    "You should be 'root' or 'administrator'\nfor this kind of operations.\nActually you don't have these rights.\nSorry!";
const char kNewQueueHint[] = "New queue name please.";
constexpr int kNameFieldSize = 14;

std::vector<Widget>& banners() {
  static std::vector<Widget> labels;
  return labels;
}

void setMasks(int mask) {
  setEditMenuSensitive(255, mask);
  setThumbIndexSensitive(255, mask);
}

void setNextAndDelete(bool on) {
  QueuePageWidgets& w = queuePageWidgets();
  setWidgetSensitive(w.nextButton, on);
  setWidgetSensitive(w.deleteButton, on);
}

// The name as a directory name: marker stripped, a listing's host suffix
// cut (recordNameOf). Never cut to a length: a longer name is another queue.
std::string cleanedName(const std::string& name) { return recordNameOf(stripQueueMarker(name)); }

// The name of the records of the queue `name` names: the managed printer's
// spelling when it is one (names compared as the spooler does), else the
// cleaned name.
std::string recordNameFor(const std::string& name) {
  std::string cleaned = cleanedName(name);
  std::string held = managedPrinterHolding(cleaned);
  return held.empty() ? cleaned : held;
}

// A name the spooler holds in another spelling (CUPS does not tell names
// apart by case), or else the managed list, is that queue: the field and
// printerName take the spooler's spelling (else the records'), so that its
// commands and its records go to the one queue.
void takeHeldSpelling() {
  SetupState& s = setup();
  std::string typed = cleanedName(s.printerName);
  if (typed != s.printerName) return;  // a listing's suffix: the name is taken as shown
  std::string held = systemQueueHolding(typed);
  if (held.empty()) held = managedPrinterHolding(typed);
  if (held.empty() || held == typed) return;
  QueuePageWidgets& w = queuePageWidgets();
  if (w.nameField) XmTextFieldSetString(w.nameField, const_cast<char*>(held.c_str()));
  s.printerName = held;
  setQueueNameLabels(held);
}

// The check of the name on Next. A name longer than any queue's can only be
// a new one: it gets the new name's notice, which gives the longest length.
bool reportNameOnNext(const std::string& name) {
  if (name.size() > kMaxQueueNameBytes) return reportNewQueueName(name);
  return reportQueueName(cleanedName(name));
}

// The type entries' work (the type menu itself has changed already).
void chooseQueueType(int type) {
  SetupState& s = setup();
  s.printerType = type;
  if (!s.printerName.empty()) {
    if (!s.queueExists) setMasks(3);
    setConnectNextSensitive(type != kTypeRaw);
  }
  if (type == kTypeRaw && s.connectType == kConnectOldIpp) {
    s.connectType = kConnectLpd;
    showConnectForm(kConnectLpd);
    setConnectTypeMenu(kConnectLpd);
  }
  setLPDTypeSensitive(1);
  setTcpEntrySensitive(-1);
  setFileEntrySensitive(1);
  s.updateReported = 0;
  if (type == kTypeRaw || (s.cupsFound == 0 && s.connectType == kConnectOldIpp)) return;
  s.connectType = kConnectLpd;
  showConnectForm(kConnectLpd);
  setConnectTypeMenu(kConnectLpd);
}

std::string configDirectory() {
  const SetupState& s = setup();
  if (!s.userDir.empty()) return s.userDir;
  for (const char* name : {"JARNWORKDIR", "JARNDIR"}) {
    const char* value = std::getenv(name);
    if (value && *value) return value;
  }
  return std::string();
}

// Loads the stored settings of a managed queue into every page, once per typed name.
void loadQueueIntoPages() {
  SetupState& s = setup();
  PageHooks& h = pageHooks();
  s.pagesLoading = 1;
  parseDeviceURI();
  // The remote queue's kind before the LPD form shows it, so that the
  // form's standard name never replaces the stored one.
  CheckRemQueName(s.remoteQueue.c_str());
  if (h.resetExtraPane) h.resetExtraPane();
  fillConnectPage(s.connectType);
  // The options and special fields edited for the queue shown before go
  // with it.
  if (h.resetOptionPages) h.resetOptionPages();
  if (!s.ppdFile.empty()) {
    if (h.openPpd) h.openPpd();
    else getPpdModelName(s.ppdFile, &s.modelName);
  }
  if (h.restoreDynamicData) h.restoreDynamicData();
  if (h.reloadUserList) h.reloadUserList(s.printerName);
  setQueueTypeMenu(s.printerType);
  s.queueLoadPending = 0;
  if (h.loadCupsOptions) h.loadCupsOptions();
  if (h.setPpdBrowseSensitive) h.setPpdBrowseSensitive(false);
  if (!s.printerHost.empty()) fillLpdHostFromPrinterHost();
  CheckRemQueName(s.remoteQueue.c_str());
  setRemoteKindMenu(s.lpdRemoteKind);
  // What was changed for the queue shown before is dropped with it.
  clearSettingChanges(s);
  s.pagesLoading = 0;
}

void prepareNewQueue(int flag) {
  SetupState& s = setup();
  PageHooks& h = pageHooks();
  s.queueLoadPending = 0;
  dropPagesQueue();
  if (h.resetOptionPages) h.resetOptionPages();
  clearSettingChanges(s);
  if (flag) {
    SetThumbIndex(1);
    ManageMainForm(kPageConnect);
  }
  if (h.reloadUserList) h.reloadUserList(std::string());
  if (h.resetBannerFields) h.resetBannerFields();
  if (h.clearPpdFileName) {
    h.clearPpdFileName();
  } else {
    s.ppdFile.clear();
    s.modelName.clear();
  }
  if (h.resetExtraPane) h.resetExtraPane();
  setQueueListSensitive(false);
  checkConnectPage();
  s.updateReported = 0;
  if (h.setPpdBrowseSensitive) h.setPpdBrowseSensitive(true);
  s.ppdOrgFile.clear();
}

// The PPD a queue is loaded with: its record's; when the record names none
// (missing, unusable, or without PPDFILE) the daemon's copy of the queue's
// PPD; else none. Nothing of the queue shown before is kept.
void takeQueuePpd() {
  SetupState& s = setup();
  PageHooks& h = pageHooks();
  if (h.clearPpdFileName) {
    h.clearPpdFileName();
  } else {
    s.ppdFile.clear();
    s.modelName.clear();
  }
  s.ppdOrgFile = s.ppdOrgFileText;
  std::string installed;
  if (!s.ppdFileText.empty()) {
    s.ppdFile = s.ppdFileText;
  } else if (getCupsPPDFname(s.printerName, &installed, 1)) {
    s.ppdFile = installed;
    cutField(s.ppdFile, kPathSize);
  }
}

void prepareManagedQueue(int flag) {
  SetupState& s = setup();
  std::string path = s.userDir + "/" + s.queueDirName + "/root/jarnConfig";
  // The PPD texts are those of this queue's record only.
  s.ppdFileText.clear();
  s.ppdOrgFileText.clear();
  if (isSafeEntryName(s.queueDirName) && !s.userDir.empty()) {
    int read = 0;
    std::ifstream probe(path);
    if (probe.good()) read = getConfiguration(path);
    if (read == 1) copyConfigDirs();
    if (traceLevel() > 2) tracef("goThroughPanel(getConfiguration(%s)=%d.\n", path.c_str(), read);
  }
  if (flag) {
    SetThumbIndex(1);
    ManageMainForm(kPageConnect);
  }
  setQueueListSensitive(false);
  if (s.queueLoadPending == 1) {
    takeQueuePpd();
    loadQueueIntoPages();
  }
  holdPagesQueue();
  checkConnectPage();
  s.updateReported = 0;
}

void nameTyped(Widget field) {
  SetupState& s = setup();
  std::string text = getTextValue(field);
  if (!checkAccessRights(0)) {
    s.fatalReason = 1;
    doMessage(2, kAccessTitle, kAccessText);
    return;
  }
  if (text.empty()) {
    setNextAndDelete(false);
    setThumbIndexWidgetSensitive(false);
    setQueueNameLabels(std::string());
    setMasks(1);
    s.queueLoadPending = 0;
  } else {
    s.printerName = text;  // whole: a name too long is refused on Next, never cut
    setQueueNameLabels(s.printerName);
    s.queueExists = isSystemQueue(s.printerName);
    setTestPrintSensitive(s.queueExists != 0);
    if (traceLevel() > 3) tracef("PrinterName: %s\n", s.printerName.c_str());
    bool on = s.createMode ? !s.queueExists : s.queueExists != 0;
    setNextAndDelete(on);
    setThumbIndexWidgetSensitive(on);
    setMasks(s.createMode && s.queueExists ? 1 : 3);
    if (!(s.createMode && s.queueExists)) setConnectNextSensitive(s.printerType != kTypeRaw);
    s.queueLoadPending = 1;
  }
  s.updateReported = 0;
  // The flags hold for the name as typed until Next classifies it again.
  std::string dirName = cleanedName(s.printerName);
  s.queueManaged = text.empty() ? 0 : isManagedPrinter(dirName);
}

}  // namespace

QueuePageWidgets& queuePageWidgets() {
  static QueuePageWidgets widgets;
  return widgets;
}

Widget createQueueNameBanner(Widget parent, Widget* frame) {
  Widget f = makePageWidget(xmFrameWidgetClass, parent, "QNameFrame",
                            {{XmNtopAttachment, XmATTACH_FORM}, {XmNtopOffset, 8},
                             {XmNrightAttachment, XmATTACH_FORM}, {XmNrightOffset, 8}});
  Widget label = makeTextLabel(xmLabelWidgetClass, f, "QNameLbl", "***", {{XmNrecomputeSize, True}});
  addTip(f, "Name of the selected queue.");
  addTip(label, "Name of the selected queue.");
  banners().push_back(label);
  if (frame) *frame = f;
  return label;
}

Widget createQueueNameForm(Widget parent) {
  QueuePageWidgets& w = queuePageWidgets();
  const char tip[] = "Name of the queue to create/update.";
  w.typeBigForm = makePageWidget(xmFormWidgetClass, parent, "queTypeBigForm", fillForm(4));
  w.nameForm = makeFramedForm(w.typeBigForm, "queNameFrame", "queNameForm", fillForm(8), &w.nameFrame);
  w.nameLabel = makeTextLabel(xmLabelWidgetClass, w.nameForm, "queNameLbl", "Name of the queue:",
                              placeBelow(nullptr, 12));
  w.nameField = makeTextField(w.nameForm, "queNameTxt", kNameFieldSize, queueNameChangedCB, true,
                              joinArgs(placeBelow(nullptr, 8, w.nameLabel), {{XmNcolumns, 16}}));
  w.newNameHint = makeTextLabel(xmLabelWidgetClass, w.nameForm, "queNameNewLbl", "", placeBelow(w.nameField, 8));
  XtVaSetValues(w.newNameHint, XmNforeground, getColorPixel(w.newNameHint, "red"), nullptr);
  for (Widget x : {w.nameLabel, w.nameField, w.newNameHint}) addTip(x, tip);
  setNewQueueHint(false);
  return w.typeBigForm;
}

Widget createQueuePage(Widget parent) {
  QueuePageWidgets& w = queuePageWidgets();
  SetupState& s = setup();
  w.page = makePageWidget(xmFormWidgetClass, parent, "jarnQueFormF", fillForm(2));
  XtUnmanageChild(w.page);
  w.banner = createQueueNameBanner(w.page, &w.bannerFrame);
  w.typeSmallForm = makePageWidget(xmFormWidgetClass, w.page, "queueTypeSmlForm", placeBelow(nullptr, 8));
  const std::vector<MenuEntry> types = {{"queTypePDMenu_ps", "PostScript", queueTypePsCB},
                                        {"queTypePDMenu_pcl", "PCL", queueTypePclCB},
                                        {"queTypePDMenu_pxl", "PXL (PCL6)", queueTypePxlCB},
                                        {"queTypePDMenu_raw", "raw", queueTypeRawCB}};
  std::vector<Widget> entries;
  w.typeMenu = makeOptionMenu(w.typeSmallForm, "queueTypeMenu", "queTypePDMenu", "Queue Type:", types,
                              &entries, placeBelow(nullptr, 4));
  for (int i = 0; i < 4; ++i) w.typeEntries[i] = entries[static_cast<size_t>(i)];
  w.typePulldown = XtParent(entries[0]);
  addTip(w.typeSmallForm, "Type of queue: PS,PCL,PXL.");

  w.deleteButton = makeImageButton(w.page, "queDelQPB", "Delete", kImgDel, kImgDelInv, deleteQueueCB,
                                   placeBottom(20, 30));
  w.deleteLabel = makeTextLabel(xmLabelWidgetClass, w.page, "queDelQLbl", "Delete", placeBottom(20, 8));
  w.nextButton = makeImageButton(w.page, "queNextPB", "===>", kImgNext, kImgNextInv, queueNextCB,
                                 placeBottom(70, 30));
  w.nextLabel = makeTextLabel(xmLabelWidgetClass, w.page, "queNextLbl", "Next", placeBottom(70, 8));
  for (Widget x : {w.deleteButton, w.deleteLabel}) addTip(x, "DELETE the SELECTED queue.");
  for (Widget x : {w.nextButton, w.nextLabel}) addTip(x, "To next form: Port.");

  w.typeBaseForm = makeFramedForm(
      w.page, "queTypeBigFrame", "queTypeBaseForm",
      joinArgs(placeBelow(w.typeSmallForm, 8),
               {{XmNrightAttachment, XmATTACH_FORM}, {XmNrightOffset, 8},
                {XmNbottomAttachment, XmATTACH_WIDGET}, {XmNbottomWidget, reinterpret_cast<XtArgVal>(w.deleteButton)},
                {XmNbottomOffset, 8}}),
      &w.typeBigFrame);
  createQueueNameForm(w.typeBaseForm);

  setNextAndDelete(false);
  setThumbIndexWidgetSensitive(false);
  setQueueTypeMenu(s.printerType);
  XmProcessTraversal(w.nameField, XmTRAVERSE_CURRENT);
  XmProcessTraversal(w.nameField, XmTRAVERSE_CURRENT);
  return w.page;
}

void queueNameChangedCB(Widget w, XtPointer, XtPointer) {
  runGuarded(w, [w] { nameTyped(w); });
}

void setQueueName(const char* name, int readType) {
  SetupState& s = setup();
  QueuePageWidgets& w = queuePageWidgets();
  if (!name) {
    if (w.nameField) XmTextFieldSetString(w.nameField, const_cast<char*>(""));
    s.printerName.clear();
    showMainQueueName(std::string());
    s.queueLoadPending = 0;
    setNextAndDelete(false);
    setMasks(1);
    setThumbIndexWidgetSensitive(false);
    setTestPrintSensitive(false);
    if (readType) setQueueTypeMenu(kTypePostScript);
    return;
  }
  // The name as the list shows it, whole ("zz@q" is a queue of its own),
  // within the 127 bytes of any queue's name.
  std::string cleaned = stripQueueMarker(name);
  cutField(cleaned, kPrinterNameSize);
  if (w.nameField) XmTextFieldSetString(w.nameField, const_cast<char*>(cleaned.c_str()));
  if (readType) {
    int type = readPrinterType(recordNameFor(cleaned));
    setQueueTypeMenu(type < 0 ? kTypeRaw : type);
  }
  if (cleaned.empty()) {
    setNextAndDelete(false);
    setMasks(1);
    setThumbIndexWidgetSensitive(false);
    return;
  }
  s.queueManaged = isManagedPrinter(cleanedName(cleaned));
  s.queueExists = isSystemQueue(cleaned);
  bool create = s.createMode != 0;
  if (s.queueExists) {
    setWidgetSensitive(w.deleteButton, !create);
    if (s.queueManaged) setWidgetSensitive(w.nextButton, true);
    setTestPrintSensitive(!create);
  } else {
    setWidgetSensitive(w.nextButton, create);
    setTestPrintSensitive(false);
  }
  if (s.printerType == kTypeRaw) {
    setMasks(3);
    setConnectNextSensitive(false);
  } else {
    setMasks(create ? 1 : (s.queueManaged ? 255 : 3));
    setConnectNextSensitive(!create);
  }
  setThumbIndexWidgetSensitive(!create);
  if (s.queueManaged && !create) setMasks(255);
}

int checkQueueName() {
  SetupState& s = setup();
  int root = checkAccessRights(0);
  if (traceLevel() > 1) tracef("checkQueueName(root = %d)\n", root);
  if (!root) doMessage(1, kAccessTitle, kAccessText);
  takeHeldSpelling();
  s.queueDirName = recordNameFor(s.printerName);
  if (!s.userDir.empty()) s.userFullDir = s.userDir + "/" + s.queueDirName;
  s.queueExists = isSystemQueue(cleanedName(s.printerName));
  if (!s.queueExists) {
    s.queueManaged = 0;
    return 0;
  }
  s.queueManaged = isManagedPrinter(s.queueDirName);
  if (s.queueManaged) return 2;
  s.printerType = kTypeRaw;
  return 1;
}

int goThroughPanel(int flag) {
  SetupState& s = setup();
  if (s.fatalReason == 8) {
    doMessage(11, "Configuration File", "*** NO CUPS DAEMON FOUND! ***");
    ringBell(2);
    return 0;
  }
  // A name no queue can have never reaches the spooler or the directories.
  if (!s.printerName.empty() && !reportNameOnNext(s.printerName)) return 0;
  int kind = checkQueueName();
  if (kind == 1) {
    ringBell(2);
    return 0;
  }
  // A new queue's name as typed, whole: one that CUPS or its clients
  // would misread is mended here, before anything is sent.
  if (kind == 0 && !reportNewQueueName(s.printerName)) return 0;
  if (kind == 0) prepareNewQueue(flag);
  else prepareManagedQueue(flag);
  return 0;
}

void queueNextCB(Widget w, XtPointer, XtPointer) {
  runGuarded(w, [] { goThroughPanel(1); });
}

int readPrinterType(const std::string& name) {
  std::string dir = configDirectory();
  if (dir.empty() || !isSafeEntryName(name)) return -1;
  std::ifstream in(dir + "/" + name + "/root/jarnConfig");
  std::string line;
  while (std::getline(in, line)) {
    size_t start = line.find_first_not_of(" \t");
    if (start == std::string::npos) continue;
    size_t end = line.find_first_of(" \t", start);
    if (line.compare(start, end == std::string::npos ? std::string::npos : end - start, "PRINTERTYPE") != 0)
      continue;
    if (end == std::string::npos) return -1;
    size_t digits = line.find_first_not_of(" \t", end);
    if (digits == std::string::npos) return -1;
    int value = 0;
    if (!leadingDecimalInRange(line.substr(digits), 0, 10, &value)) return -1;
    return value;
  }
  return -1;
}

void resetQueueType() {
  SetupState& s = setup();
  setQueueTypeMenu(kTypePostScript);
  if (s.cupsFound == 0 && s.connectType == kConnectOldIpp) {
    s.printerType = kTypePostScript;
    setLPDTypeSensitive(1);
    setTcpEntrySensitive(-1);
    setFileEntrySensitive(1);
    s.updateReported = 0;
    showConnectForm(kConnectOldIpp);
    setConnectTypeMenu(kConnectOldIpp);
    return;
  }
  chooseQueueType(kTypePostScript);
}

void setQueueTypeMenu(int type) {
  QueuePageWidgets& w = queuePageWidgets();
  static const int kEntryOfType[6] = {-1, 0, 1, 2, 2, 3};
  if (type < 1 || type > 5) return;
  showMenuEntry(w.typeMenu, w.typeEntries[kEntryOfType[type]]);
}

void setNewQueueHint(bool on) {
  QueuePageWidgets& w = queuePageWidgets();
  if (!w.newNameHint) return;
  XmString text = XmStringCreateLocalized(const_cast<char*>(on ? kNewQueueHint : "                   "));
  XtVaSetValues(w.newNameHint, XmNlabelString, text, nullptr);
  XmStringFree(text);
  flushDisplay(w.newNameHint);
}

void setQueueNameLabels(const std::string& name) {
  std::string centred = centerLabelText(name);
  for (Widget label : banners()) {
    XmString text = XmStringCreateLocalized(const_cast<char*>(centred.c_str()));
    XtVaSetValues(label, XmNlabelString, text, XmNforeground,
                  getColorPixel(label, setup().createMode == 1 ? "red" : "black"), nullptr);
    XmStringFree(text);
  }
}

void copyConfigDirs() {
  SetupState& s = setup();
  if (!s.tmpDirText.empty()) s.tmpDir = s.tmpDirText;
  if (!s.ppdDirText.empty()) ppdSearchDir() = s.ppdDirText;
  if (!s.ppdFileText.empty()) s.ppdFile = s.ppdFileText;
  if (!s.ppdOrgFileText.empty()) s.ppdOrgFile = s.ppdOrgFileText;
}

void deleteQueueCB(Widget w, XtPointer, XtPointer) {
  runGuarded(w, [] {
    SetupState& s = setup();
    if (s.queueExists) {
      takeHeldSpelling();  // the question names the queue as the spooler spells it
      doMessage(2, "Delete a Queue", "Are you sure you want to delete queue:\n\t" + s.printerName + "?\n");
    } else {
      doMessage(3, "Delete a Queue",
                "You cannot delete the queue:\n\t" + s.printerName + "\nbecause it doesn't exist.");
    }
    s.updateReported = 0;
  });
}

void queueTypePsCB(Widget w, XtPointer, XtPointer) { runGuarded(w, [] { chooseQueueType(kTypePostScript); }); }
void queueTypePclCB(Widget w, XtPointer, XtPointer) { runGuarded(w, [] { chooseQueueType(kTypePcl); }); }
void queueTypePxlCB(Widget w, XtPointer, XtPointer) { runGuarded(w, [] { chooseQueueType(kTypePclXl); }); }
void queueTypeRawCB(Widget w, XtPointer, XtPointer) { runGuarded(w, [] { chooseQueueType(kTypeRaw); }); }

bool queuePageHelp(Widget picked) {
  QueuePageWidgets& w = queuePageWidgets();
  const std::vector<HelpRow> rows = {
      {&w.deleteLabel, kHelpDeleteQueue},     {&w.deleteButton, kHelpDeleteQueue},
      {&w.nextLabel, kHelpNextPort},          {&w.nextButton, kHelpNextPort},
      {&w.typeSmallForm, kHelpQueueType},     {&w.typePulldown, kHelpQueueType},
      {&w.typeMenu, kHelpQueueType},          {&w.typeBigFrame, kHelpWorkingMenus},
      {&w.typeBigForm, kHelpWorkingMenus},    {&w.typeBaseForm, kHelpWorkingMenus},
      {&w.nameFrame, kHelpQueueNameField},    {&w.nameForm, kHelpQueueNameField},
      {&w.nameField, kHelpQueueNameField},    {&w.nameLabel, kHelpQueueNameField},
      {&w.bannerFrame, kHelpQueueNameBanner}, {&w.banner, kHelpQueueNameBanner},
  };
  return showHelpFor(rows, picked);
}
