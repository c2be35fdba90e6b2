// The installer's steps: answers, options, the installation-directory check,
// the PPD directory decision, the earlier installation, the information
// file, the manifest's trust and limits, the chcon command lines and the
// model names of the PPD set.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>
#include <fstream>

#include "answers.h"
#include "fs_root.h"
#include "info_file.h"
#include "info_setup.h"
#include "install_paths.h"
#include "install_state.h"
#include "manifest.h"
#include "model_table.h"
#include "options.h"
#include "process_runner.h"
#include "selinux.h"
#include "setup_state.h"
#include "system_probe.h"
#include "test_support.h"

using namespace inst;
using testing_support::readFile;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

// Sets or unsets an environment variable for the scope.
struct Env {
  Env(const char* n, const char* v) : name(n) { v ? ::setenv(n, v, 1) : ::unsetenv(n); }
  ~Env() { ::unsetenv(name); }
  const char* name;
};

void makeDirs(const std::string& dir) {
  for (size_t i = 1; i <= dir.size(); ++i)
    if (i == dir.size() || dir[i] == '/') ::mkdir(dir.substr(0, i).c_str(), 0755);
}

std::string run(const std::vector<std::string>& argv, int* status = nullptr) {
  std::string out;
  int st = exitCodeOf(runCapture(Command(argv, "setupctl"), 0, &out, RunMode::Quiet));
  if (status) *status = st;
  return out;
}

TEST(Answers, WordsMatchWholeAndFirstCharactersDecideTheRest) {
  struct Row {
    const char* line;
    int yesNo, withAll;
  } rows[] = {
      {"yes", 1, 1},        {"OUI", 1, 1},           {"no, si", 1, 1},      {"nein", 0, 0},
      {"jamais", -1, -1},   {"nein, sicher nicht", 0, 0}, {"nicht", 0, 0}, {"Ja!", 1, 1},
      {"b", -1, 3},         {"bof", -1, 3},          {"ball", -1, 3},       {"all", -1, 2},
      {"tous", -1, 2},      {"todas", -1, 2},        {"tutti", -1, 2},      {"stout", 1, 1},
      {"x", -1, -1},        {"", -1, -1},            {"asino", -1, 2},      {"1 yes", 1, 1},
  };
  for (const Row& r : rows) {
    EXPECT_EQ(parseAnswer(r.line), r.yesNo) << r.line;
    EXPECT_EQ(parseAnswerAll(r.line), r.withAll) << r.line;
  }
}

TEST(Answers, TheRestOfALongLineIsDropped) {
  std::string input = std::string(255, 'x') + " oui\r\nno\r\n";
  std::FILE* in = fmemopen(&input[0], input.size(), "r");
  std::string line;
  ASSERT_TRUE(readAnswerLine(in, &line));
  EXPECT_EQ(line, std::string(255, 'x'));
  EXPECT_EQ(parseAnswer(line), -1);
  ASSERT_TRUE(readAnswerLine(in, &line));
  EXPECT_EQ(line, "no");
  EXPECT_FALSE(readAnswerLine(in, &line));
  std::fclose(in);
  std::FILE* empty = fmemopen(&input[0], 0, "r");
  EXPECT_EQ(askQuestion("Q?", empty), kAnswerNo);  // the end of the input declines
  std::fclose(empty);
}

TEST(Options, ReadOnceAppliedInTwoPhases) {
  resetState();
  const char* argv[] = {"setup", "-q", "2", "-x", "-d", "-u", "/srv/jarn/", "-Z", "3", "-S", "0",
                        "-f", "0", "-m", "4", "-i", "my.conf", nullptr};
  testing::internal::CaptureStderr();
  bool bad = false;
  std::vector<ParsedOption> options = parseOptions(17, const_cast<char**>(argv), &bad);
  EXPECT_TRUE(bad);  // -x: the caller stops with the usage
  EXPECT_FALSE(applyFirstPhase(options));
  std::string err = testing::internal::GetCapturedStderr();
  EXPECT_EQ(err.find("invalid option"), err.rfind("invalid option"));  // once
  EXPECT_NE(err.find("invalid option"), std::string::npos);
  InstallState& s = state();
  EXPECT_EQ(s.deinstall, 1);
  EXPECT_EQ(s.selinux, 0);
  EXPECT_EQ(s.fromAnyDir, 0);
  EXPECT_EQ(s.interactive, 0);  // second-phase options wait
  EXPECT_EQ(s.installDir, "/opt/bry");
  applySecondPhase(options);
  EXPECT_EQ(s.interactive, 2);
  EXPECT_EQ(s.debug, 3);
  EXPECT_EQ(s.installDir, "/srv/jarn");
  EXPECT_EQ(s.mArg, 1);
  EXPECT_EQ(s.manifestName, "my.conf");
  const char* help[] = {"setup", "-q", "-5", "-u", "/usr/local/", "-h", nullptr};
  options = parseOptions(6, const_cast<char**>(help), &bad);
  EXPECT_FALSE(bad);
  EXPECT_TRUE(applyFirstPhase(options));
  applySecondPhase(options);
  EXPECT_EQ(s.interactive, 0);
  EXPECT_EQ(s.installDirRefused, 1);
  EXPECT_EQ(s.installDir, "/srv/jarn");
  for (const char* value : {"1x", "abc", "", " 2", "99999999999"}) {
    for (const char* letter : {"-D", "-q"}) {
      const char* argv2[] = {"setup", letter, value, nullptr};
      testing::internal::CaptureStderr();
      options = parseOptions(3, const_cast<char**>(argv2), &bad);
      err = testing::internal::GetCapturedStderr();
      EXPECT_TRUE(bad && options.empty()) << letter << value;  // the usage, exit 2
      EXPECT_NE(err.find(std::string("option ") + letter + " takes a decimal number"), std::string::npos) << err;
    }
  }
}

TEST(InstallDir, OnlyNormalisedDirectoriesOutsideTheSystemOnes) {
  const char* accepted[][2] = {{"/opt/bry/", "/opt/bry"}, {"/srv/jarn-2.0_x+y", "/srv/jarn-2.0_x+y"},
                               {"/usr/local/bry", "/usr/local/bry"}, {"/usr/local/bry/x", "/usr/local/bry/x"}};
  for (auto& a : accepted) {
    std::string checked;
    EXPECT_TRUE(checkInstallDir(a[0], &checked)) << a[0];
    EXPECT_EQ(checked, a[1]);
  }
  const std::string tooLong = "/opt/" + std::string(251, 'b');
  for (const std::string& refused : std::vector<std::string>{"", "/", "//", "/opt", "/opt/", "bry", "./bry", "/usr", "/usr/local/",
                              "/usr/local/bin", "/usr/share", "/var/log", "/opt/./bry", "/opt/../etc",
                              "/opt//bry", "/opt/bry//", "/opt/b ry", "/opt/bry;rm", "/opt/br\ny", tooLong,
                              "/etc/cups", "/var/spool/cups", "/usr/lib/cups", "/usr/share/cups", "/var/opt/bry",
                              "/lib64/bry", "/run/bry", "/tmp/bry", "/usr/local/share/bry", "/boot/x"}) {
    std::string checked;
    EXPECT_FALSE(checkInstallDir(refused, &checked)) << refused;
  }
  std::string checked;
  EXPECT_TRUE(checkInstallDir(tooLong.substr(0, 255), &checked));  // 255 characters are allowed
  const char* reasons[][2] = {{"/etc/cups", "system's own directory /etc"}, {"/lib64/bry", "directory /lib64"},
                              {"bry", "not an absolute path"}, {"/opt/b ry", "only letters, digits"},
                              {"/opt/../etc", "\"..\" part"}, {"/opt", "directly under"}};
  for (auto& r : reasons) {
    std::string why;
    EXPECT_FALSE(checkInstallDir(r[0], &checked, &why));
    EXPECT_NE(why.find(r[1]), std::string::npos) << r[0] << ": " << why;
  }
}

// One row per branch of the decision.
TEST(PPDDirDecision, EachBranch) {
  const std::string m = "/usr/share/cups/model";
  const std::vector<ModelLink> custom = {{m + "/custom", "/opt/ppds"}};
  const std::vector<ModelLink> foomatic = {{m + "/foomatic-db", "../foo"}};
  struct Row {
    const char* name;
    std::string modelDir, earlier, preset;
    int bits, version;
    std::vector<ModelLink> links;
    bool modelBry;
    std::string dir, link;
    bool create;
  } rows[] = {
      {"no model dir", "", "", "/pre", 0x10, 1200, {}, false, "/pre", "", false},
      {"earlier wins", m, "/usr/share/ppd/bry", "", 0x10, 2400, {}, false, "/usr/share/ppd/bry", "", false},
      {"old, /usr/share/ppd", m, "", "", 0x10, 1200, {}, false, "/usr/share/ppd/bry", m + "/bry", true},
      {"old, model bry exists", m, "", "", 0x10, 1200, {}, true, "/usr/share/ppd/bry", "", false},
      {"old, /opt/share/ppd", m, "", "", 0x20, 1200, {}, false, "/opt/share/ppd/bry", m + "/bry", false},
      {"old, neither", m, "", "", 0x1, 1299, {}, false, m + "/bry", "", false},
      {"old, custom link", m, "", "", 0x8, 1200, custom, false, "/opt/ppds/bry", "", true},
      {"old, relative foomatic link", m, "", "", 0x2, 1200, foomatic, false, m + "/foomatic-db/bry", "", true},
      {"old, link not there", m, "", "", 0x2, 1200, custom, false, m + "/bry", "", true},
      {"new, openprinting", m, "", "", 0x210, 1300, {}, false, "/usr/share/ppd/openprinting/bry", "", true},
      {"new, preset under /usr/share stays", m, "", "/usr/share/foo/bry", 0x10, 2400, {}, false, "/usr/share/foo/bry", "", true},
      {"new, /usr/opt preset", m, "", "/usr/opt/x", 0x30, 2400, {}, false, "/usr/opt/ppd/bry", "", true},
      {"new, vendor dir", m, "", "/usr/share/foo", 0x110, 2400, {}, false, "/usr/share/ppd/bry", "", true},
      {"new, /opt/share only", m, "", "", 0x20, 2400, {}, false, "/usr/opt/ppd/bry", "", true},
      {"new, /opt/share, preset /usr/opt", m, "", "/usr/opt", 0x20, 2400, {}, false, "/opt/share/ppd/bry", "", true},
      {"new, both in preset", m, "", "/usr/opt/share", 0x20, 2400, {}, false, m + "/bry", "", true},
      {"new, neither", m, "", "", 0x1, 2400, {}, false, m + "/bry", "", true},
  };
  for (const Row& r : rows) {
    PPDDirInputs in;
    in.modelDir = r.modelDir;
    in.modelDirExists = !r.modelDir.empty();
    in.modelBryExists = r.modelBry;
    in.earlier = r.earlier;
    in.preset = r.preset;
    in.bits = r.bits;
    in.cupsVersion = r.version;
    in.links = r.links;
    PPDDirDecision d = decidePPDInstallDir(in);
    EXPECT_EQ(d.dir, r.dir) << r.name;
    EXPECT_EQ(d.linkPath, r.link) << r.name;
    EXPECT_EQ(d.linkTarget.empty(), r.link.empty()) << r.name;
    EXPECT_EQ(d.create, r.create) << r.name;
  }
}

// Whole probes of two trees: they decide and create nothing.
TEST(PPDDirDecision, TreesAreProbedNotChanged) {
  TempDir a;
  makeDirs(a / "usr/share/cups/model");
  makeDirs(a / "usr/share/ppd/cupsfilters");
  std::string out = run({SETUPCTL, "-R", a.path(), "ppd-install-dir", "--cups-version", "1200"});
  EXPECT_EQ(out, "bits 0x51\ndir /usr/share/ppd/bry\nlink /usr/share/cups/model/bry -> /usr/share/ppd/bry\n");
  EXPECT_FALSE(testing_support::pathExists(a / "usr/share/ppd/bry"));
  EXPECT_FALSE(testing_support::pathExists(a / "usr/share/cups/model/bry"));

  TempDir b;
  makeDirs(b / "usr/share/cups/model");
  makeDirs(b / "usr/share/ppd/bry");
  ASSERT_EQ(::symlink("/usr/share/ppd", (b / "usr/share/cups/model/foomatic-ppds").c_str()), 0);
  out = run({SETUPCTL, "-R", b.path(), "ppd-install-dir", "--cups-version", "2400"});
  EXPECT_EQ(out, "bits 0x151\ndir /usr/share/ppd/bry\n");
}

TEST(FindInstallation, VersionFromTheFileNameAnd20Wins) {
  TempDir root;
  makeDirs(root / "opt/bry");
  makeDirs(root / "srv/old");
  setFsRoot(root.path());
  std::string dir;
  int version = 0;
  EXPECT_EQ(findInstallation(&dir, &version), 0);
  EXPECT_EQ(version, -1);
  writeFile(root / "opt/bry/jarnInfo1.0", "#\nUSRDIR \t /srv/old  x\n");
  EXPECT_EQ(findInstallation(&dir, &version), 1);
  EXPECT_EQ(dir, "/srv/old");
  EXPECT_EQ(version, 1);
  ::symlink((root / "opt/bry/jarnInfo1.0").c_str(), (root / "opt/bry/jarnInfo2.0").c_str());
  EXPECT_EQ(findInstallation(&dir, &version), 1);
  EXPECT_EQ(version, 1);  // a link is no information file of the installation's
  ::unlink((root / "opt/bry/jarnInfo2.0").c_str());
  writeFile(root / "opt/bry/jarnInfo2.0", "USRDIR /opt/bry\n");  // left after an upgrade: 2.0 now
  EXPECT_EQ(findInstallation(&dir, &version), 1);
  EXPECT_EQ(version, 2);
  ::unlink((root / "opt/bry/jarnInfo2.0").c_str());
  writeFile(root / "srv/old/jarnInfo2.0", "USRDIR /srv/old\n");  // the found directory holds 2.0
  EXPECT_EQ(findInstallation(&dir, &version), 1);
  EXPECT_EQ(version, 2);
  setFsRoot("");
  {
    Env e("JARNINFO", (root / "srv/old/jarnInfo2.0").c_str());
    EXPECT_EQ(findInstallation(&dir, &version), 1);
    EXPECT_EQ(version, 2);  // JARNINFO names a 2.0 file
  }
  Env e("JARNINFO", (root / "srv/none").c_str());
  EXPECT_EQ(run({SETUPCTL, "find-installation"}), "none -1\n");
}

TEST(InfoFile, WrittenFileReadsBackAndIsNeverReplaced) {
  TempDir dir;
  resetState();
  resetSetup();
  state().installDir = dir.path();
  ASSERT_EQ(writeInfoFile(), 1);
  EXPECT_EQ(testing_support::modeOf(dir / "jarnInfo2.0"), 0755);
  ASSERT_EQ(readInfoGeneral(std::string(), dir / "jarnInfo2.0"), 1);
  EXPECT_EQ(setup().userDir, dir.path());
  ASSERT_EQ(readInfoPrinters(0), 1);
  EXPECT_EQ(setup().managedPrinterCount, 1);
  EXPECT_EQ(setup().printerList.name, "Default");
  EXPECT_EQ(readInstalledPrinters(2), 1);

  writeFile(dir / "jarnInfo2.0", "kept\n");
  EXPECT_EQ(writeInfoFile(), 1);
  writeFile(dir / "jarnInfo1.0", "# Jarn 1.0 Information File\n# Information File\nUSRDIR x\n");
  EXPECT_EQ(convertInfoFile(), 1);
  EXPECT_EQ(readFile(dir / "jarnInfo2.0"), "kept\n");
  ::unlink((dir / "jarnInfo2.0").c_str());
  int st = 0;
  run({SETUPCTL, "convert-info", dir.path()}, &st);
  EXPECT_EQ(st, 0);
  EXPECT_EQ(readFile(dir / "jarnInfo2.0"), "# Jarn 2.0 Information File\n# Information File\nUSRDIR x\n");
  run({SETUPCTL, "write-info", dir / "no/such"}, &st);
  EXPECT_EQ(st, 1);
}

TEST(Manifest, ReadOnlyFromATrustedReleaseWithinItsLimits) {
  struct Row {
    const char* name;
    std::string text;
    mode_t dirMode;
    int count;
  } rows[] = {
      {"plain", "# c\nbin/setup ./bin 00755\n nope\nREADME .\n@@NULL\nlate ?\n", 0755, 2},
      {"world-writable release", "bin/setup ./bin\n", 0777, 0},
      {"group-writable release", "bin/setup ./bin\n", 0775, 0},
      {"only comments", "# c\n\n", 0755, 0},
      {"SOURCE too long", std::string(48, 's') + " ./bin\n", 0755, -1},
      {"too many entries", [] { std::string t; for (int i = 0; i < 257; ++i) t += "f" + std::to_string(i) + " .\n"; return t; }(), 0755, -1},
  };
  for (const Row& r : rows) {
    TempDir rel;
    makeDirs(rel / "etc");
    writeFile(rel / "etc/JARNINST.CONF", r.text);
    ::chmod((rel / "etc/JARNINST.CONF").c_str(), 0644);
    ::chmod(rel.path().c_str(), r.dirMode);
    resetState();
    state().sourceDir = rel.path();
    testing::internal::CaptureStderr();
    EXPECT_EQ(getInfoData(), r.count) << r.name;
    testing::internal::GetCapturedStderr();
  }
  InstallEntry e;
  ASSERT_TRUE(parseManifestLine("ppd/a.ppd ? 000", &e));
  EXPECT_EQ(e.mode, 0755);
  EXPECT_EQ(e.destIsPPD, 1);
}

TEST(Chcon, FixedCommandLinesOneWordPerValue) {
  struct Row {
    ChconKind kind;
    std::vector<std::string> argv;
  } rows[] = {
      {kChconUser, {"/usr/bin/chcon", "-u", "system_u", "/opt/a b"}},
      {kChconUserTree, {"/usr/bin/chcon", "-R", "-u", "system_u", "/opt/a b"}},
      {kChconBin, {"/usr/bin/chcon", "-t", "bin_t", "/opt/a b"}},
  };
  for (const Row& r : rows) {
    Command c = chconCommand("/usr/bin/chcon", "/opt/a b", r.kind);
    EXPECT_EQ(c.argv, r.argv);
    EXPECT_EQ(c.stderrPath, "/dev/null");
  }
  resetState();
  state().tools.chcon = "chcon";  // a bare name is not found
  EXPECT_EQ(chconPath("/opt/bry", kChconUser, false), -1);
  EXPECT_EQ(restoreconPath("/opt/bry", true, false), -1);
}

// The installer tells a queue's model from the PPD set's model names.
TEST(ModelNames, ThePPDSetsNamesAreInTheTable) {
  const std::pair<const char*, int> rows[] = {{"Velta-C400-PS-en.ppd", 4}, {"Velta-C400-PS-de.ppd", 4},
                                              {"Velta-C500-CL-en.ppd", 6}, {"Velta-P4700-XL-en.ppd", 30}};
  for (const auto& r : rows) {
    std::ifstream in(std::string(PPD_SET_DIR) + "/" + r.first);
    std::string line, name;
    while (std::getline(in, line) && name.empty())
      if (line.rfind("*ModelName:", 0) == 0) name = line;
    EXPECT_EQ(findModelId(name, kModelRows, kModelRowCount), r.second) << r.first;
    EXPECT_NE(name.find(r.second == 30 ? " PXL\"" : r.second == 6 ? " PCL\"" : " PS\""), std::string::npos);
  }
}

}  // namespace
