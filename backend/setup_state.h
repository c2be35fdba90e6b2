// SetupState: the administration program's one state record, reached through
// setup(). It holds the options and facts found at start-up, the queue being
// edited, the directories, the lists, the user job entries and the
// navigation state of the screens.
//
// Texts are std::string; where a field has a visible size (a column in a file
// or on a screen) the constant beside it gives it and cutField() applies it.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "lists.h"
#include "trace.h"
#include "user_entry.h"

// Connection type codes.
enum ConnectType {
  kConnectOldIpp = 1,
  kConnectLpd = 2,
  kConnectTcp = 3,
  kConnectLocal = 4,
  kConnectUsb = 5,
  kConnectIpp = 6,
  kConnectFile = 7,
};

// Queue data type codes.
enum PrinterType {
  kTypePostScript = 1,
  kTypePcl = 2,
  kTypePclXl = 3,
  kTypeKrpa = 4,
  kTypeRaw = 5,
};

// Spooler kind codes.
enum LpMode {
  kLpSysV = 1,
  kLpBsd = 2,
  kLpLprng = 4,
  kLpCups = 8,
  kLpAix = 16,
};

constexpr int kDefaultConfigVersion = 0x7f100;
constexpr size_t kPathSize = 256;
constexpr size_t kPrinterNameSize = 128;
constexpr size_t kHostNameSize = 65;
constexpr size_t kFormHostSize = 64;
constexpr size_t kUsbFieldSize = 128;
constexpr size_t kUserNameSize = 80;
constexpr int kToolPathSlots = 28;
constexpr int kSnapKeywordSlots = 165;

// One entry of the snapshot keyword table.
struct SnapKeyword {
  std::string keyword;              // empty: the slot has no keyword
  std::string* target = nullptr;    // where the value goes
  int found = 0;
};

struct SetupState {
  SetupState();
  ~SetupState();
  SetupState(const SetupState&) = delete;
  SetupState& operator=(const SetupState&) = delete;

  // Options and facts found at start-up.
  int configVersion = kDefaultConfigVersion;
  int colourMode = 1;
  int& traceLevel = traceLevelRef();  // shared with the trace gate
  int verbose = 0;
  int cupsFound = 0;
  int cupsVersion = 0;
  int osKind = 0;
  int lpMode = 0;
  std::string hostName;
  float unameRelease = 0;
  int userId = 0;
  int groupId = 0;
  int daemonUid = 0;
  int daemonGid = 0;
  int fatalReason = 0;
  std::string cupsDir;
  std::string cupsBinDir;
  std::string cupsServerName;
  std::array<std::string, kToolPathSlots> toolPaths;
  int mailboxSupport = 1;
  int mailboxMax = 100;
  int queueRescanInterval = 180;
  int lastQueueScan = 0;

  // The queue being edited.
  std::string printerName = "Default";
  int printerType = kTypePostScript;
  int connectType = kConnectLpd;
  int connectKind = kConnectLpd;
  std::string printerHost;
  std::string lpdHost;
  std::string tcpHost;
  std::string remoteQueue;
  int lpdRemoteKind = 1;
  int tcpPort = 9100;
  std::string deviceName;
  std::string usbDeviceId;
  std::string usbDevicePath;
  int usbVariant = 0;
  std::string ippHost;
  std::string ippPath = "ipp";
  std::string fileName;
  std::string ppdFile;
  std::string ppdOrgFile;
  int createMode = 0;
  int queueExists = 0;
  int queueManaged = 0;
  int keepOptions = 0;
  int testPageKind = 0;
  int bannersChanged = 0;
  int errorPolicyChanged = 0;
  int ppdChanged = 0;
  int deviceUriChanged = 0;
  int connectTypeChanged = 0;        // a managed queue's connection type was changed
  int localDeviceKind = 6;           // 1 other, 2 /dev/lp0, 3 /dev/lp1, 4 /dev/ttya,
                                     //   5 /dev/ttyb, 6 /dev/null
  std::string modelName;             // the model of the queue's PPD
  std::string queueDirName;          // printerName cleaned for a directory name
  int queueLoadPending = 0;          // a typed name waits for its settings to load
  int pagesLoading = 0;              // the pages are being filled from the settings
  int updateReported = 0;            // the update message was shown since the last edit
  int applyEntry = 0;                // after creation, apply the work entry
  int ppdConfigReady = 0;            // the settings are complete: Save may rewrite jarnConfig
  int mailboxNumber = -1;
  UserEntry workEntry;
  int startBanner = 0;               // banner (job-sheets) codes, 0-9
  int endBanner = 0;
  int errorPolicy = 2;               // 1 stop-printer, 2 retry-job, 3 abort-job
  std::string newQueueRemoteHost;    // the queue page's copies for a queue
  std::string newQueueRemoteQueue;   //   created without a PPD
  std::string newQueueSpoolDir;      // its spool directory under an LPD spooler

  // Directories and files.
  std::string userName = "root";
  std::string userDir;
  std::string userFullDir;
  std::string homeDir;
  std::string tmpDir;

  // Lists and counts.
  PList printerList;
  int managedPrinterCount = 0;
  UList userList;
  int infoUserCount = 0;
  UList printerUserList;
  int printerUserCount = 0;
  PList systemQueueList;
  int systemQueueCount = 0;
  PList usbDeviceList;
  int usbDeviceCount = 0;
  std::vector<UserEntry> entryTable;
  int entryCount = 0;
  std::string mailboxSummary;

  // Navigation and messages of the screens.
  int panelMode = 0;
  int queueListFilter = 3;
  int okButtonMode = 2;
  int messageCode = 0;
  int messagePageState = 0;
  std::string messageText;

  // Process-wide values beside the record.
  std::string infoFilePath;        // the information file last opened
  std::string programDir = "/opt/bry/";
  std::string tmpDirText;          // TMPDIR and HOMEDIR as last read
  std::string homeDirText;
  std::string ppdDirText;          // PPD directory, file and first-chosen file
  std::string ppdFileText;         //   of the last configuration file read
  std::string ppdOrgFileText;
  std::string configFormatVersion; // number after "%%JARN_VERSION_"
  std::string snapKeepOptions;     // "KEEPOPTIONS:" (read, not used)
  std::string snapPrinterType;     // "PRINTERTYPE:" before conversion
  std::string snapConnectType;     // "PRINTERCNCT:" before conversion
  std::array<SnapKeyword, kSnapKeywordSlots> snapKeywords;
};

// The process-wide state record.
SetupState& setup();

// Throws the state away and makes a fresh one with the start defaults
// (for tests, and for a program that starts over).
void resetSetup();

// Keeps at most size - 1 bytes of `text`: the visible size of a field.
void cutField(std::string& text, size_t size);

// Fills the first ten snapshot keywords and clears every found flag.
void initSnapKeywords();

// Returns the queue part of the state to that of a new queue.
void setQueueDefaults();

// Clears the flags of the settings changed on the pages and not yet sent
// (job sheets, error policy, device URI, PPD file).
void clearSettingChanges(SetupState& s);

// The longest remote LPD queue name kept, in bytes.
constexpr size_t kRemoteQueueBytes = 24;

// Stores a remote LPD queue name, cut to kRemoteQueueBytes, and sets its
// kind: lp 1, print 2, direct 3, hold 4, spool 5, other 6 (also for "").
void storeRemoteQueue(const std::string& name);

// Stores a local device path and sets localDeviceKind: "" becomes
// "/dev/null"; /dev/lp0 2, /dev/lp1 3, /dev/ttya 4, /dev/ttyb 5, /dev/null 6,
// any other path 1.
void storeLocalDevice(const std::string& path);
