// jarnctl subcommands for the back end's dealings with the spooler:
//
//   detect [--system NAME --release R] [--no-version]
//   list [--items] [--time]   (--time: the refresh's own time on stderr)
//   create QUEUE --connect N [--host H] [--port P] [--device PATH] [--file PATH]
//          [--ipp-host H --ipp-path P] [--lpd-host H --lpd-queue Q]
//          [--usb-id URI | --usb-path TEXT] [--ppd FILE]
//   delete QUEUE
//   set QUEUE banners START,END | error-policy NAME | device-uri URI | ppd FILE
//   show QUEUE
//   testpage QUEUE ps|text 1|2|4
//
// Each one first detects the printing system as the administration program
// does at start-up (QORLPMODE/JARNLPMODE, JARNCUPSDIR/JARNCUPSBINDIR), so
// CUPS_SERVER, JARNCUPSDIR and PATH choose the daemon, its files and its
// tools. "-Z LEVEL" may also follow the subcommand. The exit status is 0 when
// the back end reports success, 1 when it reports failure, 2 for a usage error.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <string>

#include "cups_options.h"
#include "device_uri.h"
#include "jarnctl.h"
#include "printers_conf.h"
#include "queue_commands.h"
#include "queue_list.h"
#include "report.h"
#include "setup_state.h"
#include "system_detection.h"
#include "test_pages.h"

namespace {

// Options of a subcommand: "--name value" pairs and plain words.
struct Options {
  std::map<std::string, std::string> named;
  std::vector<std::string> words;
  bool bad = false;

  bool has(const std::string& name) const { return named.count(name) != 0; }
  std::string get(const std::string& name) const {
    auto it = named.find(name);
    return it == named.end() ? std::string() : it->second;
  }
};

// Flags that take no value.
bool isFlag(const std::string& name) {
  return name == "--items" || name == "--no-version" || name == "--time";
}

Options parse(const JarnctlArgs& args) {
  Options o;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    if (a == "-Z" && i + 1 < args.size()) {
      setup().traceLevel = std::atoi(args[++i].c_str());
    } else if (a.rfind("--", 0) == 0 && isFlag(a)) {
      o.named[a] = "1";
    } else if (a.rfind("--", 0) == 0) {
      if (i + 1 >= args.size()) {
        o.bad = true;
      } else {
        o.named[a] = args[++i];
      }
    } else {
      o.words.push_back(a);
    }
  }
  return o;
}

// The start-up detection of the administration program.
void detect(const Options& o) {
  int request = getLpModeFromEnv();
  takeCupsEnvironment(&request);
  MachineFacts facts = readMachineFacts();
  if (o.has("--system")) {
    facts.known = true;
    facts.sysname = o.get("--system");
    facts.release = o.get("--release");
  }
  detectPrintSystemFor(request, facts);
}

// Records the outcome of the last message, and shows every message on stderr.
class OutcomeReporter : public Reporter {
 public:
  OutcomeReporter() { previous_ = setReporter(this); }
  ~OutcomeReporter() override { setReporter(previous_); }
  void message(int code, const std::string& title, const std::string& text) override {
    lastCode = code;
    std::fprintf(stderr, "[%d] %s: %s\n", code, title.c_str(), text.c_str());
  }
  int lastCode = 0;

 private:
  Reporter* previous_;
};

int runDetect(const JarnctlArgs& args) {
  Options o = parse(args);
  if (o.bad || !o.words.empty()) return jarnctlUsage("detect");
  detect(o);
  SetupState& s = setup();
  if (!o.has("--no-version")) s.cupsVersion = getHTTPCUPSVersion();
  std::printf("lpMode %d\nosKind %d\ncupsFound %d\nfatalReason %d\ncupsVersion %d\n", s.lpMode,
              s.osKind, s.cupsFound, s.fatalReason, s.cupsVersion);
  std::printf("cupsDir %s\ncupsBinDir %s\ncupsServerName %s\n", s.cupsDir.c_str(),
              s.cupsBinDir.c_str(), s.cupsServerName.c_str());
  for (int slot = 0; slot < kToolPathSlots; ++slot) {
    if (!s.toolPaths[slot].empty()) std::printf("tool %d %s\n", slot, s.toolPaths[slot].c_str());
  }
  return 0;
}

int runList(const JarnctlArgs& args) {
  Options o = parse(args);
  if (o.bad || !o.words.empty()) return jarnctlUsage("list");
  detect(o);
  SetupState& s = setup();
  auto start = std::chrono::steady_clock::now();
  getSysQ(&s.systemQueueList, 1);
  std::vector<std::string> items = queueListItems();
  std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
  if (o.has("--time")) std::fprintf(stderr, "refresh %.6f s, %d queues\n", took.count(), s.systemQueueCount);
  if (o.has("--items")) {
    for (const std::string& item : items) std::printf("%s\n", item.c_str());
    return 0;
  }
  int i = 0;
  for (PList* p = s.systemQueueList.next; p != &s.systemQueueList && i < s.systemQueueCount;
       p = p->next, ++i) {
    std::printf("%s\n", p->name.c_str());
  }
  return 0;
}

int runCreate(const JarnctlArgs& args) {
  Options o = parse(args);
  if (o.bad || o.words.size() != 1 || !o.has("--connect")) return jarnctlUsage("create");
  detect(o);
  SetupState& s = setup();
  const std::string& queue = o.words[0];
  s.printerName = queue;
  s.connectType = std::atoi(o.get("--connect").c_str());
  if (o.has("--host")) s.tcpHost = o.get("--host");
  if (o.has("--port")) s.tcpPort = std::atoi(o.get("--port").c_str());
  if (o.has("--device")) s.deviceName = o.get("--device");
  if (o.has("--file")) s.fileName = o.get("--file");
  if (o.has("--ipp-host")) s.ippHost = o.get("--ipp-host");
  if (o.has("--ipp-path")) s.ippPath = o.get("--ipp-path");
  if (o.has("--lpd-host")) s.lpdHost = s.newQueueRemoteHost = o.get("--lpd-host");
  if (o.has("--lpd-queue")) s.remoteQueue = s.newQueueRemoteQueue = o.get("--lpd-queue");
  if (o.has("--usb-id")) {
    s.usbDeviceId = o.get("--usb-id");
    s.usbVariant = 1;
  }
  if (o.has("--usb-path")) {
    s.usbDevicePath = o.get("--usb-path");
    s.usbVariant = 0;
  }
  if (o.has("--ppd")) {
    s.ppdFile = o.get("--ppd");
    int status = createQueueWithPPD(queue);
    if (status != 0) return jarnctlFail("creating '" + queue + "' with its PPD failed (" + std::to_string(status) + ")");
    std::printf("%s\n", s.ppdFile.c_str());
    return 0;
  }
  if (!createQueueByUri(queue)) return jarnctlFail("creating '" + queue + "' failed");
  return 0;
}

int runDelete(const JarnctlArgs& args) {
  Options o = parse(args);
  if (o.bad || o.words.size() != 1) return jarnctlUsage("delete");
  detect(o);
  if (!deleteQueueAndRecords(o.words[0])) return jarnctlFail("deleting '" + o.words[0] + "' failed");
  return 0;
}

int runSet(const JarnctlArgs& args) {
  Options o = parse(args);
  if (o.bad || o.words.size() != 3) return jarnctlUsage("set");
  detect(o);
  const std::string& queue = o.words[0];
  const std::string& topic = o.words[1];
  const std::string& value = o.words[2];
  SetupState& c = setup();
  int status;
  if (topic == "banners") {
    size_t comma = value.find(',');
    c.startBanner = getJobSheetsCode(value.substr(0, comma).c_str());
    c.endBanner = comma == std::string::npos ? c.startBanner : getJobSheetsCode(value.substr(comma + 1).c_str());
    if (c.startBanner < 0 || c.endBanner < 0) return jarnctlFail("unknown banner in '" + value + "'");
    status = setCUPSValue(queue, std::string(), kTopicBanners);
  } else if (topic == "error-policy") {
    c.errorPolicy = 0;
    for (int code = kPolicyStopPrinter; code <= kPolicyAbortJob; ++code) {
      if (value == errorPolicyName(code)) c.errorPolicy = code;
    }
    if (c.errorPolicy == 0) return jarnctlFail("unknown error policy '" + value + "'");
    status = setCUPSValue(queue, std::string(), kTopicErrorPolicy);
  } else if (topic == "device-uri") {
    status = setCUPSValue(queue, value, kTopicDeviceUri);
  } else if (topic == "ppd") {
    status = setCUPSValue(queue, value, kTopicPpd);
  } else {
    return jarnctlUsage("set");
  }
  if (status != 0) return jarnctlFail("setting " + topic + " of '" + queue + "' failed (" + std::to_string(status) + ")");
  return 0;
}

int runShow(const JarnctlArgs& args) {
  Options o = parse(args);
  if (o.bad || o.words.size() != 1) return jarnctlUsage("show");
  detect(o);
  SetupState& s = setup();
  const std::string& queue = o.words[0];
  s.printerName = queue;
  std::string start, end, uri;
  int a = getCUPSInfo(queue, kTopicStartBanner, nullptr);
  int b = getCUPSInfo(queue, kTopicEndBanner, nullptr);
  int policy = getCUPSInfo(queue, kTopicErrorPolicy, nullptr);
  int type = getCUPSInfo(queue, kTopicDeviceUri, &uri);
  if (a < 0 && b < 0 && policy < 0 && type < 0) return jarnctlFail("no settings of '" + queue + "' in " + printersConfPath());
  getJobSheetsName(a, &start);
  getJobSheetsName(b, &end);
  std::printf("banners %s,%s\n", a < 0 ? "?" : start.c_str(), b < 0 ? "?" : end.c_str());
  std::printf("error-policy %s\n", policy < 0 ? "?" : errorPolicyName(policy));
  std::printf("device-uri %s\n", uri.c_str());
  int parsed = parseDeviceURI();
  std::printf("connect %d\n", parsed);
  if (parsed > 0) {
    std::string rebuilt = buildDeviceURI();
    std::printf("lpd-host %s\nlpd-queue %s\ntcp-host %s\ntcp-port %d\ndevice %s\nusb %s\n"
                "ipp-host %s\nipp-path %s\nfile %s\nrebuilt-uri %s\n",
                s.lpdHost.c_str(), s.remoteQueue.c_str(), s.tcpHost.c_str(), s.tcpPort,
                s.deviceName.c_str(), s.usbDevicePath.c_str(), s.ippHost.c_str(), s.ippPath.c_str(),
                s.fileName.c_str(), rebuilt.c_str());
  }
  return 0;
}

int runTestpage(const JarnctlArgs& args) {
  Options o = parse(args);
  if (o.bad || o.words.size() != 3) return jarnctlUsage("testpage");
  const std::string& kind = o.words[1];
  int pages = std::atoi(o.words[2].c_str());
  int index = pages == 1 ? 0 : pages == 2 ? 1 : pages == 4 ? 2 : -1;
  if ((kind != "ps" && kind != "text") || index < 0) return jarnctlUsage("testpage");
  detect(o);
  SetupState& s = setup();
  s.printerName = o.words[0];
  s.queueExists = isSystemQueue(testPageQueue());
  if (!s.queueExists) return jarnctlFail("no queue '" + o.words[0] + "'");
  OutcomeReporter outcome;
  testPrintForKind((kind == "ps" ? kTestPs1 : kTestText1) + index);
  return outcome.lastCode == kMsgTestPrintPassed ? 0 : 1;
}

}  // namespace

JARNCTL_COMMAND("detect", "[--system NAME --release R] [--no-version]", runDetect);
JARNCTL_COMMAND("list", "[--items] [--time]", runList);
JARNCTL_COMMAND("create",
                "QUEUE --connect N [--host H] [--port P] [--device PATH] [--file PATH] "
                "[--ipp-host H --ipp-path P] [--lpd-host H --lpd-queue Q] [--usb-id URI | --usb-path TEXT] [--ppd FILE]",
                runCreate);
JARNCTL_COMMAND("delete", "QUEUE", runDelete);
JARNCTL_COMMAND("set", "QUEUE banners START,END | error-policy NAME | device-uri URI | ppd FILE", runSet);
JARNCTL_COMMAND("show", "QUEUE", runShow);
JARNCTL_COMMAND("testpage", "QUEUE ps|text 1|2|4", runTestpage);
