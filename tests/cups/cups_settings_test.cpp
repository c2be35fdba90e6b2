// Reading a queue's settings from printers.conf, the banner and policy
// codes, and device URIs built from and read back into the connection fields.
#include <cups/cups.h>

#include "cups_options.h"
#include "cups_test_support.h"
#include "device_uri.h"
#include "printers_conf.h"

using namespace cups_testing;
using testing_support::writeFile;

namespace {

// A cupsDir prefix whose etc/cups/printers.conf the test writes, read when
// no daemon answers (none does on the socket named here).
class PrintersConf : public FreshState {
 protected:
  void SetUp() override {
    FreshState::SetUp();
    ::mkdir((prefix / "etc").c_str(), 0755);
    ::mkdir((prefix / "etc/cups").c_str(), 0755);
    setup().cupsDir = prefix.path();
    cupsSetServer(nullptr);  // libcups reads CUPS_SERVER again
  }
  void TearDown() override {
    cupsSetServer(nullptr);
    FreshState::TearDown();
  }
  void write(const std::string& text) { writeFile(prefix / "etc/cups/printers.conf", text); }

  TempDir prefix;
  EnvGuard noDaemon{"CUPS_SERVER", prefix / "no-daemon.sock"};
};

const std::string kLongA(100, 'a');

const char kConf[] =
    "# Printer configuration file for CUPS v2.4.2\n"
    "<Printer Other>\n"
    "DeviceURI socket://10.1.1.1\n"
    "JobSheets standard standard\n"
    "</Printer>\n"
    "<DefaultPrinter Q1>\n"
    "Info Queue with JobSheets and DeviceURI lpd://x/y in its description\n"
    "DeviceURI file:/dev/null\n"
    "JobSheets none standard\n"
    "ErrorPolicy abort-job\n"
    "</DefaultPrinter>\n"
    "<Printer Q2>\n"
    "DeviceURI ipp://127.0.0.1:8631/ipp/print\n"
    "JobSheets topsecret unclassified\n"
    "ErrorPolicy retry-current-job\n"
    "</Printer>\n"
    "<Printer Q3>\n"
    "DeviceURI hp:/usb/LaserJet?serial=1\n"
    "JobSheets form none\n"
    "</Printer>\n";

TEST_F(PrintersConf, SettingsOfEachBlock) {
  write(kConf);
  EXPECT_EQ(0, getCUPSInfo("Q1", kTopicStartBanner, nullptr));
  EXPECT_EQ(6, getCUPSInfo("Q1", kTopicEndBanner, nullptr));
  EXPECT_EQ(1536, getCUPSInfo("Q1", kTopicBanners, nullptr));
  EXPECT_EQ(3, getCUPSInfo("Q1", kTopicErrorPolicy, nullptr));
  std::string uri;
  EXPECT_EQ(1, getCUPSInfo("Q1", kTopicDeviceUri, &uri));  // file: naming /dev/null
  EXPECT_EQ("file:/dev/null", uri);
  EXPECT_EQ(8 + 9 * 256, getCUPSInfo("Q2", kTopicBanners, nullptr));
  EXPECT_EQ(-1, getCUPSInfo("Q2", kTopicErrorPolicy, nullptr));  // a policy this program has no code for
  EXPECT_EQ(6, getCUPSInfo("Q2", kTopicDeviceUri, &uri));
  EXPECT_EQ(-1, getCUPSInfo("Q3", kTopicStartBanner, nullptr));
  EXPECT_EQ(-1, getCUPSInfo("Q3", kTopicBanners, nullptr));
  EXPECT_EQ(0, getCUPSInfo("Q3", kTopicDeviceUri, &uri));  // no connection type for hp:
  EXPECT_EQ(-1, getCUPSInfo("Q4", kTopicDeviceUri, &uri));
  EXPECT_EQ(0, getCUPSInfo("Q1", 6, &uri));
  setup().cupsDir = prefix / "missing";
  EXPECT_EQ(-1, getCUPSInfo("Q1", kTopicStartBanner, nullptr));
}

TEST_F(PrintersConf, LongNamesAreComparedInFull) {
  write("<Printer " + kLongA + "1>\nErrorPolicy stop-printer\n</Printer>\n"
        "<Printer " + kLongA + "2>\nErrorPolicy abort-job\n</Printer>\n");
  EXPECT_EQ(1, getCUPSInfo(kLongA + "1", kTopicErrorPolicy, nullptr));
  EXPECT_EQ(3, getCUPSInfo(kLongA + "2", kTopicErrorPolicy, nullptr));
  EXPECT_EQ(-1, getCUPSInfo(kLongA, kTopicErrorPolicy, nullptr));
}

TEST(JobSheets, NamesAndCodes) {
  std::string name;
  EXPECT_EQ(1, getJobSheetsName(6, &name));
  EXPECT_EQ("standard", name);
  EXPECT_EQ(1, getJobSheetsName(0x109, &name));  // the low four bits
  EXPECT_EQ("unclassified", name);
  EXPECT_EQ(0, getJobSheetsName(12, &name));
  EXPECT_EQ("none", name);
  EXPECT_EQ(0, getJobSheetsName(-1, &name));
  EXPECT_EQ(9, getJobSheetsCode("  Unclassified"));
  EXPECT_EQ(8, getJobSheetsCode("topsecret"));
  EXPECT_EQ(4, getJobSheetsCode("secret"));
  EXPECT_EQ(7, getJobSheetsCode("te"));
  EXPECT_EQ(-1, getJobSheetsCode("form"));
  EXPECT_EQ(-1, getJobSheetsCode(nullptr));
}

TEST_F(PrintersConf, DeviceUrisReadBackIntoTheConnectionFields) {
  SetupState& s = setup();
  EXPECT_EQ(kConnectIpp, applyDeviceURI(kConnectIpp, "ipp://127.0.0.1:8631/ipp/print"));
  EXPECT_EQ("127.0.0.1:8631", s.ippHost);
  EXPECT_EQ("ipp/print", s.ippPath);
  EXPECT_EQ(8631, s.tcpPort);
  EXPECT_EQ("ipp://127.0.0.1:8631/ipp/print", buildDeviceURI());
  applyDeviceURI(kConnectIpp, "ipp://[::1]/printers/x");
  EXPECT_EQ("ipp://[::1]/printers/x", buildDeviceURI());

  EXPECT_EQ(kConnectTcp, applyDeviceURI(kConnectTcp, "socket://10.0.0.9"));
  EXPECT_EQ(9100, s.tcpPort);
  EXPECT_EQ("10.0.0.9", s.tcpHost);
  EXPECT_EQ("", s.ippHost);  // nothing of the IPP queue read before stays
  applyDeviceURI(kConnectTcp, "socket://10.0.0.9:9101");
  EXPECT_EQ("socket://10.0.0.9:9101", buildDeviceURI());

  applyDeviceURI(kConnectLpd, "lpd://spool:5515/raw?reserve=none");
  EXPECT_EQ("spool:5515", s.printerHost);
  EXPECT_EQ("raw?reserve=none", s.remoteQueue);
  EXPECT_EQ("lpd://spool:5515/raw?reserve=none", buildDeviceURI());

  applyDeviceURI(kConnectOldIpp, "file:/dev/null");
  EXPECT_EQ("/dev/null", s.fileName);
  EXPECT_EQ(kConnectOldIpp, s.connectType);
  applyDeviceURI(kConnectLocal, "serial:/dev/ttyS1?baud=9600");
  EXPECT_EQ("serial:/dev/ttyS1?baud=9600", buildDeviceURI());
  applyDeviceURI(kConnectUsb, "usb://Velta/C400%20PS?serial=X1");
  EXPECT_EQ("usb://Velta/C400%20PS?serial=X1", buildDeviceURI());
  const std::pair<const char*, const char*> shortUsb[] = {{"MG:", ""}, {"usb:", ""}, {"x:a", "a"}, {"usb:/d", "/d"}};
  for (const auto& u : shortUsb) {
    s.usbDevicePath = "keep";
    EXPECT_EQ(kConnectUsb, applyDeviceURI(kConnectUsb, u.first)) << u.first;
    EXPECT_EQ(u.second, s.usbDevicePath) << u.first;
  }

  // A URI that does not parse changes nothing.
  s.connectType = kConnectIpp;
  EXPECT_EQ(-1, applyDeviceURI(kConnectIpp, "ipp://host:port/x"));
  EXPECT_EQ(-1, applyDeviceURI(kConnectTcp, "socket://a b:9100"));
  EXPECT_EQ(kConnectIpp, s.connectType);
  EXPECT_EQ("/d", s.usbDevicePath);
}

TEST_F(PrintersConf, UnknownSchemesAreNotSentBack) {
  write(kConf);
  SetupState& s = setup();
  s.printerName = "Q3";
  s.connectType = kConnectTcp;
  s.tcpHost = "keep";
  StderrCapture err;
  EXPECT_EQ(-1, parseDeviceURI());
  EXPECT_EQ("Unknown Jarn connect type: 0x0.\n", err.take());
  EXPECT_EQ(kConnectTcp, s.connectType);
  EXPECT_EQ("keep", s.tcpHost);
  s.connectType = 0;
  EXPECT_EQ("", buildDeviceURI());  // no "lpd:///" for a connection without a URI
  s.connectType = kConnectLpd;
  s.lpdHost.clear();
  EXPECT_EQ("", buildDeviceURI());
  EXPECT_EQ(-1, sendDeviceURI("Q3"));
}

TEST(ShellTexts, UsbAndIppForms) {
  EXPECT_EQ("Velta/C400\\ \\(PS\\)", usbShellText("usb://Velta/C400 (PS)"));
  // USB names as CUPS's usb back end writes them: typed escapes kept, a lone
  // "%" escaped; a make libcups would take for an IPv6 address refused ("").
  const std::pair<const char*, const char*> usbUris[] = {
      {"usb:///Velta/C400 (PS)", "usb://Velta/C400%20(PS)"},
      {"Velta/P%204700?serial=a b", "usb://Velta/P%204700?serial=a%20b"},
      {"Velta Co/P%1%%\xc3\xa9", "usb://Velta%20Co/P%251%25%25%C3%A9"},
      {"/dev/usb/lp0", "usb:///dev/usb/lp0"}, {"Velta:1/P", ""}};
  for (const auto& u : usbUris) {
    std::string uri;
    EXPECT_EQ(*u.second != 0, makeUsbUri(u.first, &uri, nullptr)) << u.first;
    EXPECT_EQ(u.second, uri) << u.first;
  }
  EXPECT_EQ("Velta/P4700%20XL?serial=1", usbRecordText("Velta/P4700 XL?serial=1"));
  const std::string wide = "Velta/" + std::string(60, ' ');  // escaped, too long for the record
  EXPECT_EQ(wide, usbRecordText(wide));
  EXPECT_EQ("a\\%b%%c", usbShellText("usb://a%b%%c"));
  EXPECT_EQ("/dev/usb/lp0", usbShellText("/dev/usb/lp0"));
  std::string uri, why;  // IPP paths are escaped in the URI, an empty one is "ipp"
  EXPECT_TRUE(makeIppUri("h:8631", "//my q (1)%", &uri, &why) && uri == "ipp://h:8631/my%20q%20(1)%25") << uri;
  EXPECT_TRUE(makeIppUri("h", "", &uri, &why) && uri == "ipp://h/ipp") << uri;
  EXPECT_EQ("my q", ippPathValue("/my q"));
  EXPECT_EQ("serial:/dev/ttyS0", localDeviceUri("/dev/ttyS0"));
  EXPECT_EQ("parallel:/dev/lp0", localDeviceUri("/dev/lp0"));
  EXPECT_EQ("file:/dev/null", localDeviceUri("/dev/null"));
  EXPECT_EQ("file:/tmp/a%20b%23", fileDeviceUri("/tmp/a b#"));
  EXPECT_EQ("socket://h:1", copyUriToken("socket://h:1 rest"));
  EXPECT_EQ("host", copyHostToken("host:631/x"));
}

}  // namespace
