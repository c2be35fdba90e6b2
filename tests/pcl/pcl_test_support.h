// Helpers for the PCL tests: running the rewriter on a byte string with a
// command line's settings, and making real PCL 5 with Ghostscript.
#pragma once

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/mman.h>
#include <initializer_list>
#include <string>
#include <unistd.h>

#include "filter_test_helpers.h"
#include "pcl5_scanner.h"
#include "pcl_rewriter.h"
#include "process_runner.h"
#include "test_support.h"

namespace pcl_testing {

const std::string kEsc = "\x1b";

// The rewriter's output for input under the settings.
inline std::string rewriteWith(const std::string& input, JobSettings settings) {
  int fd = ::memfd_create("pcl-test-input", 0);
  if (fd < 0 || ::write(fd, input.data(), input.size()) != static_cast<ssize_t>(input.size())) ADD_FAILURE() << "memfd";
  ::lseek(fd, 0, SEEK_SET);
  std::string out = filter_testing::captured([&](OutputWriter& w) {
    InputReader in(fd, "test input");
    CleanUpGSFile(in, w, settings);
  });
  ::close(fd);
  return out;
}

inline std::string rewrite(const std::string& input, std::initializer_list<const char*> words) {
  return rewriteWith(input, filter_testing::optionsFrom(words));
}

inline int countOf(const std::vector<std::string>& texts, const std::string& t) {
  int n = 0;
  for (const std::string& x : texts) n += x == t;
  return n;
}

// A three-page PostScript document with text and graphics.
inline std::string samplePostScript() {
  std::string ps = "%!PS-Adobe-3.0\n%%Pages: 3\n%%EndComments\n";
  for (int p = 1; p <= 3; ++p) {
    ps += "%%Page: " + std::to_string(p) + " " + std::to_string(p) + "\n";
    ps += "/Times-Roman findfont 24 scalefont setfont 72 700 moveto (Page " + std::to_string(p) +
          " of the sample) show\n";
    ps += "newpath 100 100 moveto 400 500 lineto 5 setlinewidth stroke\n";
    ps += "0.5 setgray 300 200 150 100 rectfill showpage\n";
  }
  return ps + "%%EOF\n";
}

// Ghostscript's output for the sample on a PCL device (args after -sDEVICE).
inline std::string ghostscriptPcl(const std::string& device, std::initializer_list<const char*> args) {
  testing_support::TempDir dir;
  testing_support::writeFile(dir / "in.ps", samplePostScript());
  Command cmd;
  cmd.argv = {"gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-sPAPERSIZE=a4", "-dFIXEDMEDIA",
              "-sDEVICE=" + device, "-o", dir / "out.pcl"};
  for (const char* a : args) cmd.argv.push_back(a);
  cmd.argv.push_back(dir / "in.ps");
  cmd.text = "gs";
  int status = runCommand(cmd, 0, RunMode::Quiet);
  EXPECT_EQ(exitCodeOf(status), 0) << "gs for " << device;
  return testing_support::readFile(dir / "out.pcl");
}

}  // namespace pcl_testing
