// The install manifest's grammar and limits, the copy plan of goInstall, and
// the start-up script by the probe's facts.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>

#include "file_install.h"
#include "generated_files.h"
#include "install_state.h"
#include "manifest.h"
#include "test_support.h"

using namespace inst;
using testing_support::readFile;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

const std::string kGoldenDir = std::string(__FILE__).substr(0, std::string(__FILE__).rfind('/')) + "/golden/";

// Reads `text` as the manifest of a trusted release: getInfoData's result,
// its entries as "SOURCE|DEST|MODE[|P path|D PPD]" joined by ";", and what
// it logged.
int readManifest(const std::string& text, std::string* entries, std::string* logged) {
  TempDir rel;
  ::mkdir((rel / "etc").c_str(), 0755);
  writeFile(rel / "etc/JARNINST.CONF", text);
  ::chmod((rel / "etc/JARNINST.CONF").c_str(), 0644);
  resetState();
  state().sourceDir = rel.path();
  testing::internal::CaptureStderr();
  int n = getInfoData();
  *logged = testing::internal::GetCapturedStderr();
  for (const InstallEntry& e : state().manifest) {
    char mode[16];
    std::snprintf(mode, sizeof mode, "%o", static_cast<unsigned>(e.mode));
    *entries += (entries->empty() ? "" : ";") + e.source + "|" + e.dest + "|" + mode +
                (e.destIsPath ? "|P" : e.destIsPPD ? "|D" : "");
  }
  return n;
}

std::string lines(int count, const std::string& prefix) {
  std::string t;
  for (int i = 0; i < count; ++i) t += prefix + std::to_string(i) + " ./bin\n";
  return t;
}

// Each row: the manifest, getInfoData's result, the entries (nullptr: not
// compared) and a text the log must hold.
TEST(Manifest, GrammarAndLimits) {
  const struct {
    std::string text;
    int result;
    const char* entries;
    const char* logged;
  } rows[] = {
      {"bin/a ./bin 00755\nREADME .\nx /\nppd/p ?\nq /usr/share/q 00644\nr\n", 6,
       "bin/a|./bin|755|P;README|.|0;x|/|0;ppd/p|?|0|D;q|/usr/share/q|644|P;r||0", ""},
      {"bin/a ./bin\nREADME . 00600\nnc ./bin\nab ./bin\n", 4, "bin/a|./bin|0|P;README|.|600;nc|./bin|0|P;ab|./bin|0|P", ""},
      {" a ./b\n#c ./d\n\tx ./y\ng ./h\n@@NULL\nz ./z\n", 1, "g|./h|0|P", ""},
      {"a ./bin 00755\r\nb . \r\na\xC3./bin\xC3" "00700\n", 3, "a|./bin|755|P;b|.|0;a|./bin|700|P", ""},
      {"p ? 000\nq ./b x00y\nr ./b 0644\ns ./b 100750\n", 4, "p|?|755|D;q|./b|755|P;r|./b|0|P;s|./b|750|P", ""},
      {"first\nbin/a ./bin\n", 2, "first||0;bin/a|./bin|0|P", ""},
      {lines(256, "f"), 256, nullptr, ""},
      {lines(257, "f"), -1, "", "at line 257: too many entries (at most 256)"},
      {lines(1, std::string(46, 's')), 1, nullptr, ""},
      {"a ./b\n" + lines(1, std::string(47, 's')), -1, "", "at line 2: a SOURCE is too long (at most 47)"},
      {"#" + std::string(254, 'c') + "\r\na ./b\n", 1, nullptr, ""},
      {"#" + std::string(255, 'c') + "\na ./b\n", -1, "", "at line 1: a line is too long (at most 255)"},
  };
  for (const auto& r : rows) {
    std::string entries, logged;
    EXPECT_EQ(readManifest(r.text, &entries, &logged), r.result) << r.text;
    EXPECT_TRUE(!r.entries || entries == r.entries) << entries;
    EXPECT_NE(logged.find(r.logged), std::string::npos) << logged;
  }
}

// The plan as "SOURCE>destination" with "=" for a file path, "+" for a
// directory to make, "!" for a "?" entry without a PPD directory.
std::string plan(const std::string& text, int copyFlag, const std::string& ppdDir) {
  std::vector<InstallEntry> entries;
  size_t start = 0;
  for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
    InstallEntry e;
    if (parseManifestLine(text.substr(start, end - start), &e)) entries.push_back(e);
  }
  std::string out;
  for (const CopyStep& s : planCopies(entries, static_cast<int>(entries.size()), "/I", ppdDir, copyFlag))
    out += (out.empty() ? "" : " ") + entries[s.entry].source + ">" + (s.noPPDDir ? "!" : s.path) +
           (s.isFile ? "=" : "") + (s.makeDir ? "+" : "");
  return out;
}

TEST(CopyPlan, DestinationsAndTheCopyRule) {
  const struct {
    const char* text;
    int copyFlag;
    const char* ppdDir;
    const char* expected;
  } rows[] = {
      {"bin/a ./bin\nREADME . 00600\nimg/b /abs/img\nc/d x\nppd/p ?\nab ./bin\nnc ./bin\nq/r\n", 1, "/PPD",
       "bin/a>/I/bin+ README>/I/README= img/b>/abs/img+ c/d>/abs/img+ ppd/p>/PPD nc>/I/bin+ q/r>/I/bin+"},
      {"bin/a ./bin\nimg/b x\nppd/p ?\nppd/q ./ppd\n", 0, "/PPD", "ppd/p>/PPD ppd/q>/I/ppd+"},
      {"ppd/p ?\nppd/q x\nbin/a ./bin\n", 1, "", "ppd/p>! ppd/q>! bin/a>/I/bin+"},
      {"first\nbin/a ./bin\n", 1, "/PPD", "bin/a>/I/bin+"},
  };
  for (const auto& r : rows) EXPECT_EQ(plan(r.text, r.copyFlag, r.ppdDir), r.expected) << r.text;
}

const char kDate[] = "Thu Jan  1 00:00:00 1970";

ScriptFacts facts(bool cups, const char* base, const char* bin, const char* xkeysym) {
  return ScriptFacts{cups, base, bin, xkeysym, "/bin/rm", "/usr/share/ppd/bry", ::getuid(), ::getgid()};
}

TEST(GeneratedFiles, StartupScriptByTheProbesFacts) {
  EXPECT_EQ(startupScriptText("/opt/other", facts(true, "/usr", "/usr/lib/cups", "/usr/share/X11/XKeysymDB"), kDate),
            readFile(kGoldenDir + "jarn-cups"));
  EXPECT_EQ(startupScriptText("/opt/bry", facts(false, "/usr", "/usr/lib/cups", ""), kDate),
            readFile(kGoldenDir + "jarn-nocups"));
  std::string noBin = startupScriptText("/opt/bry", facts(true, "/usr", "", ""), kDate);
  EXPECT_NE(noBin.find("\nJARNCUPSDIR=/usr\n"), std::string::npos);
  EXPECT_NE(noBin.find("\nexport JARNCUPSDIR\n"), std::string::npos);
  EXPECT_EQ(noBin.find("JARNCUPSBINDIR"), std::string::npos);
  // Every value one word for the shell, whatever the paths hold.
  std::string odd = startupScriptText("/opt/bry", facts(true, "/c ups", "/b;in", "/x $(k)"), kDate);
  for (const char* line : {"\nJARNCUPSDIR='/c ups'\n", "\nJARNCUPSBINDIR='/b;in'\n", "\nXKEYSYMDB='/x $(k)'\n"})
    EXPECT_NE(odd.find(line), std::string::npos) << line;
  ScriptFacts f = facts(true, "/usr", "", "");
  f.ppdDir = "/p p";
  EXPECT_NE(uninstallScriptText("/opt/bry", f, kDate).find("\ndelDir '/p p/ppd'\n"), std::string::npos);
}

}  // namespace
