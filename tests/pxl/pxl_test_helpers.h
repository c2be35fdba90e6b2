// Helpers for the PCL XL tests: running the PXL road in-process on bytes,
// building small streams by hand, and Ghostscript's real streams made once
// per test run.
#pragma once

#include <gtest/gtest.h>

#include <fcntl.h>
#include <string>
#include <unistd.h>
#include <vector>

#include "job_settings.h"
#include "process_runner.h"
#include "pxl_filter.h"
#include "stream_io.h"
#include "test_support.h"

using namespace testing_support;

namespace pxltest {

using namespace testing_support;

// The PXL road's output for input under the settings.
inline std::string filtered(const std::string& input, JobSettings settings) {
  static TempDir dir;  // one for the run: the files are rewritten each time
  writeFile(dir / "in", input);
  int inFd = ::open((dir / "in").c_str(), O_RDONLY);
  int outFd = ::open((dir / "out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
  EXPECT_GE(inFd, 0);
  EXPECT_GE(outFd, 0);
  {
    InputReader in(inFd, "test input");
    OutputWriter out(outFd, "test output");
    filterPCLXL(in, out, settings);
    out.flush();
  }
  ::close(inFd);
  ::close(outFd);
  return readFile(dir / "out");
}

inline JobSettings defaults() {
  JobSettings s;
  initJobSettings(s);
  return s;
}

// Bytes from a text of hex pairs ("c0 02 f8 25").
inline std::string hex(const std::string& text) {
  std::string out;
  std::string digits;
  for (char c : text) {
    if (c == ' ') continue;
    digits += c;
    if (digits.size() == 2) {
      out += static_cast<char>(std::stoi(digits, nullptr, 16));
      digits.clear();
    }
  }
  return out;
}

const char kStreamHeader[] = ") HP-PCL XL;2;0\n";
const char kStreamHeaderHigh[] = "( HP-PCL XL;2;0\n";
inline std::string session() { return hex("d1 58 02 58 02 f8 89 c0 00 f8 86 41"); }
inline std::string uelPjl() { return std::string("\033%-12345X@PJL ENTER LANGUAGE=PCLXL\n"); }

// A stream of pages, each page's BeginPage list given, with an image of
// the given data behind each BeginPage.
inline std::string streamOf(const std::vector<std::string>& pageLists, const std::string& imageData = "0123") {
  std::string s = kStreamHeader + session();
  for (const std::string& list : pageLists) {
    s += list + hex("43");
    s += hex("c0 00 f8 62 c1 04 00 f8 6c b1");  // ReadImage
    s += hex("fa") + std::string(1, static_cast<char>(imageData.size())) + std::string(3, '\0') + imageData;
    s += hex("44");
  }
  return s + hex("42");
}

// A Ghostscript PCL XL rendering of the committed sample pages, made once.
inline std::string ghostscript(const std::vector<std::string>& deviceArgs, const std::string& key) {
  static TempDir dir;
  std::string out = dir / (key + ".pxl");
  if (!pathExists(out)) {
    std::vector<std::string> argv{"gs", "-q", "-dSAFER", "-dBATCH", "-dNOPAUSE", "-o", out};
    argv.insert(argv.end(), deviceArgs.begin(), deviceArgs.end());
    argv.push_back(std::string(PXL_TEST_DATA) + "/pages.ps");
    Command cmd(argv, "gs");
    int status = runCommand(cmd, 0, RunMode::Quiet);
    EXPECT_EQ(exitCodeOf(status), 0) << "gs failed for " << key;
  }
  return readFile(out);
}

inline std::string gsMono() { return ghostscript({"-sDEVICE=pxlmono"}, "mono"); }
inline std::string gsColorDuplex() {
  return ghostscript({"-sDEVICE=pxlcolor", "-dDuplex=true", "-dTumble=true", "-sPAPERSIZE=letter", "-dFIXEDMEDIA"},
                     "color-duplex");
}
inline std::string gsCustom() {
  return ghostscript({"-sDEVICE=pxlmono", "-dDEVICEWIDTHPOINTS=471", "-dDEVICEHEIGHTPOINTS=700", "-dFIXEDMEDIA"},
                     "custom");
}

// The stream without the PJL header that Ghostscript puts in front of it.
inline std::string withoutPjl(const std::string& job) {
  std::string::size_type at = job.find(") HP-PCL XL");
  return at == std::string::npos ? job : job.substr(at);
}

}  // namespace pxltest
