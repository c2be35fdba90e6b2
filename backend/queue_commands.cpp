// Queue commands: create, accept and enable, delete.
#include "queue_commands.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>

#include "command_formats.h"
#include "device_uri.h"
#include "file_helpers.h"
#include "fs_root.h"
#include "queue_name.h"
#include "report.h"
#include "setup_state.h"
#include "sleeper.h"
#include "system_detection.h"
#include "trace.h"

namespace {

const char kDeleteTitle[] = "Jarn 2.0-10 Update";
constexpr int kDeleteQuestionCode = 28;  // the message page's question icon for a deletion
constexpr int kDeleteFailedCode = 11;    // the message page's stop icon
// The status of a command refused before it ran (a bad queue name or field).
constexpr int kRefusedStatus = 1;
const char kAccessTitle[] = "Access rights";
const char kAccessText[] =
    "You should be 'root' or 'administrator'\nfor this kind of operations.\nActually you don't have these rights.\nSorry!";

// A tool's path from its slot, or its bare name when detection found none.
std::string tool(int slot, const char* name) {
  const std::string& path = setup().toolPaths[slot];
  return path.empty() ? std::string(name) : path;
}

int run(const char* format, const std::vector<FormatArg>& args) {
  return runSpoolerCommand(commandFromFormat(format, args));
}

// The USB text in force, in its two forms: as the printed command shows it,
// and as the URI after "usb://" that CUPS receives. False (with the message
// shown) when no URI can be made of it.
bool usbArg(std::vector<FormatArg>* args) {
  const SetupState& s = setup();
  const std::string& text = s.usbVariant == 1 ? s.usbDeviceId : s.usbDevicePath;
  std::string uri, why;
  if (!makeUsbUri(text, &uri, &why)) {
    reportDeviceField(why);
    return false;
  }
  args->push_back(FormatArg(usbShellText(text), uri.substr(std::strlen("usb://"))));
  return true;
}

// The network URI of a connection type, from its host, port and path or
// queue fields; false (with the message shown) when a field is refused.
bool networkUri(int type, const std::string& host, const std::string& remote, std::string* uri) {
  const SetupState& s = setup();
  std::string why;
  bool ok = type == kConnectTcp   ? makeSocketUri(host, s.tcpPort, uri, &why)
            : type == kConnectIpp ? makeIppUri(host, remote, uri, &why)
                                  : makeLpdUri(host, remote, uri, &why);
  if (!ok) reportDeviceField(why);
  return ok;
}

// The device part of a queue with a PPD: its format and values. False when
// a field is refused (nothing must then run); `*format` stays null for a
// connection without a device part.
bool ppdDevicePart(const char** format, std::vector<FormatArg>* args) {
  const SetupState& s = setup();
  std::string uri;
  switch (s.connectType) {
    case kConnectLpd:
      *format = fmt::kPpdDeviceLpd;
      if (!networkUri(kConnectLpd, s.lpdHost, s.remoteQueue, &uri)) return false;
      *args = {uri};
      return true;
    case kConnectTcp:
      *format = fmt::kPpdDeviceTcp;
      if (!networkUri(kConnectTcp, s.tcpHost, std::string(), &uri)) return false;
      *args = {uri};
      return true;
    case kConnectLocal:
      *format = fmt::kPpdDeviceLocal;
      *args = {localDeviceUri(s.deviceName)};
      return true;
    case kConnectUsb:
      *format = fmt::kPpdDeviceUsb;
      return usbArg(args);
    case kConnectIpp:
      *format = fmt::kPpdDeviceIpp;
      if (!networkUri(kConnectIpp, s.ippHost, s.ippPath, &uri)) return false;
      *args = {uri};
      return true;
    case kConnectFile:
      *format = fmt::kPpdDeviceFile;
      *args = {fileUriTail(s.fileName)};
      return true;
    default:
      return true;
  }
}

// True for a regular file (not a link).
bool isRegularFile(const std::string& path) {
  struct stat st;
  return ::lstat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}

// True for a character device with the device numbers of /dev/null: the
// node System V's lp made for a queue, and nothing else.
bool isNullDeviceNode(const std::string& path) {
  struct stat node, null;
  if (::lstat(path.c_str(), &node) != 0 || !S_ISCHR(node.st_mode)) return false;
  if (::stat("/dev/null", &null) != 0) return false;
  return node.st_rdev == null.st_rdev;
}

// Removes what a System V or CUPS queue left beside the spooler: the null
// device node of a System V queue and a model file of the queue's name.
void removeQueueLeftovers(const std::string& queue) {
  const SetupState& s = setup();
  if (!isSafeEntryName(queue)) return;
  if (s.lpMode == kLpSysV && queue != "null") {
    std::string node = rootedPath("/dev/" + queue);
    if (isNullDeviceNode(node)) ::unlink(node.c_str());
  }
  std::string model;
  if (s.lpMode == kLpSysV) {
    model = rootedPath("/usr/spool/lp/model/" + queue);
  } else if (s.lpMode == kLpCups && !s.toolPaths[kToolCupsDataDir].empty()) {
    model = s.toolPaths[kToolCupsDataDir] + "/model/" + queue;
  }
  if (model.empty() || !isRegularFile(model)) return;
  std::string old = model + ".old";
  if (::rename(model.c_str(), old.c_str()) != 0 && isRegularFile(model)) ::unlink(model.c_str());
}

}  // namespace

namespace {
SpoolerCommandLog& commandLog() {
  static SpoolerCommandLog log;
  return log;
}
}  // namespace

SpoolerCommandLog setSpoolerCommandLog(SpoolerCommandLog log) {
  SpoolerCommandLog before = std::move(commandLog());
  commandLog() = std::move(log);
  return before;
}

int runSpoolerCommand(const Command& cmd) {
  if (commandLog()) commandLog()(cmd.text);
  return exitCodeOf(runCommand(cmd, setup().traceLevel, RunMode::Spooler));
}

int createQueueByUri(const std::string& queue) {
  SetupState& s = setup();
  if (!reportQueueName(queue)) return 0;
  const std::string lpadmin = tool(kToolLpadmin, "lpadmin");
  std::string uri;
  int status;
  switch (s.connectType) {
    case kConnectTcp:
      if (!networkUri(kConnectTcp, s.tcpHost, std::string(), &uri)) return 0;
      status = run(fmt::kCreateTcp, {lpadmin, queue, uri});
      break;
    case kConnectLocal:
      status = run(fmt::kCreateLocal, {lpadmin, queue, localDeviceUri(s.deviceName)});
      break;
    case kConnectUsb: {
      std::vector<FormatArg> args = {lpadmin, queue};
      if (!usbArg(&args)) return 0;
      status = run(s.usbVariant == 1 ? fmt::kCreateUsbId : fmt::kCreateUsbPath, args);
      break;
    }
    case kConnectIpp:
      if (!networkUri(kConnectIpp, s.ippHost, s.ippPath, &uri)) return 0;
      status = run(fmt::kCreateIpp, {lpadmin, queue, uri});
      break;
    case kConnectFile:
      status = run(fmt::kCreateFile, {lpadmin, queue, fileUriTail(s.fileName)});
      break;
    default: {
      std::string host = s.newQueueRemoteHost.empty() ? s.lpdHost : s.newQueueRemoteHost;
      std::string remote = s.newQueueRemoteQueue.empty() ? s.remoteQueue : s.newQueueRemoteQueue;
      if (!networkUri(kConnectLpd, host, remote, &uri)) return 0;
      status = run(fmt::kCreateLpd, {lpadmin, queue, uri});
      break;
    }
  }
  if (status != 0) return 0;
  return enableQueue(queue) == 0 ? 1 : 0;
}

int createQueueWithPPD(const std::string& queue) {
  SetupState& s = setup();
  if (!reportQueueName(queue)) return kRefusedStatus;
  std::string format = fmt::kCreatePpdHead;
  std::vector<FormatArg> args = {tool(kToolLpadmin, "lpadmin"), queue, s.ppdFile};
  const char* part = nullptr;
  std::vector<FormatArg> partArgs;
  if (!ppdDevicePart(&part, &partArgs)) return kRefusedStatus;
  if (part) {
    format += part;
    args.insert(args.end(), partArgs.begin(), partArgs.end());
  }
  int status = runSpoolerCommand(commandFromFormat(format.c_str(), args));
  if (status != 0) return status;
  status = enableQueue(queue);
  if (status != 0) return status;
  std::string installed;
  if (s.traceLevel != 1 && isOriginalPPD() && getCupsPPDFname(queue, &installed, 1)) {
    s.ppdFile = installed;
    cutField(s.ppdFile, kPathSize);
  }
  return 0;
}

int enableQueue(const std::string& queue) {
  if (!reportQueueName(queue)) return kRefusedStatus;
  int accepted = run(fmt::kAccept, {tool(kToolAccept, "accept"), queue});
  if (accepted != 0) {
    Command fallback = commandFromFormat(fmt::kAcceptFallback, {queue});
    fallback.argv[0] = rootedPath(fallback.argv[0]);
    accepted = runSpoolerCommand(fallback);
  }
  int enabled = run(fmt::kEnable, {tool(kToolEnable, "enable"), queue});
  if (enabled != 0) return enabled;
  return accepted;
}

int deleteSpoolerQueue(const std::string& queue, int ask) {
  SetupState& s = setup();
  if (!reportQueueName(queue)) return 0;
  if (ask) {
    std::string text = "Are you sure you want to delete queue:\n\t" + queue + "?\n";
    if (!askInPanel(kDeleteQuestionCode, kDeleteTitle, text)) return 0;
  }
  if (s.lpMode != 0 && s.lpMode != kLpSysV && s.lpMode != kLpCups) return 0;

  const std::string lpadmin = tool(kToolLpadmin, "lpadmin");
  int status = run(fmt::kDelete, {lpadmin, queue});
  if (status != 0) {
    const std::string& lpstat = s.toolPaths[kToolLpstat];
    if (lpstat.empty()) {
      run(fmt::kDeleteProbeBare, {queue});
    } else {
      run(fmt::kDeleteProbe, {lpstat, queue});
    }
    sleepSeconds(1);
    status = run(fmt::kDelete, {lpadmin, queue});
  }
  if (status != 0) {
    tracef("deleteSpoolerQueue(%s) = %d\n", queue.c_str(), status);
    doMessage(kDeleteFailedCode, kDeleteTitle, "Cannot delete queue:\n\t" + queue + "\n");
    return 0;
  }
  if (s.traceLevel != 1) removeQueueLeftovers(queue);
  return 1;
}

int checkAccessRights(int show) {
  if (setup().userId == 0) return 1;
  if (show) doMessage(kMsgError, kAccessTitle, kAccessText);
  return 0;
}

int isOriginalPPD() {
  SetupState& s = setup();
  if (s.ppdFile.empty()) return 0;
  if (!s.ppdOrgFile.empty()) return s.ppdFile == s.ppdOrgFile ? 1 : 0;
  s.ppdOrgFile = s.ppdFile;
  return 1;
}
