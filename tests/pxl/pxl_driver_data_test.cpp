// The PXL road on other drivers' streams: a PCL XL 3.0 colour-laser job
// with vendor data (made through Ghostscript's IJS device and ijs_pxljr), a
// Letter job of Ghostscript's lj5gray device, and hand-made VendorUnique
// operators whose data looks like tokens.
#include "pxl_scanner.h"
#include "pxl_test_helpers.h"

#include "pxl_tags.h"

using pxltest::defaults;
using pxltest::filtered;
using pxltest::hex;

namespace {

std::string pxljrJob() {
  return pxltest::ghostscript({"-sDEVICE=ijs", "-sIjsServer=ijs_pxljr", "-sDeviceManufacturer=HP",
                               "-sDeviceModel=hp color LaserJet 3500", "-dIjsUseOutputFD", "-r600"},
                              "pxljr");
}

// The filter run as a command on job; err gets its standard error.
std::string runFilter(const std::string& job, const std::vector<std::string>& options, std::string& err) {
  pxltest::TempDir dir;
  writeFile(dir / "in", job);
  std::vector<std::string> argv{QORGSFILTER_PATH};
  argv.insert(argv.end(), options.begin(), options.end());
  Command cmd(argv, "qorgsfilter");
  cmd.stdinPath = dir / "in";
  cmd.stdoutPath = dir / "out";
  cmd.stderrPath = dir / "err";
  cmd.env = {{"PPD", ""}};
  EXPECT_EQ(exitCodeOf(runCommand(cmd, 0, RunMode::Quiet)), 0);
  err = readFile(dir / "err");
  return readFile(dir / "out");
}

}  // namespace

TEST(PxlDriverData, DriverJobsGetTheJobsSettingsOnEveryPage) {
  struct Case {
    const char* name;
    std::string job;
    std::vector<std::string> options;
    std::vector<std::pair<unsigned, std::string>> want;  // on every page: attribute and value
  };
  const Case cases[] = {
      {"pxljr", pxljrJob(), {"-MPXL", "-d1", "-p26"}, {{kAttrDuplexPageMode, hex("c0 01")}, {kAttrMediaSize, hex("c0 02")}}},
      {"lj5gray Letter",
       pxltest::ghostscript({"-sDEVICE=lj5gray", "-sPAPERSIZE=letter"}, "lj5"),
       {"-MPXL", "-p26", "-O5", "-m4"},
       {{kAttrMediaSize, hex("c0 02")}, {kAttrMediaDestination, hex("c0 05")}, {kAttrMediaType, hex("c8 c0 05") + "Color"}}},
  };
  for (const Case& c : cases) {
    pxlscan::Stream in = pxlscan::scan(c.job);
    ASSERT_TRUE(in.complete) << c.name << ": " << in.fault;
    std::string err;
    std::string out = runFilter(c.job, c.options, err);
    EXPECT_EQ(err, "") << c.name;
    // One job start: the driver's header is taken apart, its lines kept in ours.
    std::string header = out.substr(0, out.find(") HP-PCL XL"));
    EXPECT_EQ(header.find("\033", 1), std::string::npos) << c.name;
    EXPECT_NE(header.find("\n@PJL SET RESOLUTION=600\n"), std::string::npos) << c.name;
    pxlscan::Stream st = pxlscan::scan(out);
    ASSERT_TRUE(st.complete) << c.name << ": " << st.fault << " at " << st.faultOffset;
    EXPECT_EQ(pxlscan::compareExceptPages(in, st), "") << c.name;  // vendor and image data included
    ASSERT_EQ(st.pages().size(), 3u) << c.name;
    for (const pxlscan::Operator* page : st.pages())
      for (const auto& w : c.want) {
        ASSERT_NE(page->find(w.first), nullptr) << c.name << " " << w.first;
        EXPECT_EQ(page->find(w.first)->bytes, w.second) << c.name << " " << w.first;
      }
  }
  pxlscan::Stream job = pxlscan::scan(pxljrJob());
  EXPECT_NE(pxljrJob().find(") HP-PCL XL;3;0"), std::string::npos);
  std::size_t vendorBytes = 0;
  for (const pxlscan::Operator& op : job.operators)
    if (op.code == kOpVendorUnique) vendorBytes += op.data.size();
  EXPECT_GT(vendorBytes, 1000u);  // the comparison above covered real vendor data
}

TEST(PxlDriverData, VendorDataPassesUnparsed) {
  // VendorUnique lists, each with the vendor data behind its operator.
  struct Case {
    const char* list;
    const char* data;
  };
  const Case cases[] = {
      {"c2 05 00 00 00 f8 92", "c0 02 f8 25 43"},        // looks like a BeginPage list
      {"c1 05 00 f8 92 c2 00 00 00 00 f8 91", "fa ff ff ff ff"},  // like embedded data
      {"c0 03 f8 92", "45 d8 f8"},                        // bytes that begin no token
      {"c0 00 f8 92", ""},                                // no data at all
      {"c2 01 00 00 00 f8 91", ""},                       // no length: no data
  };
  std::string page = hex("c0 00 f8 28 c0 02 f8 25 c0 00 f8 34");
  for (const Case& c : cases) {
    std::string vendor = hex(c.list) + hex("46") + hex(c.data);
    std::string head = std::string(pxltest::kStreamHeader) + pxltest::session();
    std::string tail = hex("43 44 42");
    JobSettings s = defaults();
    s.paperSize = 27;
    std::string out = filtered(head + vendor + page + tail, s);
    EXPECT_EQ(out, head + vendor + hex("c0 00 f8 28 c0 05 f8 25 c0 00 f8 34") + tail) << c.list;
    pxlscan::Stream st = pxlscan::scan(out);
    ASSERT_TRUE(st.complete) << c.list << ": " << st.fault;
    EXPECT_EQ(st.operators[1].data, hex(c.data)) << c.list;
  }
  // Vendor data cut short by the end of the job: every byte is kept.
  std::string cut = std::string(pxltest::kStreamHeader) + pxltest::session() + hex("c2 10 00 00 00 f8 92 46 c0 02");
  EXPECT_EQ(filtered(cut, defaults()), cut);
}
