// The printer URI look-up over real HTTP and IPP: against private CUPS
// daemons (a printer, a class made with lpadmin -c, a printer on a second
// daemon), and against IPP servers of our own for classes whose members are
// classes (CUPS 2.4 refuses nested classes), on the same server and on a
// second one, with the depth limit.
#include <gtest/gtest.h>

#include <cups/cups.h>
#include <string>
#include <vector>

#include "cupsd_support.h"
#include "periphery_support.h"
#include "printer_uri.h"
#include "setup_state.h"
#include "test_support.h"

using periphery_testing::PrivateCupsd;
using periphery_testing::ReadyProcess;
using testing_support::readFile;
using testing_support::TempDir;

namespace {

struct Found {
  int result = -1;
  std::string host = "unset";
  int port = -1;
  std::string resource = "unset";
};

Found lookUp(http_t* http, const std::string& name) {
  Found f;
  f.result = cupsGetPrinterUri(http, name, &f.host, &f.port, &f.resource, 0);
  return f;
}

http_t* connectTo(int port) {
  return httpConnect2("127.0.0.1", port, nullptr, AF_INET, HTTP_ENCRYPTION_IF_REQUESTED, 1, 30000, nullptr);
}

TEST(PrinterUriCups, PrinterAndClassOnPrivateDaemons) {
  resetSetup();
  TempDir dir;
  PrivateCupsd a(dir / "a");
  PrivateCupsd b(dir / "b");
  ASSERT_TRUE(a.running() && b.running());
  for (const char* p : {"P1", "P2"}) {
    ASSERT_EQ(a.client({"lpadmin", "-p", p, "-v", "file:/dev/null", "-E"}), 0) << readFile(a.base() + "/log/client_stderr");
  }
  ASSERT_EQ(a.client({"lpadmin", "-p", "P1", "-c", "CL"}), 0);
  ASSERT_EQ(a.client({"lpadmin", "-p", "P2", "-c", "CL"}), 0);
  ASSERT_EQ(b.client({"lpadmin", "-p", "PB", "-v", "file:/dev/null", "-E"}), 0);

  http_t* http = connectTo(a.port());
  ASSERT_NE(http, nullptr);
  // A plain printer answers with its printer-uri-supported.
  Found p = lookUp(http, "P1");
  EXPECT_EQ(p.result, 1);
  EXPECT_FALSE(p.host.empty());
  EXPECT_EQ(p.port, a.port());
  EXPECT_EQ(p.resource, "/printers/P1");
  // A class answers with its first member printer.
  Found c = lookUp(http, "CL");
  EXPECT_EQ(c.result, 1);
  EXPECT_EQ(c.host, p.host);
  EXPECT_EQ(c.port, a.port());
  EXPECT_EQ(c.resource, "/printers/P1");
  // Nothing of that name: 0 with empty texts.
  Found none = lookUp(http, "NoSuchQueue");
  EXPECT_EQ(none.result, 0);
  EXPECT_EQ(none.host, "");
  EXPECT_EQ(none.resource, "");
  httpClose(http);

  // The second daemon, on its own connection.
  http = connectTo(b.port());
  ASSERT_NE(http, nullptr);
  Found pb = lookUp(http, "PB");
  EXPECT_EQ(pb.result, 1);
  EXPECT_EQ(pb.port, b.port());
  EXPECT_EQ(pb.resource, "/printers/PB");
  EXPECT_EQ(lookUp(http, "P1").result, 0) << "P1 lives on the first daemon only";
  httpClose(http);
}

class PrinterUriClasses : public ::testing::Test {
 protected:
  void SetUp() override { resetSetup(); }
  std::vector<std::string> server(const std::string& log, std::vector<std::string> entries) {
    entries.insert(entries.begin(), log);
    entries.insert(entries.begin(), IPP_CLASS_SERVER_PATH);
    return entries;
  }
  TempDir dir;
};

TEST_F(PrinterUriClasses, ClassesAreFollowedOnTheSameAndOnASecondServer) {
  ReadyProcess b(server(dir / "b.log", {"printer:PB=ipp://127.0.0.1:@PORT@/printers/PB",
                                        "class:CB=ipp://127.0.0.1:@PORT@/printers/PB"}));
  ASSERT_TRUE(b.ready());
  std::string bPort = std::to_string(b.readyNumber());
  ReadyProcess a(server(dir / "a.log",
                        {"class:OUTER=ipp://127.0.0.1:@PORT@/classes/MID",
                         "class:MID=ipp://127.0.0.1:" + bPort + "/classes/CB",
                         "class:MIX=ipp://127.0.0.1:@PORT@/classes/OUTER,ipp://127.0.0.1:@PORT@/printers/PA",
                         "class:DEAD=ipp://127.0.0.1:1/classes/GONE,ipp://127.0.0.1:@PORT@/classes/LOCAL",
                         "class:LOCAL=ipp://127.0.0.1:@PORT@/printers/PA",
                         "printer:PA=ipp://printer-a.example:631/ipp/print"}));
  ASSERT_TRUE(a.ready());
  http_t* http = connectTo(a.readyNumber());
  ASSERT_NE(http, nullptr);

  // A class on this server whose member is a class on the second server.
  Found f = lookUp(http, "OUTER");
  EXPECT_EQ(f.result, 1);
  EXPECT_EQ(f.host, "127.0.0.1");
  EXPECT_EQ(f.port, b.readyNumber());
  EXPECT_EQ(f.resource, "/printers/PB");
  EXPECT_EQ(readFile(dir / "a.log"), "OUTER\nMID\n");
  EXPECT_EQ(readFile(dir / "b.log"), "CB\n");

  // A printer member wins over class members listed before it.
  f = lookUp(http, "MIX");
  EXPECT_EQ(f.result, 1);
  EXPECT_EQ(f.host, "127.0.0.1");
  EXPECT_EQ(f.resource, "/printers/PA");
  // A printer's own URI, split.
  f = lookUp(http, "PA");
  EXPECT_EQ(f.result, 1);
  EXPECT_EQ(f.host, "printer-a.example");
  EXPECT_EQ(f.port, 631);
  EXPECT_EQ(f.resource, "/ipp/print");

  // A member on a server that cannot be reached is skipped; the next one answers.
  setup().traceLevel = 3;
  testing::internal::CaptureStderr();
  f = lookUp(http, "DEAD");
  std::string err = testing::internal::GetCapturedStderr();
  setup().traceLevel = 0;
  EXPECT_EQ(f.result, 1);
  EXPECT_EQ(f.resource, "/printers/PA");
  EXPECT_NE(err.find("Unable to connect to server!\n"), std::string::npos) << err;
  EXPECT_NE(err.find("cupsGetPrinterUri: printer-uri=\"ipp://localhost/printers/DEAD\"\n"), std::string::npos) << err;
  httpClose(http);
}

TEST_F(PrinterUriClasses, ClassesDeeperThanThreeLevelsAreNotFollowed) {
  ReadyProcess s(server(dir / "log", {"class:C0=ipp://127.0.0.1:@PORT@/classes/C1",
                                      "class:C1=ipp://127.0.0.1:@PORT@/classes/C2",
                                      "class:C2=ipp://127.0.0.1:@PORT@/classes/C3",
                                      "class:C3=ipp://127.0.0.1:@PORT@/classes/C4",
                                      "class:C4=ipp://127.0.0.1:@PORT@/printers/P",
                                      "printer:P=ipp://127.0.0.1:@PORT@/printers/P"}));
  ASSERT_TRUE(s.ready());
  http_t* http = connectTo(s.readyNumber());
  ASSERT_NE(http, nullptr);
  // From C1 the printer is three levels down: found.
  Found f = lookUp(http, "C1");
  EXPECT_EQ(f.result, 1);
  EXPECT_EQ(f.resource, "/printers/P");
  // From C0 it is four levels down: the depth runs out, nothing is found.
  ::unlink((dir / "log").c_str());
  setup().traceLevel = 3;
  testing::internal::CaptureStderr();
  f = lookUp(http, "C0");
  std::string err = testing::internal::GetCapturedStderr();
  setup().traceLevel = 0;
  EXPECT_EQ(f.result, 0);
  EXPECT_EQ(f.host, "");
  EXPECT_EQ(f.resource, "");
  EXPECT_EQ(readFile(dir / "log"), "C0\nC1\nC2\nC3\n");
  EXPECT_NE(err.find("No printer-uri found!\n"), std::string::npos) << err;
  httpClose(http);
}

}  // namespace
