// The per-printer configuration file: its exact lines, a round trip per
// connection type, the UNKNOWN defaults, and what a hand-edited or foreign
// file does to the state.
#include "config_file.h"

#include <gtest/gtest.h>

#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include "setup_state.h"
#include "test_support.h"

namespace {

using testing_support::readFile;
using testing_support::ScriptedReporter;
using testing_support::TempDir;
using testing_support::writeFile;

// A fresh state pointing at printer Q of `dir`, with its user directory made.
void selectPrinter(const TempDir& dir, const std::string& user = "root") {
  resetSetup();
  SetupState& s = setup();
  s.userDir = dir.path();
  s.printerName = "Q";
  s.userFullDir = dir / "Q";
  s.userName = user;
  ::mkdir(s.userFullDir.c_str(), 0755);
  ::mkdir((s.userFullDir + "/" + user).c_str(), 0755);
}

ino_t inodeOf(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

// Saves, throws the state away and reads the file back into a fresh state.
void saveAndReload() {
  ASSERT_EQ(saveConfiguration(), 1);
  std::string path = configFilePath();
  resetSetup();
  setup().connectType = 0;  // the file's own PRINTERCNCT must decide
  ASSERT_EQ(getConfiguration(path), 1);
}

TEST(ConfigFile, WritesTheExactLinesWithMode0755) {
  TempDir dir;
  selectPrinter(dir);
  SetupState& s = setup();
  s.printerType = kTypePcl;
  s.connectType = kConnectLpd;
  s.printerHost = "lpdhost";
  s.remoteQueue = "print";
  s.tmpDir = "/var/tmp";
  s.ppdFile = "/opt/bry/Q/root/Q.ppd";
  s.ppdOrgFile = "/usr/share/ppd/velta/v1.ppd";
  ASSERT_EQ(saveConfiguration(), 1);
  EXPECT_EQ(configFilePath(), dir.path() + "/Q/root/jarnConfig");
  EXPECT_EQ(readFile(configFilePath()),
            "%%JARN_CONFIGURATION_FILE\n"
            "%%JARN_VERSION_1.0\n"
            "$$$QORSTARTPRINT\n"
            "VERSION     520448\n"
            "PRINTERNAME Q\n"
            "PRINTERTYPE 2\n"
            "PRINTERCNCT 2\n"
            "PRINTERHOST lpdhost\n"
            "PRINTERREMQ print\n"
            "USERNAME    root\n"
            "USERDIR      " + dir.path() + "\n"
            "TMPDIR       /var/tmp\n"
            "PPDFILE      /opt/bry/Q/root/Q.ppd\n"
            "PPDORGFILE   /usr/share/ppd/velta/v1.ppd\n"
            "$$$QORSTOPPRINT\n");
  EXPECT_EQ(testing_support::modeOf(configFilePath()), 0755);
}

TEST(ConfigFile, RoundTripPerConnectionType) {
  struct Case {
    int connect;
    void (*set)(SetupState&);
    void (*check)(const SetupState&);
  };
  const Case cases[] = {
      {kConnectLpd, [](SetupState& s) { s.printerHost = "lpdhost"; s.remoteQueue = "direct"; },
       [](const SetupState& s) {
         EXPECT_EQ(s.printerHost, "lpdhost");
         EXPECT_EQ(s.remoteQueue, "direct");
         EXPECT_EQ(s.lpdRemoteKind, 3);
       }},
      {kConnectTcp, [](SetupState& s) { s.printerHost = "10.1.2.3"; s.tcpPort = 9101; },
       [](const SetupState& s) {
         EXPECT_EQ(s.printerHost, "10.1.2.3");
         EXPECT_EQ(s.tcpPort, 9101);
       }},
      {kConnectLocal, [](SetupState& s) { s.deviceName = "/dev/lp1"; },
       [](const SetupState& s) { EXPECT_EQ(s.deviceName, "/dev/lp1"); }},
      {kConnectUsb, [](SetupState& s) { s.usbDevicePath = "/dev/usb/lp2"; s.usbDeviceId = "unused"; },
       [](const SetupState& s) { EXPECT_EQ(s.usbDevicePath, "/dev/usb/lp2"); }},
      {kConnectUsb,
       [](SetupState& s) { s.usbVariant = 1; s.usbDeviceId = "usb://Velta/C300"; s.usbDevicePath = "/dev/usb/lp2"; },
       [](const SetupState& s) { EXPECT_EQ(s.usbDevicePath, "usb://Velta/C300"); }},
      {kConnectIpp, [](SetupState& s) { s.ippHost = "ipphost"; s.ippPath = "printers/q"; },
       [](const SetupState& s) {
         EXPECT_EQ(s.ippHost, "ipphost");
         EXPECT_EQ(s.ippPath, "printers/q");
       }},
      {kConnectFile, [](SetupState& s) { s.fileName = "/tmp/out.prn"; },
       [](const SetupState& s) { EXPECT_EQ(s.fileName, "/tmp/out.prn"); }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("connection " + std::to_string(c.connect));
    TempDir dir;
    selectPrinter(dir);
    SetupState& s = setup();
    s.connectType = c.connect;
    s.printerType = kTypePclXl;
    s.tmpDir = "/var/tmp";
    s.ppdFile = "/p/q.ppd";
    s.ppdOrgFile = "/p/orig.ppd";
    c.set(s);
    saveAndReload();
    const SetupState& r = setup();
    EXPECT_EQ(r.connectType, c.connect);
    EXPECT_EQ(r.printerType, kTypePclXl);
    EXPECT_EQ(r.programDir, dir.path());
    EXPECT_EQ(r.tmpDirText, "/var/tmp");
    EXPECT_EQ(r.ppdFileText, "/p/q.ppd");
    EXPECT_EQ(r.ppdOrgFileText, "/p/orig.ppd");
    EXPECT_EQ(r.configFormatVersion, "1.0");
    c.check(r);
  }
}

TEST(ConfigFile, EmptyValuesAreWrittenUnknownAndReadAsDefaults) {
  {
    TempDir dir;
    selectPrinter(dir);
    setup().connectType = kConnectTcp;
    setup().tcpPort = 0;
    ASSERT_EQ(saveConfiguration(), 1);
    std::string text = readFile(configFilePath());
    EXPECT_NE(text.find("\nPRINTERHOST UNKNOWN\nPRINTERREMQ UNKNOWN\n"), std::string::npos);
    saveAndReload();
    EXPECT_EQ(setup().tcpPort, 9100);
    EXPECT_EQ(setup().printerHost, "localhost");
  }
  {
    TempDir dir;
    selectPrinter(dir);
    setup().connectType = kConnectLpd;
    ASSERT_EQ(saveConfiguration(), 1);
    EXPECT_NE(readFile(configFilePath()).find("\nPRINTERREMQ lp\n"), std::string::npos);
  }
  struct Case {
    int connect;
    std::string SetupState::*field;
    const char* fallback;
  };
  const Case cases[] = {
      {kConnectLocal, &SetupState::deviceName, "/dev/lp0"},
      {kConnectUsb, &SetupState::usbDevicePath, "/dev/usb/lp0"},
      {kConnectIpp, &SetupState::ippHost, "127.0.0.1"},
      {kConnectFile, &SetupState::fileName, "/dev/null"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE("connection " + std::to_string(c.connect));
    TempDir dir;
    selectPrinter(dir);
    setup().connectType = c.connect;
    saveAndReload();
    EXPECT_EQ(setup().*(c.field), c.fallback);
  }
}

TEST(ConfigFile, ReaderAcceptsAMarkWithTrailingTextAndRefusesForeignFiles) {
  TempDir dir;
  resetSetup();
  SetupState& s = setup();
  std::string good = dir / "good";
  writeFile(good, "%%JARN_CONFIGURATION_FILE (converted)\nPRINTERTYPE 3\n");
  EXPECT_EQ(getConfiguration(good), 1);
  EXPECT_EQ(s.printerType, 3);

  s.verbose = 1;
  std::string foreign = dir / "foreign";
  writeFile(foreign, "# JARN_CONFIGURATION_FILE\nPRINTERTYPE 5\nUSERDIR /elsewhere\n");
  testing::internal::CaptureStderr();
  EXPECT_EQ(getConfiguration(foreign), 0);
  EXPECT_EQ(getConfiguration(dir / "missing"), 0);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(s.printerType, 3);
  EXPECT_EQ(s.programDir, "/opt/bry/");
  EXPECT_EQ(err, "Configuration file '" + foreign + "' is not OK.\n"
                 "Cannot open\nthe printer config file:\n" + (dir / "missing") + ".\n");
}

TEST(ConfigFile, HostGoesWhereTheConnectionTypeReadSoFarSays) {
  TempDir dir;
  resetSetup();
  SetupState& s = setup();
  s.connectType = kConnectIpp;
  std::string path = dir / "jarnConfig";
  // Hand-edited: PRINTERHOST ahead of PRINTERCNCT, blanks after the values.
  writeFile(path, "%%JARN_CONFIGURATION_FILE\nPRINTERHOST  myhost   \nPRINTERCNCT 3\nPRINTERREMQ 9105\n");
  ASSERT_EQ(getConfiguration(path), 1);
  EXPECT_EQ(s.ippHost, "myhost");
  EXPECT_EQ(s.printerHost, "");
  EXPECT_EQ(s.connectType, kConnectTcp);
  EXPECT_EQ(s.tcpPort, 9105);
}

TEST(ConfigFile, KeywordsCountOnlyAsTheFirstWordOfALine) {
  TempDir dir;
  resetSetup();
  SetupState& s = setup();
  std::string path = dir / "jarnConfig";
  writeFile(path,
            "%%JARN_CONFIGURATION_FILE\n"
            "PRINTERNAME PRINTERTYPE 4\n"
            "PRINTERCNCT 2\n"
            "PRINTERHOST USERDIR-host\n"
            "PRINTERREMQ TMPDIR\n"
            "USERNAME    PPDFILE\n"
            "PPDORGFILE   /p/PPDFILE.ppd\n");
  ASSERT_EQ(getConfiguration(path), 1);
  EXPECT_EQ(s.printerType, kTypePostScript);
  EXPECT_EQ(s.printerHost, "USERDIR-host");
  EXPECT_EQ(s.remoteQueue, "TMPDIR");
  EXPECT_EQ(s.lpdRemoteKind, 6);
  EXPECT_EQ(s.programDir, "/opt/bry/");
  EXPECT_EQ(s.tmpDirText, "");
  EXPECT_EQ(s.ppdFileText, "");
  EXPECT_EQ(s.ppdOrgFileText, "/p/PPDFILE.ppd");
}

TEST(ConfigFile, RewriteReplacesTheFileAndGivesItToTheUser) {
  TempDir dir;
  selectPrinter(dir, "daemon");
  ASSERT_EQ(saveConfiguration(), 1);
  std::string path = configFilePath();
  ::chmod(path.c_str(), 0600);
  ino_t before = inodeOf(path);
  setup().printerHost = "second";
  ASSERT_EQ(saveConfiguration(), 1);
  EXPECT_NE(inodeOf(path), before);
  EXPECT_EQ(testing_support::modeOf(path), 0755);
  EXPECT_NE(readFile(path).find("\nPRINTERHOST second\n"), std::string::npos);
  if (::geteuid() == 0) {
    struct passwd* pw = ::getpwnam("daemon");
    ASSERT_NE(pw, nullptr);
    struct stat st;
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_uid, pw->pw_uid);
  }
}

TEST(ConfigFile, FailuresReportAndKeepTheOldFile) {
  TempDir dir;
  selectPrinter(dir);
  ASSERT_EQ(saveConfiguration(), 1);
  std::string path = configFilePath();
  std::string old = readFile(path);
  ScriptedReporter rep;

  // A value holding a line break would make up lines of its own.
  setup().printerHost = "host\nUSERDIR /evil";
  EXPECT_EQ(saveConfiguration(), -1);
  EXPECT_EQ(readFile(path), old);
  ASSERT_EQ(rep.messages.size(), 1u);
  EXPECT_EQ(rep.messages[0].title, "Save Configuration");

  // The target cannot be replaced: it is a directory.
  setup().printerHost = "fine";
  ASSERT_EQ(::unlink(path.c_str()), 0);
  ASSERT_EQ(::mkdir(path.c_str(), 0755), 0);
  EXPECT_EQ(saveConfiguration(), -1);
  ASSERT_EQ(rep.messages.size(), 2u);
  EXPECT_EQ(rep.messages[1].code, 1);
  EXPECT_EQ(rep.messages[1].text, "Cannot open file: '" + path + "'");

  // No printer directory: no file name can be made.
  setup().userFullDir.clear();
  EXPECT_EQ(saveConfiguration(), -1);
  ASSERT_EQ(rep.messages.size(), 3u);
  EXPECT_EQ(rep.messages[2].text, "Cannot create filename");
}

TEST(ConfigFile, ReadOnlyDirectoryKeepsTheOldFileByteIdentical) {
  if (::geteuid() == 0) GTEST_SKIP() << "root writes into read-only directories";
  TempDir dir;
  selectPrinter(dir);
  ASSERT_EQ(saveConfiguration(), 1);
  std::string path = configFilePath();
  std::string old = readFile(path);
  std::string userDir = dir / "Q/root";
  ::chmod(userDir.c_str(), 0555);
  ScriptedReporter rep;
  setup().printerHost = "changed";
  EXPECT_EQ(saveConfiguration(), -1);
  ::chmod(userDir.c_str(), 0755);
  EXPECT_EQ(readFile(path), old);
  EXPECT_EQ(rep.messages.size(), 1u);
}

// Numbers out of range and values that merely contain "UNKNOWN".
TEST(ConfigFile, RangesAndTheWholeUnknownPlaceholder) {
  struct Row {
    const char* cnct;
    const char* host;
    const char* remq;
    int connectType;
    const char* printerHost;  // for connection 3, else the IPP host
    int tcpPort;
  };
  const Row rows[] = {
      {"3", "printUNKNOWN.example.com", "9101", 3, "printUNKNOWN.example.com", 9101},
      {"3", "UNKNOWN", "UNKNOWN", 3, "localhost", 9100},
      {"3", "h", "99999999", 3, "h", 9100},
      {"3", "h", "65536", 3, "h", 9100},
      {"3", "h", "65535", 3, "h", 65535},
      {"3", "h", "99999999999999999999", 3, "h", 9100},
      {"3", "h", "-9101", 3, "h", 9100},
      {"6", "UNKNOWNhost", "x", 6, "UNKNOWNhost", 5},
      {"99999999999", "h", "9101", 0, "h", 5},
      {"8", "h", "9101", 0, "h", 5},
      {"-3", "h", "9101", 0, "h", 5},
      {"7", "h", "9101", 7, "", 5},
  };
  TempDir dir;
  std::string path = dir / "jarnConfig";
  for (const Row& r : rows) {
    resetSetup();
    SetupState& s = setup();
    s.tcpPort = 5;
    writeFile(path, std::string("%%JARN_CONFIGURATION_FILE\nPRINTERCNCT ") + r.cnct + "\nPRINTERHOST " + r.host +
                        "\nPRINTERREMQ " + r.remq + "\n");
    ASSERT_EQ(getConfiguration(path), 1);
    EXPECT_EQ(s.connectType, r.connectType) << r.cnct;
    EXPECT_EQ(r.connectType == kConnectIpp ? s.ippHost : s.printerHost, r.printerHost) << r.host;
    EXPECT_EQ(s.tcpPort, r.tcpPort) << r.remq;
  }
}

}  // namespace
