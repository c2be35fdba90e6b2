// PPD file search: classes in file names, model names (plain and gzip), the
// directory search rounds under an injected root, and the chooser's sorted
// listing, on the project's PPD set and on generated files.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "fs_root.h"
#include "ppd_search.h"
#include "process_runner.h"
#include "setup_state.h"
#include "test_support.h"

using testing_support::TempDir;
using testing_support::readFile;
using testing_support::writeFile;

namespace {

const std::string kSetDir = JARN_PPD_SET_DIR;
const std::string kDataDir = JARN_PPD_TEST_DATA_DIR;

// Makes every directory of `path` (mode 0755).
void makeDirs(const std::string& path) {
  for (size_t i = 1; i <= path.size(); ++i) {
    if (i == path.size() || path[i] == '/') ::mkdir(path.substr(0, i).c_str(), 0755);
  }
}

// A small PPD head with the given model name line.
std::string ppdWithModelLine(const std::string& line) {
  return "*PPD-Adobe: \"4.3\"\n*FormatVersion: \"4.3\"\n" + line + "\n*NickName: \"Other\"\n";
}

// Copies the project's PPD set into `dir`.
void copySet(const std::string& dir) {
  makeDirs(dir);
  for (const char* name : {"Velta-C400-PS-en.ppd", "Velta-C400-PS-de.ppd", "Velta-C450-PS-en.ppd.gz",
                           "Velta-C500-CL-en.ppd", "Velta-P4700-XL-en.ppd"}) {
    writeFile(dir + "/" + name, readFile(kSetDir + "/" + name));
  }
}

class PpdSearchTest : public ::testing::Test {
 protected:
  void SetUp() override {
    resetSetup();
    ppdSearchDir().clear();
  }
  void TearDown() override {
    setFsRoot("");
    ppdSearchDir().clear();
    resetSetup();
  }
  TempDir tmp;
};

}  // namespace

TEST(PpdPdlClass, TheTwoLettersBeforeTheHyphenInAnyCase) {
  EXPECT_EQ(getPpdPdlClass("Velta-C400-PS-en.ppd"), 1);
  EXPECT_EQ(getPpdPdlClass("Velta-C400-ps-de.ppd"), 1);
  EXPECT_EQ(getPpdPdlClass("Velta-C500-CL-en.ppd"), 2);
  EXPECT_EQ(getPpdPdlClass("Velta-C500-cL-en.ppd"), 2);
  EXPECT_EQ(getPpdPdlClass("Velta-P4700-XL-en.ppd"), 3);
  EXPECT_EQ(getPpdPdlClass("Velta-C450-xl-en.ppd.gz"), 3);
  EXPECT_EQ(getPpdPdlClass("Velta-C400-PD-en.ppd"), -1);
  EXPECT_EQ(getPpdPdlClass("-en.ppd"), -1);
  EXPECT_EQ(getPpdPdlClass("Velta-C400-PS-en.txt"), -1);
}

TEST(PpdPdlClass, ANameWithoutTheHyphenIsReportedAsCorrupted) {
  testing::internal::CaptureStderr();
  EXPECT_EQ(getPpdPdlClass("VeltaC400PSen.ppd"), -1);
  EXPECT_EQ(getPpdPdlClass("x.ppd"), -1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "Corrupted PPD file name: VeltaC400PSen.ppd\nCorrupted PPD file name: x.ppd\n");
  testing::internal::CaptureStderr();
  getPpdPdlClass("README");
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
}

TEST(PpdModelName, EveryFileOfTheSetCarriesItsModelName) {
  std::string name;
  EXPECT_EQ(getPpdModelName(kSetDir + "/Velta-C400-PS-en.ppd", &name), 1);
  EXPECT_EQ(name, "Velta C400 PS");
  EXPECT_EQ(getPpdModelName(kSetDir + "/Velta-C400-PS-de.ppd", &name), 1);
  EXPECT_EQ(name, "Velta C400 PS");
  EXPECT_EQ(getPpdModelName(kSetDir + "/Velta-C450-PS-en.ppd.gz", &name), 1);
  EXPECT_EQ(name, "Velta C450 PS");
  EXPECT_EQ(getPpdModelName(kSetDir + "/Velta-C500-CL-en.ppd", &name), 1);
  EXPECT_EQ(name, "Velta C500 PCL");
  EXPECT_EQ(getPpdModelName(kSetDir + "/Velta-P4700-XL-en.ppd", &name), 1);
  EXPECT_EQ(name, "Velta P4700 PXL");
}

TEST(PpdModelName, NoNameIsFoundWhereThereIsNoneToFind) {
  TempDir tmp;
  std::string name = "stale";
  EXPECT_EQ(getPpdModelName(kDataDir + "/Velta-NoModel-PS-en.ppd", &name), 0);
  EXPECT_EQ(name, "");

  // Past the first 2048 bytes.
  writeFile(tmp / "late.ppd", "*PPD-Adobe: \"4.3\"\n*%" + std::string(2100, 'x') + "\n*ModelName: \"Late\"\n");
  EXPECT_EQ(getPpdModelName(tmp / "late.ppd", &name), 0);
  // A model name line without its quotes does not borrow the next line's.
  writeFile(tmp / "bare.ppd", ppdWithModelLine("*ModelName: Bare"));
  EXPECT_EQ(getPpdModelName(tmp / "bare.ppd", &name), 0);
  writeFile(tmp / "open.ppd", ppdWithModelLine("*ModelName: \"Open"));
  EXPECT_EQ(getPpdModelName(tmp / "open.ppd", &name), 0);
  // Too short, missing, or not named like a PPD.
  writeFile(tmp / "one.ppd", "*");
  EXPECT_EQ(getPpdModelName(tmp / "one.ppd", &name), 0);
  EXPECT_EQ(getPpdModelName(tmp / "missing.ppd", &name), 0);
  writeFile(tmp / "model.txt", ppdWithModelLine("*ModelName: \"Text\""));
  EXPECT_EQ(getPpdModelName(tmp / "model.txt", &name), 0);
  EXPECT_EQ(name, "");
}

TEST(PpdModelName, ALongNameIsCutAtTheFieldSize) {
  TempDir tmp;
  writeFile(tmp / "long.ppd", ppdWithModelLine("*ModelName: \"" + std::string(400, 'M') + "\""));
  std::string name;
  EXPECT_EQ(getPpdModelName(tmp / "long.ppd", &name), 1);
  EXPECT_EQ(name, std::string(255, 'M'));
}

TEST_F(PpdSearchTest, TheCupsModelDirectoryWithBryWinsBeforeAnyBase) {
  makeDirs(tmp / "usr/share/cups/model/bry");
  makeDirs(tmp / "opt/share/ppd/Velta/bry");
  setFsRoot(tmp.path());
  setup().toolPaths[7] = "/usr/share/cups/model";
  EXPECT_EQ(getPPDSearchPath(), 1);
  EXPECT_EQ(ppdSearchDir(), "/usr/share/cups/model/bry");
}

TEST_F(PpdSearchTest, TheSecondRoundWinsOverAnEarlierBaseOfTheThird) {
  makeDirs(tmp / "opt/share/ppd/Velta");    // base 0, third round
  makeDirs(tmp / "usr/share/ppd/BRY");      // base 3, second round
  makeDirs(tmp / "usr/share/cups/model");   // a model directory without a maker directory
  setFsRoot(tmp.path());
  setup().toolPaths[7] = "/usr/share/cups/model";
  EXPECT_EQ(getPPDSearchPath(), 1);
  EXPECT_EQ(ppdSearchDir(), "/usr/share/ppd/BRY");
}

TEST_F(PpdSearchTest, TheThirdRoundTakesTheMakersNameAlone) {
  makeDirs(tmp / "usr/local/share/ppd/velta");
  setFsRoot(tmp.path());
  EXPECT_EQ(getPPDSearchPath(), 1);
  EXPECT_EQ(ppdSearchDir(), "/usr/local/share/ppd/velta");
}

TEST_F(PpdSearchTest, NoMakerDirectoryMeansNoListing) {
  makeDirs(tmp / "usr/share/ppd/other");
  setFsRoot(tmp.path());
  EXPECT_EQ(getPPDSearchPath(), 0);
  EXPECT_EQ(ppdSearchDir(), "");

  std::vector<std::string> items = {"kept"};
  testing::internal::CaptureStderr();
  EXPECT_EQ(listPPD(&items), -1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "No base directory :???\n");
  EXPECT_EQ(items, std::vector<std::string>{"kept"});
}

TEST_F(PpdSearchTest, ListsTheSetByClassSortedByModelName) {
  copySet(tmp / "usr/share/ppd/bry");
  writeFile(tmp / "usr/share/ppd/bry/Velta-NoModel-PS-en.ppd",
            readFile(kDataDir + "/Velta-NoModel-PS-en.ppd"));
  makeDirs(tmp / "usr/share/ppd/bry/Velta-Dir-PS-en.ppd");  // a directory, not a file
  setFsRoot(tmp.path());

  std::vector<std::string> items = {"old row"};
  setup().printerType = 1;
  EXPECT_EQ(listPPD(&items), 3);
  EXPECT_EQ(ppdSearchDir(), "/usr/share/ppd/bry");
  EXPECT_EQ(items, (std::vector<std::string>{"Velta C400 PS", "Velta C400 PS", "Velta C450 PS"}));
  ASSERT_EQ(ppdListCount(), 3);
  EXPECT_EQ(ppdTable()[0].path, tmp.path() + "/usr/share/ppd/bry/Velta-C400-PS-de.ppd");
  EXPECT_EQ(ppdTable()[1].path, tmp.path() + "/usr/share/ppd/bry/Velta-C400-PS-en.ppd");
  EXPECT_EQ(ppdTable()[2].path, tmp.path() + "/usr/share/ppd/bry/Velta-C450-PS-en.ppd.gz");

  setup().printerType = 2;
  EXPECT_EQ(listPPD(&items), 1);
  EXPECT_EQ(items, std::vector<std::string>{"Velta C500 PCL"});
  setup().printerType = 3;
  EXPECT_EQ(listPPD(&items), 1);
  EXPECT_EQ(items, std::vector<std::string>{"Velta P4700 PXL"});
  setup().printerType = 5;
  EXPECT_EQ(listPPD(&items), 0);
  EXPECT_TRUE(items.empty());
  EXPECT_EQ(ppdListCount(), 0);
}

TEST_F(PpdSearchTest, ModelNamesDecideTheOrderNotFileNamesAndLinksCount) {
  std::string dir = tmp / "old.ppd-files";  // the directory's own name carries no class
  makeDirs(dir);
  writeFile(dir + "/a-PS-en.ppd", ppdWithModelLine("*ModelName: \"Zeta\""));
  writeFile(dir + "/b-PS-en.ppd", ppdWithModelLine("*ModelName: \"Alpha\""));
  ASSERT_EQ(::symlink((kSetDir + "/Velta-C400-PS-en.ppd").c_str(), (dir + "/c-PS-en.ppd").c_str()), 0);
  ppdSearchDir() = dir;
  std::vector<std::string> items;
  EXPECT_EQ(listPPD(&items), 3);
  EXPECT_EQ(items, (std::vector<std::string>{"Alpha", "Velta C400 PS", "Zeta"}));
}

TEST_F(PpdSearchTest, MoreThan256FilesListTheFirst256InOrder) {
  std::string dir = tmp / "many";
  makeDirs(dir);
  std::vector<int> numbers(300);
  for (int i = 0; i < 300; ++i) numbers[i] = i;
  std::shuffle(numbers.begin(), numbers.end(), std::mt19937(7));
  for (int i = 0; i < 300; ++i) {
    char model[32];
    std::snprintf(model, sizeof model, "Model %03d", numbers[i]);
    writeFile(dir + "/f" + std::to_string(i) + "-PS-en.ppd",
              ppdWithModelLine(std::string("*ModelName: \"") + model + "\""));
  }
  ppdSearchDir() = dir;
  std::vector<std::string> items;
  EXPECT_EQ(listPPD(&items), kPpdTableRows);
  ASSERT_EQ(items.size(), 256u);
  EXPECT_EQ(items.front(), "Model 000");
  EXPECT_EQ(items.back(), "Model 255");
  EXPECT_TRUE(std::is_sorted(items.begin(), items.end()));
}

TEST_F(PpdSearchTest, AVanishedDirectoryLeavesTheListAlone) {
  ppdSearchDir() = "/usr/share/ppd/bry";
  setFsRoot(tmp.path());
  std::vector<std::string> items = {"kept"};
  testing::internal::CaptureStderr();
  EXPECT_EQ(listPPD(&items), -1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "No base directory : /usr/share/ppd/bry\n");
  EXPECT_EQ(items, std::vector<std::string>{"kept"});
}

TEST_F(PpdSearchTest, JarnctlListsThePostScriptModelsOfAnInjectedRoot) {
  copySet(tmp / "usr/share/cups/model/Velta");
  Command c({JARN_JARNCTL, "-R", tmp.path(), "ppd-list", "1"}, "jarnctl ppd-list 1");
  std::string out;
  EXPECT_EQ(exitCodeOf(runCapture(c, 0, &out, RunMode::Quiet)), 0);
  EXPECT_EQ(out, "Velta C400 PS\nVelta C400 PS\nVelta C450 PS\n");

  Command d({JARN_JARNCTL, "-R", tmp.path(), "ppd-dir", "/usr/share/cups/model"}, "jarnctl ppd-dir");
  EXPECT_EQ(exitCodeOf(runCapture(d, 0, &out, RunMode::Quiet)), 0);
  EXPECT_EQ(out, "/usr/share/cups/model/Velta\n");
}
