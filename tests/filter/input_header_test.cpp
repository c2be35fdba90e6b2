// The input's own PJL header in every work mode: taken apart so that the
// device sees one job, the driver's lines inside the filter's header ahead
// of its own, the data and the PostScript feature blocks behind it. Also on
// the PCL that Ghostscript's IJS device makes with hpijs.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "process_runner.h"
#include "test_support.h"

using namespace testing_support;

namespace {

const std::string kUel = "\033%-12345X";

// The filter run as a command on job.
std::string runFilter(const std::string& job, std::vector<std::string> options) {
  TempDir dir;
  writeFile(dir / "in", job);
  options.insert(options.begin(), QORGSFILTER_PATH);
  Command cmd(options, "qorgsfilter");
  cmd.stdinPath = dir / "in";
  cmd.stdoutPath = dir / "out";
  cmd.env = {{"PPD", ""}};
  EXPECT_EQ(exitCodeOf(runCommand(cmd, 0, RunMode::Quiet)), 0);
  return readFile(dir / "out");
}

std::size_t countOf(const std::string& text, const std::string& what) {
  std::size_t n = 0;
  for (std::size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
  return n;
}

std::string upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

}  // namespace

TEST(InputPjlHeader, EveryFormInEveryModeGivesOneJob) {
  struct Form {
    const char* name;
    std::string header;  // "@" stands for the language
    std::string line;    // the driver's line as it must reach the header
  };
  const Form forms[] = {
      {"plain", kUel + "@PJL SET DUPLEX=OFF\n@PJL ENTER LANGUAGE=@\n", "@PJL SET DUPLEX=OFF"},
      {"blank line", kUel + "@PJL SET DUPLEX=OFF\n\n@PJL ENTER LANGUAGE=@\n", "@PJL SET DUPLEX=OFF"},
      {"lower case", kUel + "@pjl set duplex=off\n@pjl enter language=@\n", "@pjl set duplex=off"},
      {"CR LF", kUel + "@PJL SET DUPLEX=OFF\r\n@PJL ENTER LANGUAGE=@\r\n", "@PJL SET DUPLEX=OFF"},
      {"two UELs", kUel + "@PJL SET DUPLEX=OFF\n" + kUel + "@PJL ENTER LANGUAGE=@\n", "@PJL SET DUPLEX=OFF"},
      {"^D and UELs first", "\004\r\n" + kUel + kUel + "\r\n@PJL SET DUPLEX=OFF\n@PJL ENTER LANGUAGE=@\n",
       "@PJL SET DUPLEX=OFF"},
  };
  struct Mode {
    const char* option;
    const char* language;
    std::string data;
  };
  const std::string ps = "%!PS-Adobe-3.0\n%%EndComments\nshowpage\n";
  const Mode modes[] = {
      {"-MPXL", "PCLXL", std::string(") HP-PCL XL;2;0\n\xd1\x58\x02\x58\x02\xf8\x89\x41\x42", 25)},
      {"-MPCL", "PCL", "\033E\033&l0Otext"},
      {"-MPS", "POSTSCRIPT", ps},
      {"-MPSP", "POSTSCRIPT", ps},
  };
  for (const Mode& m : modes)
    for (const Form& f : forms) {
      std::string header = f.header;
      header.replace(header.find("=@") + 1, 1, m.language);
      std::string out = runFilter(header + m.data, {m.option, "-BB5"});
      std::string what = std::string(m.option) + " " + f.name;
      std::size_t dataAt = out.find(m.data.substr(0, 20));  // PSP adds to the data
      ASSERT_NE(dataAt, std::string::npos) << what;
      std::string head = out.substr(0, dataAt);
      EXPECT_EQ(countOf(head, kUel), 1u) << what;
      EXPECT_EQ(countOf(upper(head), "ENTER LANGUAGE"), 1u) << what;
      if (std::string(m.option) == "-MPSP") {
        // No header of the filter's: the driver's comes back as one, first.
        std::size_t at = upper(header).find("@PJL ENTER");
        std::string language = header.substr(at, header.find_first_of("\r\n", at) - at);
        EXPECT_EQ(head, kUel + f.line + "\n" + language + "\n") << what;
        EXPECT_NE(out.find("%%EndComments\n%%BeginFeature: *Destination"), std::string::npos) << what;
        continue;
      }
      EXPECT_EQ(head.compare(0, 18, kUel + "@PJL Jarn"), 0) << what;
      std::size_t lineAt = head.find("\n" + f.line + "\n");
      ASSERT_NE(lineAt, std::string::npos) << what;
      EXPECT_LT(lineAt, head.find("MAILBOXNUMBER=5")) << what;
    }
  // -NOPJL leaves the input as it is.
  std::string job = kUel + "@PJL SET DUPLEX=OFF\n@PJL ENTER LANGUAGE=PCL\n\033Etext";
  EXPECT_EQ(runFilter(job, {"-MPCL", "-NOPJL"}), job);
}

TEST(InputPjlHeader, HpijsLaserJetPclGetsOneHeaderWithTheDriversLines) {
  TempDir dir;
  Command gs({"gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sDEVICE=ijs", "-sIjsServer=hpijs",
              "-sDeviceManufacturer=HEWLETT-PACKARD", "-sDeviceModel=HP LaserJet 4050", "-dIjsUseOutputFD",
              "-r300", "-sPAPERSIZE=a4", "-o", dir / "job.pcl", std::string(PAGES_PS)},
             "gs");
  ASSERT_EQ(exitCodeOf(runCommand(gs, 0, RunMode::Quiet)), 0);
  std::string job = readFile(dir / "job.pcl");
  ASSERT_EQ(job.compare(0, 13, kUel + "@PJL"), 0);  // the driver's own header
  std::string out = runFilter(job, {"-MPCL", "-d1", "-BB5"});
  std::size_t dataAt = out.find("\033E");
  std::string head = out.substr(0, dataAt);
  EXPECT_EQ(countOf(head, kUel), 1u);
  EXPECT_EQ(countOf(head, "ENTER LANGUAGE"), 1u);
  for (const char* line : {"@PJL SET RESOLUTION=600", "@PJL SET DUPLEX=OFF", "@PJL SET PAGEPROTECT=AUTO"}) {
    ASSERT_NE(head.find(std::string("\n") + line + "\n"), std::string::npos) << line;
    EXPECT_LT(head.find(line), head.find("@PJL COMMENT VELPJL SET DEVICE=MAILBOX")) << line;
  }
  EXPECT_EQ(out.compare(dataAt, 7, "\033E\033&l1S"), 0);  // the job's duplex right after the first reset
  EXPECT_EQ(countOf(out, kUel), countOf(job, kUel) + 2);  // ours for the driver's, its closing one, our trailer
}

TEST(InputPjlHeader, LinesWithControlCharactersAreNotCarried) {
  struct Row {
    const char* name;
    std::string line;
    bool carried;
  };
  const Row rows[] = {
      {"UEL inside", "@PJL COMMENT a" + kUel + "@PJL SET USERNAME=\"evil\"", false},
      {"ESC command", "@PJL SET X=1\033E", false},
      {"bare CR", "@PJL SET X=1\r@PJL SET Y=2", false},
      {"form feed", "@PJL SET X=1\f", false},
      {"NUL", std::string("@PJL SET X=1\0", 13), false},
      {"DEL", "@PJL SET X=1\x7f", false},
      {"TAB", "@PJL SET\tX=1", true},
      {"8-bit text", "@PJL COMMENT caf\xc3\xa9", true},
  };
  for (const char* mode : {"-MPCL", "-MPSP"})
    for (const Row& r : rows) {
      std::string what = std::string(mode) + " " + r.name;
      std::string lang = mode == std::string("-MPCL") ? "PCL" : "POSTSCRIPT";
      std::string out = runFilter(kUel + r.line + "\r\n@PJL ENTER LANGUAGE=" + lang + "\r\n\033E%!PS\n", {mode});
      std::string head = out.substr(0, out.find("\033E%!PS"));
      EXPECT_EQ(countOf(head, "\033"), 1u) << what;  // the UEL's own, nothing else
      EXPECT_EQ(head.find("\r"), std::string::npos) << what;
      EXPECT_EQ(head.find("evil"), std::string::npos) << what;
      EXPECT_EQ(head.find(r.line + "\n") != std::string::npos, r.carried) << what;
    }
  // A language line holding ESC still ends the header but is not written back.
  std::string out = runFilter(kUel + "@PJL ENTER LANGUAGE=POSTSCRIPT\033E\n%!PS\n", {"-MPSP"});
  EXPECT_EQ(out.compare(0, kUel.size() + 1, kUel + "%"), 0) << out;
}
