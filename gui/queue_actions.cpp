// The queue actions (see queue_actions.h).
#include "queue_actions.h"

#include <cstdio>
#include <string>
#include <vector>

#include "config_file.h"
#include "connect_page.h"
#include "cups_options.h"
#include "device_uri.h"
#include "dry_run.h"
#include "held_notices.h"
#include "main_window.h"
#include "page_hooks.h"
#include "page_navigation.h"
#include "printers_conf.h"
#include "queue_list_view.h"
#include "queue_name.h"
#include "report.h"
#include "screen_values.h"
#include "setup_state.h"
#include "trace.h"

namespace {

const char kEmptyTitle[] = "Empty Entry!";
const char kCreateTitle[] = "Printer Queue Creation";
const char kNoModel[] = "The field for the model\nis empty or non-valid!\n";
const char kNoHost[] = "The field for the IP Address\nor host name of the printer\nis empty!";

// The creation questions by connection type: raw queues and queues with a model.
struct Question {
  int type;
  int code;
  const char* text;
};
const Question kRawQuestions[] = {
    {kConnectLpd, 5,
     "Do you really want to create the LPD queue:\n\n\t'%s'\n\non the host:\n\t\t%s\nwith remote queue:\n\t%s?"},
    {kConnectTcp, 6,
     "Do you really want to create the TCP/IP queue:\n\n\t'%s'\n\non the host :\t\t%s\nand port :\t%d ?"},
    {kConnectLocal, 9, "Do you really want to create the local queue:\n\n\t'%s'\n\nwith device:\n\t\t%s?"},
    {kConnectUsb, 8, "Do you really want to create the USB queue:\n\n\t'%s'\n\nwith 'device' :\n\n\t%s ?"},
    {kConnectIpp, 5,
     "Do you really want to create the IPP queue:\n\n\t'%s'\n\non the host:\t\t%s\nand IPP port:\t%s ?"},
    {kConnectFile, 10,
     "Do you really want to create the queue:\n\n\t'%s'\n\nwith output to the file:\n\t\t%s?"},
};
const Question kModelQuestions[] = {
    {kConnectLpd, 17,
     "Do you really want to create the Jarn[LPD] %s :\n\t'%s'\nfor the model:\n\t%s\nand IP Address:\n\t'%s'\n"
     "and remote queue\n\t'%s' ?"},
    {kConnectTcp, 18,
     "Do you really want to create the Jarn[TCP/IP] %s :\n\t'%s'\nfor the model:\n\t%s\nand IP Address:\n\t'%s'\n"
     "and TCP/IP port\n\t'%d' ?"},
    {kConnectLocal, 21,
     "Do you really want to create the local %s queue:\n\n\t'%s'\n\nfor the model:\n\t%s\n\nwith device:\n\t\t%s?"},
    {kConnectUsb, 20,
     "Do you really want to create the Jarn[USB] %s :\n\t'%s'\nfor the model:\n\t%s\nand  Address:\n\t'%s' ?"},
    {kConnectIpp, 19,
     "Do you really want to create the Jarn[IPP] %s :\n\t'%s'\nfor the model:\n\t%s\nand IP Address:\n\t'%s'\n"
     "and IPP port\n\t'%s' ?"},
    {kConnectFile, 22,
     "Do you really want to create the %s queue:\n\t'%s'\n\nfor the model:\n\t%s\n\nwith output to the file:\n\t\t%s?"},
};
const char* const kTypeTexts[] = {"", "PS", "PCL", "PXL", "Velta KRPA"};

const Question* questionOf(const Question* table, int type) {
  for (size_t i = 0; i < 6; ++i) {
    if (table[i].type == type) return &table[i];
  }
  return nullptr;
}

// printf into a string; the arguments are C strings and ints.
template <typename... A>
std::string format(const char* text, A... args) {
  int size = std::snprintf(nullptr, 0, text, args...);
  std::string out(static_cast<size_t>(size > 0 ? size : 0), '\0');
  std::snprintf(&out[0], out.size() + 1, text, args...);
  return out;
}

std::string modelName() {
  const PageHooks& h = pageHooks();
  return h.modelName ? h.modelName() : std::string();
}

// The device a USB queue is created with, as chosen: the back end escapes
// its own copy for the command line.
const std::string& usbDevice(const SetupState& s) { return s.usbVariant == 1 ? s.usbDeviceId : s.usbDevicePath; }

// The text of the first empty field of the connection in force ("" when
// none is empty).
const char* emptyFieldText(const SetupState& s) {
  switch (s.connectType) {
    case kConnectLpd:
      if (s.lpdHost.empty()) return kNoHost;
      if (s.remoteQueue.empty()) return "The field for the Remote Queue names\nof the printer\nis empty or non-valid!";
      return "";
    case kConnectTcp: return s.tcpHost.empty() ? kNoHost : "";
    case kConnectLocal: return s.deviceName.empty() ? "The field for the 'device'\nis empty or non-valid!" : "";
    case kConnectFile: return s.fileName.empty() ? "The field for the file name\nis empty or non-valid!" : "";
    default: return "";
  }
}

std::string rawQuestion(const SetupState& s, const Question& q) {
  const char* name = s.printerName.c_str();
  switch (q.type) {
    case kConnectLpd: return format(q.text, name, s.lpdHost.c_str(), s.remoteQueue.c_str());
    case kConnectTcp: return format(q.text, name, s.tcpHost.c_str(), s.tcpPort);
    case kConnectLocal: return format(q.text, name, s.deviceName.c_str());
    case kConnectUsb: return format(q.text, name, usbDevice(s).c_str());
    case kConnectIpp: return format(q.text, name, s.ippHost.c_str(), s.ippPath.c_str());
    default: return format(q.text, name, s.fileName.c_str());
  }
}

std::string modelQuestion(const SetupState& s, const Question& q, const std::string& model) {
  const char* type = s.printerType >= 1 && s.printerType <= 4 ? kTypeTexts[s.printerType] : "";
  const char* name = s.printerName.c_str();
  const char* m = model.c_str();
  switch (q.type) {
    case kConnectLpd: return format(q.text, type, name, m, s.lpdHost.c_str(), s.remoteQueue.c_str());
    case kConnectTcp: return format(q.text, type, name, m, s.tcpHost.c_str(), s.tcpPort);
    case kConnectLocal: return format(q.text, type, name, m, s.deviceName.c_str());
    case kConnectUsb: return format(q.text, type, name, m, usbDevice(s).c_str());
    case kConnectIpp: return format(q.text, type, name, m, s.ippHost.c_str(), s.ippPath.c_str());
    default: return format(q.text, type, name, m, s.fileName.c_str());
  }
}

// The queue host the configuration stores, for the connections that have one.
void setPrinterHost(SetupState& s) {
  if (s.connectType == kConnectLpd || s.connectType == kConnectIpp) s.printerHost = s.lpdHost;
  if (s.connectType == kConnectTcp) s.printerHost = s.tcpHost;
}

// One changed setting sent with its command: the flag is cleared only when
// it was sent; otherwise its name joins the failed ones.
void sendSetting(int& changed, bool sent, const char* name, std::vector<std::string>* failed) {
  if (!changed) return;
  if (sent) changed = 0;
  else failed->push_back(name);
}

// Writes the record with the connection the spooler holds: the pages' own
// once their URI went out (or when none was due); after a URI that did not
// take, the daemon's, put in for the write only.
int saveRecordAsSpoolerHolds(const std::string& printer) {
  SetupState& s = setup();
  if (!s.deviceUriChanged) return saveQueueConfigIfNeeded();
  ConnectionFields pages = takeConnectionFields();
  std::string uri;
  int type = getCUPSInfo(printer, kTopicDeviceUri, &uri);
  int result = 0;
  if (type > 0 && applyDeviceURI(nullDeviceType(type, pages.connectType), uri) > 0) {
    result = saveQueueConfigIfNeeded();
  }
  putConnectionFields(pages);
  return result;
}

// The pages' queue is no longer in the spooler (removed behind the
// program's back): it is named, nothing is sent, and the list is read again.
void reportQueueGone(const std::string& printer) {
  SetupState& s = setup();
  doMessage(11, "Information Message",
            "The printer '" + printer + "'\nno longer exists in CUPS!\nNothing was sent.\n"
            "The list of queues has been read again.");
  dropPendingChanges();
  s.queueExists = 0;
  refreshQueueList();
}

// A changed connection that would make a device URI no back end can use
// (a file queue's path that is not absolute): the notice the user mends on
// the pages, before anything is sent; the changes stay pending.
bool changedConnectionAllowed() {
  const SetupState& s = setup();
  return !s.deviceUriChanged || s.connectType != kConnectFile || reportFileQueuePath(s.fileName);
}

// The device URI step: 0 sent or nothing to send, else failed.
bool sendChangedUri(const std::string& printer) {
  std::string why;
  std::string uri = buildDeviceURI(nullptr, &why);
  if (!why.empty()) {
    tracef("applyQueueSetup: %s\n", why.c_str());
    return false;
  }
  return uri.empty() || sendDeviceURI(printer) == 0;
}

PagesQueue& heldQueue() {
  static PagesQueue queue;
  return queue;
}

// For the length of an apply, the state names the pages' queue and its
// directories; the name picked since comes back afterwards.
class ActOnPagesQueue {
 public:
  ActOnPagesQueue() : saved_{setup().printerName, setup().queueDirName, setup().userFullDir} { put(heldQueue()); }
  ~ActOnPagesQueue() { put(saved_); }
  ActOnPagesQueue(const ActOnPagesQueue&) = delete;
  ActOnPagesQueue& operator=(const ActOnPagesQueue&) = delete;

 private:
  static void put(const PagesQueue& q) {
    SetupState& s = setup();
    s.printerName = q.name;
    s.queueDirName = q.dirName;
    s.userFullDir = q.fullDir;
  }
  PagesQueue saved_;
};

}  // namespace

const PagesQueue& pagesQueue() { return heldQueue(); }

void holdPagesQueue() {
  const SetupState& s = setup();
  heldQueue() = {s.printerName, s.queueDirName, s.userFullDir};
}

void dropPagesQueue(const std::string& onlyIf) {
  if (onlyIf.empty() || onlyIf == heldQueue().name) heldQueue() = PagesQueue();
}

void dropPendingChanges() {
  SetupState& s = setup();
  dropPagesQueue();
  clearSettingChanges(s);
  s.connectTypeChanged = 0;
}

void showNotYetCreated(const std::string& name) {
  doMessage(38, "Configuration Problem",
            "The queue: '" + name +
                "'\ndoes not yet exist!\nPlease first create\nthe queue with the OK button\nat the bottom left of "
                "the menu.");
}

int getSetupInfo() {
  SetupState& s = setup();
  if (traceLevel() > 0) tracef("getSetupInfo()\n");
  if (mainWidgets().mainShell) flushDisplay(mainWidgets().mainShell);
  if (!reportQueueName(s.printerName)) return 0;
  if (s.printerType == kTypeRaw) return 1;
  readConnectPage();
  if (modelName().empty()) doMessage(11, kEmptyTitle, kNoModel);
  return 1;
}

int creationQuestion(std::string* text) {
  SetupState& s = setup();
  if (s.printerType == kTypeRaw) {
    const Question* q = questionOf(kRawQuestions, s.connectType);
    if (!q) return 0;
    *text = rawQuestion(s, *q);
    return q->code;
  }
  const Question* q = questionOf(kModelQuestions, s.connectType);
  if (!q) return 0;
  *text = modelQuestion(s, *q, modelName());
  return q->code;
}

int goAction(int applyEntry) {
  SetupState& s = setup();
  if (traceLevel() > 0) tracef("MAIN/SUB=%d/%d\n", s.panelMode, s.connectKind);
  if (traceLevel() > 3) tracef("PrinterName:%s\n", s.printerName.c_str());
  if (s.printerName.empty()) {
    if (traceLevel() > 3) tracef("goAction:%s = 0\n", s.printerName.c_str());
    doMessage(11, kEmptyTitle, "The field for the printer name\nis empty!");
    return 0;
  }
  if (s.queueLoadPending) {
    // A name typed or picked since the pages were set up: they belong to
    // the name Next took, not to this one.
    ringBell(2);
    return 0;
  }
  readConnectPage();
  if (*emptyFieldText(s)) {
    doMessage(11, kEmptyTitle, emptyFieldText(s));
    return 0;
  }
  if (s.printerType != kTypeRaw) {
    bool needsModel = s.connectType != kConnectLocal && s.connectType != kConnectFile;
    if (needsModel && modelName().empty()) {
      doMessage(11, kEmptyTitle, kNoModel);
      return 0;
    }
    s.applyEntry = applyEntry;
  }
  std::string text;
  int code = creationQuestion(&text);
  if (code == 0) return 0;
  setPrinterHost(s);
  doMessage(code, kCreateTitle, text);
  return 0;
}

int saveQueueConfigIfNeeded() {
  const SetupState& s = setup();
  if (s.userFullDir.empty() || s.printerName.empty() || s.userName.empty() || s.ppdConfigReady != 1) return 0;
  if (skipWriteInDryRun(configFilePath())) return 0;  // a dry run writes no record
  return saveConfiguration() == 1 ? 1 : -1;
}

void applyQueueSetup(int notify) {
  SetupState& s = setup();
  PageHooks& h = pageHooks();
  // The pages' changes belong to the queue they were loaded for: once
  // another name is shown they are dropped, never sent to that queue.
  if (!heldQueue().name.empty() && s.printerName != heldQueue().name) dropPendingChanges();
  if (heldQueue().name.empty() || s.createMode) {
    // Nothing exists to send to: a new queue's settings go out with its
    // create, a name not yet loaded has no settings on the pages, and a
    // queue the program does not manage takes none. Only a request of the
    // user's own (notify) is answered.
    if (!notify) return;
    if (s.createMode || !s.queueExists) showNotYetCreated(s.printerName);
    else ringBell(s.queueLoadPending ? 2 : 4);
    return;
  }
  if (!spoolerHasQueue(heldQueue().name)) return reportQueueGone(heldQueue().name);
  ActOnPagesQueue scope;
  HeldNotices held;
  if (!getSetupInfo()) return held.showAsNotice();  // the name was refused
  if (!changedConnectionAllowed()) return;
  setPrinterHost(s);
  std::vector<std::string> failed;
  if (h.updatePPDOption) {
    std::vector<std::string> options;
    h.updatePPDOption(s.printerName, &options);
    for (const std::string& o : options) failed.push_back("PPD option " + o);
  }
  const std::string& name = s.printerName;
  sendSetting(s.bannersChanged, s.bannersChanged && setCUPSValue(name, "", kTopicBanners) == 0, "job sheets",
              &failed);
  sendSetting(s.errorPolicyChanged, s.errorPolicyChanged && setCUPSValue(name, "", kTopicErrorPolicy) == 0,
              "error policy", &failed);
  sendSetting(s.deviceUriChanged, s.deviceUriChanged && sendChangedUri(name), "device URI", &failed);
  sendSetting(s.ppdChanged, s.ppdChanged && setCUPSValue(name, s.ppdFile, kTopicPpd) == 0, "PPD file", &failed);
  if (saveRecordAsSpoolerHolds(name) < 0) failed.push_back("configuration file");
  if (!failed.empty()) {
    std::string text = "The printer '" + name + "'\ncould not be updated!";
    for (const std::string& f : failed) text += "\n" + f;
    s.updateReported = 0;
    doMessage(11, "Information Message", text);
  } else if (notify && !s.updateReported) {
    if (isDryRun()) showDryRunNotice(name);
    else doMessage(64, "Information Message", "The printer '" + name + "'\nhas been updated!");
    s.updateReported = 1;
  }
}

void queueOkAction() {
  SetupState& s = setup();
  if (s.queueLoadPending) {
    ringBell(2);
    if (traceLevel() >= 3) tracef("New Queue\n");
  } else if (s.queueManaged && s.queueExists) {
    if (traceLevel() >= 1) tracef("Update Jarn Queue\n");
    applyQueueSetup(1);
  } else if (!s.queueManaged && s.queueExists) {
    ringBell(4);
    if (traceLevel() >= 1) tracef("Unknown Queue\n");
  } else {
    if (traceLevel() >= 1) tracef("Create New Queue\n");
    goAction(0);
  }
}
