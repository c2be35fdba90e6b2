// The connection page frame (see connect_page.h).
#include "connect_page.h"

#include <Xm/Form.h>
#include <Xm/Frame.h>
#include <Xm/Label.h>

#include <string>
#include <vector>

#include "callback_guard.h"
#include "file_form.h"
#include "help_topics.h"
#include "ipp_form.h"
#include "local_form.h"
#include "lpd_form.h"
#include "main_window.h"
#include "page_navigation.h"
#include "page_widgets.h"
#include "queue_page.h"
#include "setup_state.h"
#include "string_helpers.h"
#include "tcp_form.h"
#include "trace.h"
#include "usb_form.h"
#include "widget_tips.h"

namespace {

void chooseConnectType(int type) {
  SetupState& s = setup();
  bool changed = checkConnectTypeChange(type);
  showConnectForm(type);
  if (changed) {
    s.connectTypeChanged = 1;
    noteConnectionEdit();
  }
  s.updateReported = 0;
}

bool formComplete(const SetupState& s) {
  switch (s.connectKind) {
    case kConnectLpd:
      return !s.lpdHost.empty() && (s.lpdRemoteKind != 6 || !s.remoteQueue.empty());
    case kConnectTcp: return !s.tcpHost.empty() && s.tcpPort > 0;
    case kConnectLocal: return s.localDeviceKind != 1 || !s.deviceName.empty();
    case kConnectUsb: return !(s.usbVariant == 1 ? s.usbDeviceId : s.usbDevicePath).empty();
    case kConnectIpp: return !s.ippHost.empty();
    case kConnectFile: return !s.fileName.empty();
    default: return true;
  }
}

Widget entryOfType(int type) {
  ConnectPageWidgets& w = connectPageWidgets();
  switch (type) {
    case kConnectLpd: return w.lpdEntry;
    case kConnectTcp: return w.tcpEntry;
    case kConnectOldIpp:
    case kConnectIpp: return w.ippEntry;
    case kConnectUsb: return w.usbEntry;
    case kConnectLocal: return w.localEntry;
    case kConnectFile: return w.fileEntry;
    default: return nullptr;
  }
}

}  // namespace

ConnectPageWidgets& connectPageWidgets() {
  static ConnectPageWidgets widgets;
  return widgets;
}

bool& connectFieldGuard() {
  static bool guard = false;
  return guard;
}

void noteConnectionEdit() {
  SetupState& s = setup();
  if (s.pagesLoading == 0 && s.queueManaged && s.queueExists) s.deviceUriChanged = 1;
}

Widget createConnectPage(Widget parent) {
  ConnectPageWidgets& w = connectPageWidgets();
  SetupState& s = setup();
  w.page = makePageWidget(xmFormWidgetClass, parent, "formParent", fillForm(2));
  XtUnmanageChild(w.page);
  w.banner = createQueueNameBanner(w.page, &w.bannerFrame);
  w.smallForm = makeFramedForm(w.page, "cnctSmallFrame", "cnctSmallForm", placeBelow(nullptr, 8), &w.smallFrame);
  const std::vector<MenuEntry> table = {
      {"remQLPDMenuPB", "Remote LPD", connectTypeLpdCB},
      {"remQTCPMenuPB", "Remote TCP/IP(9100)", connectTypeTcpCB},
      {"remQIPPMenuPB", "Remote IPP", connectTypeIppCB},
      {"usbQMenuPB", "Local USB", connectTypeUsbCB},
      {"localQMenuPB", "Local", connectTypeLocalCB},
      {"localQFileMenuPB", "File", connectTypeFileCB},
  };
  std::vector<Widget> e;
  w.typeMenu = makeOptionMenu(w.smallForm, "queTypeMenu", "queTypeMenuRC", "Connection Type:", table, &e,
                              placeBelow(nullptr, 4));
  w.lpdEntry = e[0], w.tcpEntry = e[1], w.ippEntry = e[2], w.usbEntry = e[3], w.localEntry = e[4],
  w.fileEntry = e[5];
  w.typePulldown = XtParent(e[0]);
  addTip(w.typeMenu, "Queue Type: Logical,LPD,TCP/IP,File.");
  addTip(w.lpdEntry, "Queue Type: Remote LPD.");

  w.previousButton = makeImageButton(w.page, "queLPDPreviousPB", "<===", kImgPrevious, kImgPreviousInv,
                                     connectPreviousCB, placeBottom(20, 30));
  w.previousLabel = makeTextLabel(xmLabelWidgetClass, w.page, "queLPDPreviousLbl", "Previous", placeBottom(20, 8));
  w.nextButton = makeImageButton(w.page, "queLPDNextPB", "===>", kImgNext, kImgNextInv, connectNextCB,
                                 placeBottom(70, 30));
  w.nextLabel = makeTextLabel(xmLabelWidgetClass, w.page, "queLPDNextLbl", "Next", placeBottom(70, 8));
  for (Widget x : {w.previousButton, w.previousLabel}) addTip(x, "To previous form: Queue name.");
  for (Widget x : {w.nextButton, w.nextLabel}) addTip(x, "To next form: Model Selection.");
  setWidgetSensitive(w.nextButton, !s.lpdHost.empty());

  w.baseForm = makeFramedForm(
      w.page, "conTypeLPDBigFrame", "connectBaseForm",
      joinArgs(placeBelow(w.smallFrame, 4),
               {{XmNrightAttachment, XmATTACH_FORM}, {XmNrightOffset, 8},
                {XmNbottomAttachment, XmATTACH_WIDGET},
                {XmNbottomWidget, reinterpret_cast<XtArgVal>(w.previousButton)}, {XmNbottomOffset, 8}}),
      &w.bigFrame);
  w.forms[kConnectLpd] = createLpdForm(w.baseForm);
  w.forms[kConnectTcp] = createTcpForm(w.baseForm);
  w.forms[kConnectIpp] = createIppPanel(w.baseForm);
  w.forms[kConnectUsb] = createUsbPanel(w.baseForm);
  w.forms[kConnectLocal] = createLocalForm(w.baseForm);
  w.forms[kConnectFile] = createLocalFileForm(w.baseForm);

  if (s.connectType == 0) s.connectType = kConnectLpd;
  showConnectForm(s.connectType);
  setConnectTypeMenu(s.connectType);
  showRemoteQueueText(nullptr);
  setRemoteKindMenu(s.lpdRemoteKind);
  setLPDTypeSensitive(1);
  setTcpEntrySensitive(-1);
  return w.page;
}

void showConnectForm(int type) {
  ConnectPageWidgets& w = connectPageWidgets();
  SetupState& s = setup();
  if (type >= kConnectLpd && type <= kConnectFile) {
    for (int t = kConnectLpd; t <= kConnectFile; ++t) {
      if (w.forms[t] && t != type) XtUnmanageChild(w.forms[t]);
    }
    if (w.forms[type]) XtManageChild(w.forms[type]);
  }
  s.connectKind = s.connectType = type;
  checkConnectPage();
}

void setConnectTypeMenu(int type) { showMenuEntry(connectPageWidgets().typeMenu, entryOfType(type)); }

void fillConnectPage(int type) {
  SetupState& s = setup();
  showConnectForm(type);
  setConnectTypeMenu(type);
  // Every form shows the loaded queue's fields, those it does not use at
  // their defaults: nothing of the queue shown before stays in a form that
  // a change of connection type would read back.
  showLpdHostText();
  setRemoteKindMenu(s.lpdRemoteKind);
  fillTcpFields();
  setLocalDevice(s.deviceName);
  if (type == kConnectUsb) updateUsbQBB(1);
  else clearUsbForm();
  fillIppFields();
  setFileNameText(s.fileName.c_str());
}

void checkConnectPage() {
  SetupState& s = setup();
  if (s.printerType == kTypeRaw || !formComplete(s)) {
    setConnectNextSensitive(false);
    return;
  }
  setConnectNextSensitive(true);
  if (s.queueExists == 0) {
    setEditMenuSensitive(255, 7);
    setThumbIndexSensitive(255, 7);
  }
}

bool checkConnectTypeChange(int type) {
  const SetupState& s = setup();
  bool changed = s.queueManaged && s.queueExists && type != s.connectType;
  if (changed && traceLevel() > 1) tracef("checkConnectTypeChange = TRUE.\n");
  return changed;
}

void setLPDTypeSensitive(int flag) {
  if (flag == -1) flag = 1;
  if (traceLevel() > 0)
    tracef("setLPDTypeSensitive(%d : lpMode=%d, QueueType=%d)\n", flag, setup().lpMode, setup().printerType);
  setWidgetSensitive(connectPageWidgets().lpdEntry, flag != 0);
}

void setTcpEntrySensitive(int flag) {
  if (flag == -1) flag = setup().lpMode == kLpCups;
  setWidgetSensitive(connectPageWidgets().tcpEntry, flag != 0);
}

void setFileEntrySensitive(int flag) { setWidgetSensitive(connectPageWidgets().fileEntry, flag != 0); }

void setConnectNextSensitive(bool on) { setWidgetSensitive(connectPageWidgets().nextButton, on); }

void setConnectPageNameLabel(const char* name) {
  Widget label = connectPageWidgets().banner;
  if (!label) return;
  std::string centred = centerLabelText(name ? name : "");
  XmString text = XmStringCreateLocalized(const_cast<char*>(centred.c_str()));
  XtVaSetValues(label, XmNlabelString, text, nullptr);
  XmStringFree(text);
}

void readConnectPage() {
  SetupState& s = setup();
  switch (s.connectType) {
    case kConnectLpd:
      readLpdHostText(nullptr);
      remoteKindToName();
      if (s.printerHost != s.lpdHost) s.printerHost = s.lpdHost;
      if (traceLevel() > 0) tracef("IP=%s:%s\n", s.lpdHost.c_str(), s.remoteQueue.c_str());
      break;
    case kConnectTcp:
      readTcpHostText(nullptr);
      readTcpPortText(nullptr);
      break;
    case kConnectLocal: readLocalDevice(); break;
    case kConnectUsb: getUsbSelection(); break;
    case kConnectIpp:
      getIppHostText(nullptr);
      getIppPortText(nullptr);
      break;
    case kConnectFile: readFileNameText(nullptr); break;
    default: break;
  }
}

void connectTypeLpdCB(Widget w, XtPointer, XtPointer) { runGuarded(w, [] { chooseConnectType(kConnectLpd); }); }
void connectTypeTcpCB(Widget w, XtPointer, XtPointer) { runGuarded(w, [] { chooseConnectType(kConnectTcp); }); }
void connectTypeIppCB(Widget w, XtPointer, XtPointer) { runGuarded(w, [] { chooseConnectType(kConnectIpp); }); }
void connectTypeUsbCB(Widget w, XtPointer, XtPointer) { runGuarded(w, [] { chooseConnectType(kConnectUsb); }); }
void connectTypeLocalCB(Widget w, XtPointer, XtPointer) { runGuarded(w, [] { chooseConnectType(kConnectLocal); }); }
void connectTypeFileCB(Widget w, XtPointer, XtPointer) { runGuarded(w, [] { chooseConnectType(kConnectFile); }); }

void connectNextCB(Widget w, XtPointer, XtPointer) {
  runGuarded(w, [] {
    SetThumbIndex(2);
    ManageMainForm(kPageModel);
  });
}

void connectPreviousCB(Widget w, XtPointer, XtPointer) {
  runGuarded(w, [] {
    SetThumbIndex(0);
    ManageMainForm(kPageQueue);
    setQueueListSensitive(true);
  });
}

bool connectPageHelp(Widget picked) {
  ConnectPageWidgets& w = connectPageWidgets();
  const std::vector<HelpRow> rows = {
      {&w.previousButton, kHelpConnectPrevious}, {&w.previousLabel, kHelpConnectPrevious},
      {&w.nextButton, kHelpConnectNext},         {&w.nextLabel, kHelpConnectNext},
      {&w.smallFrame, kHelpConnectTypeForm},     {&w.smallForm, kHelpConnectTypeForm},
      {&w.ippEntry, kHelpRemoteIpp},             {&w.usbEntry, kHelpLocalUsb},
      {&w.localEntry, kHelpLocalQueue},          {&w.lpdEntry, kHelpRemoteLpd},
      {&w.tcpEntry, kHelpRemoteTcp},             {&w.fileEntry, kHelpFileQueue},
      {&w.typeMenu, kHelpTypeOfQueue},           {&w.baseForm, kHelpTypeOfQueue},
      {&w.bannerFrame, kHelpConnectName},        {&w.banner, kHelpConnectName},
  };
  return showHelpFor(rows, picked);
}
