// The device authentication exchange against a real UDP responder on
// 127.0.0.1:47545, and the reading of replies of every size.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <vector>

#include "device_auth.h"
#include "periphery_support.h"
#include "setup_state.h"
#include "sleeper.h"
#include "test_support.h"

using periphery_testing::ReadyProcess;
using testing_support::TempDir;

namespace {

std::string hex(const std::string& bytes) {
  static const char digits[] = "0123456789abcdef";
  std::string out;
  for (unsigned char c : bytes) {
    out += digits[c >> 4];
    out += digits[c & 15];
  }
  return out;
}

std::vector<std::string> responder(std::vector<std::string> args) {
  args.insert(args.begin(), KRPA_RESPONDER_PATH);
  return args;
}

double secondsSince(std::chrono::steady_clock::time_point start) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

class DeviceAuth : public ::testing::Test {
 protected:
  void SetUp() override { resetSetup(); }
  void TearDown() override { setSleeper(nullptr); }
  TempDir dir;
};

TEST(KrpaRequest, HeaderThenIdentityAndSecretHighByteFirst) {
  std::string r = krpaRequest(0x01020304u, 0xA0B0C0D0u);
  ASSERT_EQ(r.size(), 28u);
  EXPECT_EQ(hex(r), "cdca10040050000000080000000000000000000001020304a0b0c0d0");
}

TEST(KrpaReply, OnlyBytesThatArrivedInsideTheAnnouncedBodyCount) {
  unsigned char reply[64] = {0xCD, 0xCA, 0x10, 0x04, 0x00, 0x50, 0, 0, 0, 6};
  reply[24] = 0x42;
  reply[25] = 0x07;
  int status = -5;
  // Exactly the header: no body, the status stays.
  EXPECT_EQ(krpaParseReply(reply, 20, &status), 0);
  EXPECT_EQ(status, -5);
  // 23 bytes: the status and verdict bytes never arrived.
  EXPECT_EQ(krpaParseReply(reply, 23, &status), 0);
  EXPECT_EQ(status, -5);
  // 26 bytes: both arrived.
  EXPECT_EQ(krpaParseReply(reply, 26, &status), 7);
  EXPECT_EQ(status, 0x42);
  // A header that announces less than arrived: the bytes after the body are not used.
  reply[9] = 5;  // the body ends with the status byte
  status = -5;
  EXPECT_EQ(krpaParseReply(reply, 26, &status), 0);
  EXPECT_EQ(status, 0x42);
  // A header announcing far more than the buffer holds reads only what arrived.
  reply[8] = 0xff;
  reply[9] = 0xff;
  EXPECT_EQ(krpaParseReply(reply, 64, &status), 7);
  // An incomplete header is no reply.
  EXPECT_EQ(krpaParseReply(reply, 19, &status), -1);
  EXPECT_EQ(krpaParseReply(reply, 0, &status), -1);
}

TEST_F(DeviceAuth, SendsTheExactRequestAndReturnsTheVerdict) {
  std::string log = dir / "requests";
  ReadyProcess p(responder({"--record", log, "--expect", "305419896", "2271560481", "--verdict", "1",
                            "--status", "0x33"}));
  ASSERT_TRUE(p.ready());
  int status = -1;
  EXPECT_EQ(krpaAuthenticate("127.0.0.1", 0x12345678u, 0x87654321u, &status, 1), 1);
  EXPECT_EQ(status, 0x33);
  EXPECT_EQ(testing_support::readFile(log), "cdca1004005000000008000000000000000000001234567887654321\n");
  // A name is resolved as well as a dotted address; a wrong secret gets the responder's refusal.
  status = -1;
  EXPECT_EQ(krpaAuthenticate("localhost", 0x12345678u, 1u, &status, 0), 0xEE);
}

TEST_F(DeviceAuth, RepliesOfEverySize) {
  struct Case {
    const char* length;
    int result;
    int status;
  };
  const Case cases[] = {{"20", 0, -1}, {"23", 0, -1}, {"26", 9, 0x44}, {"64", 9, 0x44}, {"300", 9, 0x44}};
  for (const Case& c : cases) {
    ReadyProcess p(responder({"--length", c.length, "--verdict", "9", "--status", "0x44"}));
    ASSERT_TRUE(p.ready());
    int status = -1;
    EXPECT_EQ(krpaAuthenticate("127.0.0.1", 1, 2, &status, 0), c.result) << "reply of " << c.length;
    EXPECT_EQ(status, c.status) << "reply of " << c.length;
  }
  // A reply shorter than its header is no reply.
  ReadyProcess p(responder({"--length", "12"}));
  ASSERT_TRUE(p.ready());
  int status = -1;
  EXPECT_EQ(krpaAuthenticate("127.0.0.1", 1, 2, &status, 0), -1);
}

TEST_F(DeviceAuth, SilentPrinterTimesOutAfterOneSecond) {
  ReadyProcess p(responder({"--silent"}));
  ASSERT_TRUE(p.ready());
  setup().traceLevel = 1;
  testing::internal::CaptureStderr();
  auto start = std::chrono::steady_clock::now();
  int status = -1;
  int result = krpaAuthenticate("127.0.0.1", 1, 2, &status, 1);
  double took = secondsSince(start);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(result, -1);
  EXPECT_GE(took, 0.9);
  EXPECT_LT(took, 2.0);
  EXPECT_NE(err.find("Cannot communicate with : '127.0.0.1' [14]\n"), std::string::npos) << err;
  EXPECT_NE(err.find("Cannot read from socket "), std::string::npos) << err;
  EXPECT_NE(err.find("Cannot receive packet of 26 bytes: -1.\n"), std::string::npos) << err;
}

TEST_F(DeviceAuth, NoResponderFailsWithinTwoSeconds) {
  auto start = std::chrono::steady_clock::now();
  int status = -1;
  EXPECT_EQ(krpaAuthenticate("127.0.0.1", 1, 2, &status, 0), -1);
  EXPECT_LT(secondsSince(start), 2.0);
  EXPECT_EQ(status, -1);
}

TEST_F(DeviceAuth, EmptyOrUnknownHostSendsNothing) {
  std::string log = dir / "requests";
  ReadyProcess p(responder({"--record", log}));
  ASSERT_TRUE(p.ready());
  testing::internal::CaptureStderr();
  int status = -1;
  for (const char* host : {"", "no-such-host.invalid"}) {  // told apart from a verdict 0
    status = -1;
    EXPECT_EQ(krpaAuthenticate(host, 1, 2, &status, 1), 0);
    EXPECT_EQ(status, kKrpaStatusNoHost) << host;
  }
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_NE(err.find("krpaAuthenticate: cannot find address for 'no-such-host.invalid'\n"
                     "Cannot open socket for no-such-host.invalid:47545.\n"),
            std::string::npos)
      << err;
  p.stop();
  EXPECT_EQ(testing_support::readFile(log), "");
}

TEST_F(DeviceAuth, ConnectionRefusedTenTimesGivesUp) {
  int sleeps = 0;
  setSleeper([&](unsigned s) { sleeps += static_cast<int>(s); });
  testing::internal::CaptureStderr();
  int status = -1;
  // A UDP socket may not be connected to the broadcast address without SO_BROADCAST.
  EXPECT_EQ(krpaAuthenticate("255.255.255.255", 1, 2, &status, 1), 0);
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(sleeps, 10);
  EXPECT_EQ(status, kKrpaStatusNoConnection);
  EXPECT_NE(err.find("krpaAuthenticate: connect to '255.255.255.255',port 47545 failed after 10 tries - "),
            std::string::npos)
      << err;
  EXPECT_NE(err.find("Cannot open socket for 255.255.255.255:47545.\n"), std::string::npos) << err;
}

}  // namespace
