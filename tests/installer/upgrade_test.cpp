// The upgrade of first-generation queues (model and generation reading,
// the choice of the new PPD, the default rewrite, the per-printer answers,
// the restart command) and the spare operations on the PPD set.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>

#include "config_file.h"
#include "fatal_exit.h"
#include "fs_root.h"
#include "install_state.h"
#include "ppd_defaults.h"
#include "ppd_identity.h"
#include "process_runner.h"
#include "queue_upgrade.h"
#include "setup_state.h"
#include "spare_ops.h"
#include "test_support.h"

using namespace inst;
using testing_support::modeOf;
using testing_support::readFile;
using testing_support::TempDir;
using testing_support::writeFile;

namespace {

const std::string kSet = PPD_SET_DIR;

// A set PPD as the first generation had it, with `from` replaced by `to`.
std::string firstGeneration(const std::string& name, const std::string& from = "", const std::string& to = "") {
  std::string text = readFile(kSet + "/" + name);
  text.replace(text.find("Jarn version: 2"), 15, "Jarn version: 1");
  if (!from.empty()) text.replace(text.find(from), from.size(), to);
  return text;
}

struct Fresh {  // a fresh run state, no injected root afterwards
  Fresh() { resetState(), resetSetup(); }
  ~Fresh() { setFsRoot(""), resetState(), resetSetup(); }
};

void makeDirs(const std::string& dir) {
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  ASSERT_FALSE(ec) << dir << ": " << ec.message();
}

TEST(Upgrade, ModelNameReadsThePdlFromItsWindow) {
  struct Row {
    const char *line, *model;
    int pdl, number;
  } rows[] = {
      {"*ModelName: \"Velta C400 PS\"\n", "\"Velta C400 PS\"", 1, 4},
      {"*ModelName:\t\"Velta C500 PCL\"\r\n", "\"Velta C500 PCL\"", 2, 6},
      {"*ModelName: \"Velta P4700 PXL\"\n", "\"Velta P4700 PXL\"", 3, 30},
      {"*ModelName: \"Velta C400 PS in colour\"\n", "\"Velta C400 PS in colour\"", 0, 4},
      {"*ModelName: \"Other C400 PS\"\n", "", 1, 0},
      {"*NickName: \"Velta C400 PS\"\n", "", -1, 0},
  };
  for (const Row& r : rows) {
    int pdl = -1, number = 0;
    EXPECT_EQ(matchModelName(r.line, &pdl, &number), r.model) << r.line;
    EXPECT_EQ(pdl, r.pdl) << r.line;
    EXPECT_EQ(number, r.number) << r.line;
  }
  for (auto [line, version] : {std::pair<const char*, int>{"*% Jarn version: 1\n", 1},
                               {"*% Jarn version:   2\r\n", 2}, {"*% Jarn version: x", -1}, {"*% Jarn", -1}})
    EXPECT_EQ(getPPDVersion(line), version) << line;
}

TEST(Upgrade, OnlyRegularFirstGenerationPPDsOfKnownModelsAreListed) {
  Fresh fresh;
  TempDir root;
  std::string dir = root / "etc/cups/ppd";
  makeDirs(dir);
  std::string c400 = firstGeneration("Velta-C400-PS-en.ppd");
  writeFile(dir + "/A.ppd", c400);
  writeFile(dir + "/A.ppd.O", c400);
  writeFile(dir + "/B.ppd", readFile(kSet + "/Velta-C400-PS-en.ppd"));
  writeFile(dir + "/C.ppd", std::string(30, '\n') + c400);  // the version at line 31
  writeFile(dir + "/...ppd", c400);
  writeFile(dir + "/D.ppd", firstGeneration("Velta-C500-CL-en.ppd", "PCL\"\n", "PCL\"\r\n"));
  ASSERT_EQ(::symlink("A.ppd", (dir + "/E.ppd").c_str()), 0);
  setFsRoot(root.path());
  VendorPrinter list;
  int count = 0;
  EXPECT_EQ(listVendorPrinters(&list, &count), 1);
  ASSERT_EQ(count, 2);
  EXPECT_EQ(list.printerName, "A");
  EXPECT_EQ(list.pdl, kPdlIsPostScript);
  EXPECT_EQ(list.next->printerName, "D");
  EXPECT_EQ(list.next->pdl, kPdlIsPcl);
  EXPECT_EQ(backupPath(list.ppdPath, "A"), root / "etc/cups/A.ppd.rpmsave");
  freeVendorList(&list);
}

TEST(Upgrade, TheNewPPDIsTheOneInTheOldPPDsLanguage) {
  TempDir tmp;
  for (auto [language, expected] : {std::pair<const char*, const char*>{"en", "Velta-C400-PS-en.ppd"},
                                    {"de", "Velta-C400-PS-de.ppd"}}) {
    VendorPrinter p;
    p.ppdPath = tmp / "old.ppd";
    writeFile(p.ppdPath, firstGeneration(std::string("Velta-C400-PS-") + language + ".ppd"));
    p.modelName = "\"Velta C400 PS\"", p.modelNumber = 4, p.pdl = kPdlIsPostScript;
    std::string path;
    ASSERT_EQ(findPPDForModel(kSet, p, &path), 1);
    EXPECT_EQ(path, kSet + "/" + expected);
    p.pdl = kPdlIsPcl;
    EXPECT_EQ(findPPDForModel(kSet, p, &path), 0);
  }
}

TEST(Upgrade, OldChoicesReplaceDefaultsOnlyInsideBlocksThatOfferThem) {
  const std::string ppd =
      "*PPD-Adobe: \"4.3\"\n*DefaultResolution: 600dpi\n"
      "*OpenUI *PageSize/Page Size: PickOne\n*DefaultPageSize: A4\n*PageSize A4/A4: \"\"\n"
      "*PageSize A5/A5: \"\"\n*CloseUI: *PageSize\n"
      "*OpenUI *ColorSep/Separation: PickOne\n*DefaultColorSep: ProcessBlack\n*ColorSep Cyan: \"\"\n"
      "*CloseUI: *ColorSep\n"
      "*OpenUI *MediaType/Media: PickOne\n*DefaultMediaType: Plain\n*MediaType Plain/Plain: \"\"\n"
      "*CloseUI: *MediaType\n*MediaType Glossy/Glossy: \"\"\n";
  OptNode options;
  for (auto [key, choice] : {std::pair<const char*, const char*>{"PageSize", "A5"}, {"Resolution", "1200dpi"},
                             {"ColorSep", "Cyan"}, {"MediaType", "Glossy"}}) {
    OptNode* n = new OptNode;
    n->keyword = key, n->choice = choice;
    addOptList(&options, n);
  }
  std::string out = processNewPPD(ppd, &options);
  for (const char* line : {"\n*DefaultPageSize: A5\n", "\n*DefaultResolution: 600dpi\n",
                           "\n*DefaultColorSep: ProcessBlack\n", "\n*DefaultMediaType: Plain\n"})
    EXPECT_NE(out.find(line), std::string::npos) << line << out;
  EXPECT_EQ(out.find("*Default*"), std::string::npos);
  freeOptList(&options);
  EXPECT_THROW(addOptList(nullptr, &options), FatalExit);
}

TEST(Upgrade, CustomSizesJclBlocksAndTheSizesCompanionsAreCarried) {
  const std::string ppd =
      "*OpenUI *PageSize: PickOne\n*DefaultPageSize: A4\n*PageSize A4/A4: \"\"\n*PageSize A5/A5: \"\"\n"
      "*CloseUI: *PageSize\n*OpenUI *PageRegion: PickOne\n*DefaultPageRegion: A4\n*PageRegion A5/A5: \"\"\n"
      "*CloseUI: *PageRegion\n*DefaultImageableArea: A4\n*ImageableArea A5/A5: \"1 2 3 4\"\n"
      "*DefaultPaperDimension: A4\n*PaperDimension A5/A5: \"1 2\"\n*JCLOpenUI *JCLHold/Hold: PickOne\n"
      "*DefaultJCLHold: Off\n*JCLHold On/On: \"\"\n*JCLCloseUI: *JCLHold\n";
  struct Row {
    const char* size;
    std::string ppd;
    std::vector<const char*> lines;
    bool named;  // the old size named as not carried
  } rows[] = {{"A5", ppd, {"*DefaultPageSize: A5\n", "*DefaultPageRegion: A5\n", "*DefaultImageableArea: A5\n",
                           "*DefaultPaperDimension: A5\n", "*DefaultJCLHold: On\n"}, false},
              {"Custom.100x150mm", ppd + "*CustomPageSize True: \"x\"\n",
               {"*DefaultPageSize: Custom.100x150mm\n", "*DefaultImageableArea: A4\n"}, false},
              {"Custom.100x150mm", ppd, {"*DefaultPageSize: A4\n"}, true}};
  for (const Row& r : rows) {
    OptNode options;
    for (auto [key, choice] : {std::pair<const char*, const char*>{"PageSize", r.size}, {"JCLHold", "On"}}) {
      OptNode* n = new OptNode;
      n->keyword = key, n->choice = choice;
      addOptList(&options, n);
    }
    testing::internal::CaptureStderr();
    std::string out = processNewPPD(r.ppd, &options, "Q");
    std::string err = testing::internal::GetCapturedStderr();
    for (const char* line : r.lines) EXPECT_NE(out.find(line), std::string::npos) << line << out;
    EXPECT_EQ(err.find("PageSize: Custom.100x150mm of printer Q") != std::string::npos, r.named) << err;
    freeOptList(&options);
  }
}

TEST(Upgrade, AQueueKeepsItsPPDUnlessTheOldDefaultsAndANewPPDAreThere) {
  struct Row {
    const char *oldPPD, *newPPD;  // set files, "" none
    bool replaced;
  } rows[] = {{"Velta-C400-PS-en.ppd", "Velta-C400-PS-en.ppd", true},
              {"", "Velta-C400-PS-en.ppd", false},
              {"Velta-C400-PS-en.ppd", "", false}};
  for (const Row& r : rows) {
    Fresh fresh;
    TempDir tmp;
    makeDirs(tmp / "etc/cups/ppd"), makeDirs(tmp / "new"), makeDirs(tmp / "Q/root");
    state().installDir = tmp.path(), state().tools.cp = "cp", state().tools.gzip = "gzip";
    std::string old = *r.oldPPD ? firstGeneration(r.oldPPD, "*DefaultPageSize: A4", "*DefaultPageSize: A5")
                                : "not a PPD\n";
    VendorPrinter q;
    q.printerName = "Q", q.ppdPath = tmp / "etc/cups/ppd/Q.ppd", q.modelName = "\"Velta C400 PS\"";
    q.modelNumber = 4, q.pdl = kPdlIsPostScript;
    writeFile(q.ppdPath, old);
    writeFile(tmp / "Q/root/jarnConfig", "%%JARN_CONFIGURATION_FILE\n%%JARN_VERSION_1.0\n");
    if (*r.newPPD) writeFile(tmp / "new/n.ppd", readFile(kSet + "/" + r.newPPD));
    ASSERT_EQ(::chmod(q.ppdPath.c_str(), 0640), 0);
    EXPECT_EQ(updatePrinter(q, tmp / "new"), r.replaced) << r.oldPPD << r.newPPD;
    std::string now = readFile(q.ppdPath);
    EXPECT_EQ(now != old, r.replaced);
    EXPECT_EQ(now.find("*DefaultPageSize: A5\n") != std::string::npos, *r.oldPPD != 0);
    EXPECT_EQ(readFile(tmp / "Q/root/jarnConfig").find("2.0") != std::string::npos, r.replaced);
    EXPECT_EQ(modeOf(q.ppdPath), 0640);
    EXPECT_EQ(state().failed, r.replaced ? 0 : 1);
  }
}

TEST(Upgrade, AnswersDecideWhichPrintersAreUpdatedAndWhetherCupsRestarts) {
  struct Row {
    const char* answers;
    int ask;
    const char* updated;
    int restarts;
  } rows[] = {
      {"y\nn\ny\n", 1, "P1 P3 ", 1},  {"n\na\n", 1, "P2 P3 ", 1},     {"b\n", 1, "", 0},
      {"y\nb\n", 1, "P1 ", 1},        {"?\n?\ny\ny\n", 1, "P2 P3 ", 1}, {"?\ny\nn\nn\n", 1, "P1 ", 1},
      {"", 1, "", 0},                 {"y\n", 1, "P1 ", 1},           {"", 0, "P1 P2 P3 ", 1},
  };
  for (const Row& r : rows) {
    VendorPrinter list, *p2 = new VendorPrinter, *p3 = new VendorPrinter;
    list.printerName = "P1", p2->printerName = "P2", p3->printerName = "P3";
    addPList(&list, p2), addPList(&list, p3);
    std::string input = r.answers, updated;
    int restarts = 0;
    UpgradeHooks hooks;
    hooks.answers = ::fmemopen(&input[0], input.size() + 1, "r");
    if (input.empty()) hooks.answers = std::fopen("/dev/null", "r");
    hooks.update = [&](VendorPrinter& p) { return updated += p.printerName + " ", true; };
    hooks.restart = [&] { return ++restarts; };
    EXPECT_EQ(updatePrinters(3, &list, r.ask, hooks), 1);
    EXPECT_EQ(updated, r.updated) << r.answers;
    EXPECT_EQ(restarts, r.restarts) << r.answers;
    std::fclose(hooks.answers);
    EXPECT_TRUE(countPList(&list) == 3 && findPList(&list, "P3") == nthPList(&list, 2));
    freeVendorList(&list);
  }
}

TEST(Upgrade, CupsRestartsThroughServiceElseAnInitScript) {
  struct Row {
    const char* file, *command;  // command "": none
  } rows[] = {{"usr/sbin/service", "usr/sbin/service cups restart"},
              {"etc/init.d/cups", "etc/init.d/cups restart"},
              {"etc/init.d/cupsys", "etc/init.d/cupsys restart"},
              {"etc/other", ""}};
  for (const Row& r : rows) {
    Fresh fresh;
    TempDir root;
    std::string path = root / r.file;
    makeDirs(path.substr(0, path.rfind('/')));
    writeFile(path, "#!/bin/sh\n");
    setFsRoot(root.path());
    Command cmd;
    EXPECT_EQ(restartCupsCommand(&cmd), *r.command != 0) << r.file;
    if (*r.command) {
      EXPECT_EQ(cmd.text, root.path() + "/" + r.command);
    }
  }
}

TEST(SpareOperations, UpdateCupsPPDRewritesInPlaceKeepingModeAndGroup) {
  Fresh fresh;
  TempDir root;
  std::string ppd = root / "etc/cups/ppd/Q.ppd";
  makeDirs(root / "etc/cups/ppd");
  writeFile(ppd, readFile(kSet + "/Velta-C400-PS-en.ppd"));
  ASSERT_EQ(::chmod(ppd.c_str(), 0640), 0);
  ASSERT_EQ(::chown(ppd.c_str(), static_cast<uid_t>(-1), 7), 0);
  setFsRoot(root.path());
  EXPECT_EQ(updateCupsPPD("Q", {{"PageSize", "A5"}, {"Duplex", "None\n*Injected: x"}}), 1);
  std::string text = readFile(ppd);
  EXPECT_NE(text.find("\n*DefaultPageSize: A5\n"), std::string::npos);
  EXPECT_EQ(text.find("Injected"), std::string::npos);
  struct stat st;
  ASSERT_EQ(::stat(ppd.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
  EXPECT_EQ(st.st_gid, 7u);
  EXPECT_EQ(updateCupsPPD("missing", {}), 0);
  std::vector<JobOption> options = {{"PageSize", "A4"}, {"pagesize", "A5"}, {"Duplex", "None"}};
  EXPECT_EQ(removeOption(&options, "PAGESIZE"), 1);
}

TEST(SpareOperations, TheConfigurationOfADeviceUriReadsBack) {
  struct Row {
    const char* uri;
    int type;
    std::string SetupState::*host;
    const char* hostValue;
  } rows[] = {{"lpd://print1/q1", 2, &SetupState::printerHost, "print1"},
              {"socket://print2:9101", 3, &SetupState::printerHost, "print2"},
              {"file:/tmp/out.prn", 7, &SetupState::fileName, "/tmp/out.prn"}};
  for (const Row& r : rows) {
    Fresh fresh;
    TempDir dir;
    state().installDir = dir.path();
    ASSERT_EQ(writeInfoFileFromTemplate("Q"), 1);
    EXPECT_EQ(modeOf(dir / "Q"), 0755);
    EXPECT_EQ(modeOf(dir / "Q/root"), 0755);
    ASSERT_EQ(saveConfiguration("Q", r.uri), 1);
    resetSetup();
    ASSERT_EQ(getConfiguration(dir / "Q/root/jarnConfig"), 1);
    EXPECT_EQ(setup().configFormatVersion, "2.0");
    EXPECT_EQ(setup().connectType, r.type) << r.uri;
    EXPECT_EQ(setup().*r.host, r.hostValue) << r.uri;
    EXPECT_EQ(setup().ppdFileText, "/etc/cups/ppd/Q.ppd");
    EXPECT_EQ(saveConfiguration("../Q", r.uri), 0);
  }
}

TEST(SpareOperations, SetupctlReadsTheSetsPPDs) {
  struct Row {
    std::vector<std::string> args;
    const char* out;
  } rows[] = {
      {{"has-choice", kSet + "/Velta-C400-PS-en.ppd", "PageSize", "A5"}, "1\n"},
      {{"has-choice", kSet + "/Velta-C400-PS-en.ppd", "PageSize", "A0"}, "0\n"},
      {{"has-choice", kSet + "/Velta-C400-PS-en.ppd", "PageRegion", "A"}, "0\n"},
      {{"has-choice", kSet + "/Velta-C450-PS-en.ppd.gz", "PageSize", "Letter"}, "1\n"},
      {{"ppd-count", kSet + "/Velta-C400-PS-en.ppd"}, "groups 3 options 16\n"},
      {{"abandon-text"}, "All is OK!"},
  };
  for (const Row& r : rows) {
    std::vector<std::string> argv = {SETUPCTL};
    argv.insert(argv.end(), r.args.begin(), r.args.end());
    std::string out;
    runCapture(Command(argv, "setupctl"), 0, &out, RunMode::Quiet);
    EXPECT_EQ(out, r.out) << r.args[0];
  }
}

}  // namespace
