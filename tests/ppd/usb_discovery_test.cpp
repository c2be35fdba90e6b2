// USB printer discovery: device IDs read from canned driver replies, the
// make-and-model text and URI, the node probe under an injected root, and
// the command-line form of a usb URI. A device ID never reaches a shell.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "fs_root.h"
#include "process_runner.h"
#include "setup_state.h"
#include "test_support.h"
#include "usb_device_id.h"
#include "usb_discovery.h"

using testing_support::TempDir;
using testing_support::pathExists;
using testing_support::writeFile;

namespace {

// The driver's reply: the two-byte length (counting itself), high byte first.
std::string reply(const std::string& id) {
  size_t n = id.size() + 2;
  return std::string(1, static_cast<char>(n >> 8)) + static_cast<char>(n & 0xff) + id;
}

// Nodes with canned replies or open errors, by path; records what was opened.
class CannedSource : public UsbDeviceIdSource {
 public:
  CannedSource() { previous_ = setUsbDeviceIdSource(this); }
  ~CannedSource() override { setUsbDeviceIdSource(previous_); }

  void node(const std::string& path, const std::string& bytes) { nodes_[path] = {0, bytes}; }
  void busy(const std::string& path, int error) { nodes_[path] = {error, ""}; }

  int openNode(const std::string& path) override {
    opened.push_back(path);
    auto it = nodes_.find(path);
    if (it == nodes_.end()) {
      errno = ENOENT;
      return -1;
    }
    if (it->second.error) {
      errno = it->second.error;
      return -1;
    }
    open_.push_back(it->second.bytes);
    ++openCount;
    return static_cast<int>(open_.size()) + 99;
  }
  int readDeviceId(int fd, unsigned char* buffer, size_t size) override {
    const std::string& bytes = open_.at(fd - 100);
    std::memcpy(buffer, bytes.data(), std::min(size, bytes.size()));
    return 0;
  }
  void closeNode(int) override { ++closeCount; }

  // Reads one canned reply through getUSBDeviceId with the usual buffers.
  int read(const std::string& bytes, std::string* id, std::string* mm, std::string* uri) {
    node("/probe", bytes);
    int fd = openNode("/probe");
    return getUSBDeviceId(fd, id, kUsbWorkBufferSize, mm, kUsbWorkBufferSize, "usb", uri, kUsbWorkBufferSize);
  }

  std::vector<std::string> opened;
  int openCount = 0;
  int closeCount = 0;

 private:
  struct Node {
    int error;
    std::string bytes;
  };
  std::map<std::string, Node> nodes_;
  std::vector<std::string> open_;
  UsbDeviceIdSource* previous_;
};

std::string makeModelOf(const std::string& id, size_t size = kUsbWorkBufferSize) {
  std::string out = "stale";
  if (getMakeModel(id, &out, size) != 0) return "(failed)";
  return out;
}

std::vector<std::string> usbNames() {
  std::vector<std::string> names;
  const PList* head = &setup().usbDeviceList;
  for (const PList* p = head->next; p != head; p = p->next) names.push_back(p->name);
  return names;
}

class UsbProbeTest : public ::testing::Test {
 protected:
  void SetUp() override { resetSetup(); }
  void TearDown() override {
    setFsRoot("");
    resetSetup();
  }
};

}  // namespace

TEST(UsbDeviceIdRequest, IsTheUsblpReadRequestWithTheBufferLength) {
  EXPECT_EQ(usblpGetDeviceIdRequest(1024), 0x84005001UL);
  EXPECT_EQ(usblpGetDeviceIdRequest(32), 0x80205001UL);
}

TEST(UsbMakeModel, MakersAndModelsAsTheChooserShowsThem) {
  EXPECT_EQ(makeModelOf("MFG:Hewlett-Packard;MDL:HP LaserJet 4000;SERN:X1;"), "HP LaserJet 4000");
  EXPECT_EQ(makeModelOf("MANUFACTURER:Lexmark International;MODEL:E260;"), "Lexmark E260");
  EXPECT_EQ(makeModelOf("MFG:Velta;MDL:Velta C400;"), "Velta C400");
  EXPECT_EQ(makeModelOf("MFG:velta;MDL:VELTA C400;"), "VELTA C400");
  EXPECT_EQ(makeModelOf("Manufacturer:Velta;Model:C500 CL  ;"), "Velta C500 CL");
  EXPECT_EQ(makeModelOf("MDL:C600 XL;"), "C600 XL");
  EXPECT_EQ(makeModelOf("MFG:Velta;MDL:C600 XL"), "Velta C600 XL");
}

TEST(UsbMakeModel, WithoutAModelTheDescriptionOrUnknown) {
  EXPECT_EQ(makeModelOf("DES:Hewlett-Packard hp LaserJet 1000;"), "HP LaserJet 1000");
  EXPECT_EQ(makeModelOf("DESCRIPTION:hewlett-packard DeskJet 990C;"), "HP DeskJet 990C");
  EXPECT_EQ(makeModelOf("MFG:Velta;DES:Velta office printer"), "Velta office printer");
  EXPECT_EQ(makeModelOf("MFG:Velta;DES:Printer;"), "Unknown");   // no blank in it
  EXPECT_EQ(makeModelOf("MFG:Velta;DES:1 2;"), "Unknown");       // no letter in it
  EXPECT_EQ(makeModelOf("MFG:Velta;CMD:PCL;"), "Unknown");
  EXPECT_EQ(makeModelOf("no fields at all"), "Unknown");
}

TEST(UsbMakeModel, RefusesSmallBuffersAndCutsAtTheirSize) {
  std::string out;
  EXPECT_EQ(getMakeModel("", &out, 64), -1);
  EXPECT_EQ(getMakeModel("MDL:X;", nullptr, 64), -1);
  EXPECT_EQ(getMakeModel("MDL:X;", &out, 31), -1);
  EXPECT_EQ(makeModelOf("MFG:Velta;MDL:" + std::string(100, 'x') + ";", 32), "Velta " + std::string(25, 'x'));
}

TEST(UsbDeviceId, HpIdGivesTheShortMakeAndTheSerial) {
  CannedSource source;
  std::string id, mm, uri;
  ASSERT_EQ(source.read(reply("MFG:Hewlett-Packard;MDL:HP Color LaserJet;SERN:X1;"), &id, &mm, &uri), 0);
  EXPECT_EQ(id, "MFG:Hewlett-Packard;MDL:HP Color LaserJet;SERN:X1;");
  EXPECT_EQ(mm, "HP Color LaserJet");
  EXPECT_EQ(uri, "usb://HP/Color%20LaserJet?serial=X1");

  ASSERT_EQ(source.read(reply("MFG:Lexmark International;MDL:E260;"), &id, &mm, &uri), 0);
  EXPECT_EQ(mm, "Lexmark E260");
  EXPECT_EQ(uri, "usb://Lexmark/E260");

  ASSERT_EQ(source.read(reply("MDL:Velta C400;SERIALNUMBER:77 A;"), &id, &mm, &uri), 0);
  EXPECT_EQ(uri, "usb://Velta/C400?serial=77%20A");

  ASSERT_EQ(source.read(reply("MFG:Velta;MDL:C400;SN:first"), &id, &mm, &uri), 0);
  EXPECT_EQ(uri, "usb://Velta/C400?serial=first");
}

TEST(UsbDeviceId, LengthPrefixInEitherByteOrderOrOversized) {
  CannedSource source;
  const std::string text = "MFG:Velta;MDL:C400;";
  std::string id, mm, uri;
  std::string lowFirst = std::string(1, static_cast<char>(text.size() + 2)) + '\0' + text;
  ASSERT_EQ(source.read(lowFirst, &id, &mm, &uri), 0);
  EXPECT_EQ(id, text);
  ASSERT_EQ(source.read("\xff\xff" + text, &id, &mm, &uri), 0);
  EXPECT_EQ(id, text);
  EXPECT_EQ(uri, "usb://Velta/C400");
}

TEST(UsbDeviceId, EmptyIdsAndBadArgumentsFail) {
  CannedSource source;
  std::string id, mm, uri = "kept";
  EXPECT_EQ(source.read(std::string("\0\0MFG:Velta;", 12), &id, &mm, &uri), -1);  // zero length
  EXPECT_EQ(source.read(std::string("\0\x10", 2), &id, &mm, &uri), -1);           // no text
  EXPECT_EQ(uri, "kept");
  EXPECT_EQ(getUSBDeviceId(-1, &id, 1024, &mm, 1024, "usb", &uri, 1024), -1);
  source.node("/p", reply("MDL:X;"));
  int fd = source.openNode("/p");
  EXPECT_EQ(getUSBDeviceId(fd, &id, 31, &mm, 1024, "usb", &uri, 1024), -1);
  EXPECT_EQ(getUSBDeviceId(fd, &id, 1024, &mm, 31, "usb", &uri, 1024), -1);
  EXPECT_EQ(getUSBDeviceId(fd, nullptr, 1024, &mm, 1024, "usb", &uri, 1024), -1);
  // No URI without a scheme or with a URI buffer of 32 bytes or less.
  EXPECT_EQ(getUSBDeviceId(fd, &id, 1024, &mm, 1024, nullptr, &uri, 1024), 0);
  EXPECT_EQ(getUSBDeviceId(fd, &id, 1024, &mm, 1024, "usb", &uri, 32), 0);
  EXPECT_EQ(uri, "kept");
}

TEST(UsbDeviceId, AnIdWithoutFieldsIsUnknown) {
  CannedSource source;
  std::string id, mm, uri;
  ASSERT_EQ(source.read(reply("garbage"), &id, &mm, &uri), 0);
  EXPECT_EQ(mm, "Unknown");
  EXPECT_EQ(uri, "usb://Unknown/");
}

TEST(UsbDeviceId, IdsLongerThanTheBuffersAreCutAtTheirSizes) {
  CannedSource source;
  std::string longId = "MFG:" + std::string(600, 'm') + ";MDL:" + std::string(3000, 'x') + ";SERN:" +
                       std::string(900, 's') + ";";
  std::string id, mm, uri;
  ASSERT_EQ(source.read(reply(longId), &id, &mm, &uri), 0);
  EXPECT_EQ(id, longId.substr(0, kUsbWorkBufferSize - 2));
  EXPECT_LE(mm.size(), kUsbWorkBufferSize - 1);
  EXPECT_LE(uri.size(), kUsbWorkBufferSize - 1);
  // The make goes into the URI cut at 255 characters.
  EXPECT_EQ(uri.substr(0, 6 + 255 + 1), "usb://" + std::string(255, 'm') + "/");
}

TEST_F(UsbProbeTest, NodesAreTriedInOrderAndBusyOnesPassedOver) {
  CannedSource source;
  source.node("/dev/usb/lp0", reply("MFG:Velta;MDL:C400;SERN:A0;"));
  source.busy("/dev/usblp1", EBUSY);
  source.node("/dev/usb/lp1", reply("MFG:Velta;MDL:never;"));
  source.node("/dev/usb/usblp2", reply("MFG:Velta;MDL:C500 CL;"));
  source.busy("/dev/usblp3", EACCES);
  source.node("/dev/usblp15", reply("MFG:Velta;MDL:C600 XL;SERN:Z\x01\x02"));
  source.node("/dev/usblp16", reply("MFG:Velta;MDL:out of range;"));
  addPList(&setup().usbDeviceList, new PList("left over"));

  EXPECT_EQ(getUSBDevice(), 3);
  EXPECT_EQ(usbNames(), (std::vector<std::string>{"Velta/C400?serial=A0", "Velta/C500%20CL", "Velta/C600%20XL?serial=Z"}));
  EXPECT_EQ(setup().usbDeviceList.next->position, 1);
  EXPECT_EQ(setup().usbDeviceList.prev->position, 3);
  EXPECT_EQ(source.openCount, source.closeCount);

  std::vector<std::string> expectFirst = {"/dev/usblp0", "/dev/usb/lp0", "/dev/usblp1", "/dev/usblp2",
                                          "/dev/usb/lp2", "/dev/usb/usblp2", "/dev/usblp3", "/dev/usblp4"};
  ASSERT_GE(source.opened.size(), expectFirst.size());
  EXPECT_EQ(std::vector<std::string>(source.opened.begin(), source.opened.begin() + expectFirst.size()), expectFirst);
}

TEST_F(UsbProbeTest, NodesAreLookedUpUnderTheInjectedRoot) {
  TempDir tmp;
  CannedSource source;
  setFsRoot(tmp.path());
  source.node(tmp.path() + "/dev/usblp4", reply("MFG:Velta;MDL:C400;"));
  EXPECT_EQ(getUSBDevice(), 1);
  EXPECT_EQ(usbNames(), std::vector<std::string>{"Velta/C400"});
}

TEST_F(UsbProbeTest, ALongUriMakesANameOf255Characters) {
  CannedSource source;
  source.node("/dev/usblp0", reply("MFG:Velta;MDL:" + std::string(400, 'x') + ";"));
  EXPECT_EQ(getUSBDevice(), 1);
  EXPECT_EQ(usbNames().at(0), "Velta/" + std::string(249, 'x'));
}

TEST_F(UsbProbeTest, ADeviceIdNeverReachesAShell) {
  TempDir tmp;
  std::string cwd(4096, '\0');
  ASSERT_NE(::getcwd(&cwd[0], cwd.size()), nullptr);
  cwd.resize(std::strlen(cwd.c_str()));
  ASSERT_EQ(::chdir(tmp.path().c_str()), 0);

  ASSERT_EQ(::mkdir((tmp / "nodes").c_str(), 0755), 0);
  ASSERT_EQ(::mkdir((tmp / "nodes/dev").c_str(), 0755), 0);
  writeFile(tmp / "nodes/dev/usblp0", reply("MFG:Velta;MDL:a$(touch canary)&b;"));
  writeFile(tmp / "nodes/dev/usblp1", reply("MFG:Velta;MDL:a`touch " + tmp.path() + "/canary2`;b|touch canary3;"));
  Command list({JARN_JARNCTL, "-Z", "3", "-R", tmp / "nodes", "usb-list"}, "jarnctl usb-list");
  list.env.push_back({"JARNCTL_USB_CANNED", "1"});
  std::string out;
  EXPECT_EQ(exitCodeOf(runCapture(list, 0, &out, RunMode::Quiet)), 0);
  EXPECT_EQ(out, "found: 2\n1\tVelta/a$(touch%20canary)&b\n2\tVelta/a`touch%20" + tmp.path() + "/canary2`\n");

  // The URI goes to a command as one argument, as the queue commands hand it on.
  Command echo({"printf", "%s", "usb://Velta/a$(touch canary)&b"}, "printf");
  EXPECT_EQ(exitCodeOf(runCapture(echo, 0, &out, RunMode::Quiet)), 0);
  EXPECT_EQ(out, "usb://Velta/a$(touch canary)&b");

  EXPECT_FALSE(pathExists(tmp / "canary"));
  EXPECT_FALSE(pathExists(tmp / "canary2"));
  EXPECT_FALSE(pathExists(tmp / "canary3"));
  EXPECT_FALSE(pathExists(cwd + "/canary"));
  ASSERT_EQ(::chdir(cwd.c_str()), 0);
}

TEST(UsbCheckString, EscapesBlanksParenthesesAndLonePercentSigns) {
  std::string text = "usb://Velta/C400 (PS)";
  checkUSBString(text);
  EXPECT_EQ(text, "Velta/C400\\ \\(PS\\)");
  text = "usb://Velta/C500%%CL%20x";
  checkUSBString(text);
  EXPECT_EQ(text, "Velta/C500%%CL\\%20x");
  text = "usb:Velta/C600";
  checkUSBString(text);
  EXPECT_EQ(text, "Velta/C600");
  text = "socket://host:9100";
  checkUSBString(text);
  EXPECT_EQ(text, "socket://host:9100");
}

TEST(UsbCheckString, CutsAtTheFieldWithoutHalfAnEscape) {
  std::string text = "usb://" + std::string(126, 'a') + " (b)";
  checkUSBString(text);
  EXPECT_EQ(text, std::string(126, 'a'));
  text = "usb://" + std::string(300, '(');
  checkUSBString(text);
  EXPECT_EQ(text.size(), 126u);
  EXPECT_EQ(text.substr(124), "\\(");
}

TEST(UsbTrimDeviceName, CutsTrailingControlsAndKeepsTheFirstByte) {
  PList a("Velta/C400 \t\r\n");
  trimDeviceName(&a);
  EXPECT_EQ(a.name, "Velta/C400");
  PList b(" \n");
  trimDeviceName(&b);
  EXPECT_EQ(b.name, " ");
  PList c("Velta/Caf\xc3\xa9");
  trimDeviceName(&c);
  EXPECT_EQ(c.name, "Velta/Caf\xc3\xa9");
}

TEST_F(UsbProbeTest, TheKernelLayerPassesOverNodesThatAreNoPrinters) {
  TempDir tmp;
  ASSERT_EQ(::mkdir((tmp / "dev").c_str(), 0755), 0);
  ASSERT_EQ(::mkdir((tmp / "dev/usb").c_str(), 0755), 0);
  writeFile(tmp / "dev/usblp0", reply("MFG:Velta;MDL:C400;"));  // a plain file: the request fails
  ASSERT_EQ(::mkfifo((tmp / "dev/usblp1").c_str(), 0600), 0);   // nobody on the other end
  ASSERT_EQ(::mkdir((tmp / "dev/usblp2").c_str(), 0755), 0);
  ASSERT_EQ(::symlink("/dev/null", (tmp / "dev/usb/lp3").c_str()), 0);
  setFsRoot(tmp.path());
  EXPECT_EQ(getUSBDevice(), 0);
  EXPECT_TRUE(usbNames().empty());
}
