// The information file: the default file, the list readers, the line edits
// and the removal of a printer, on real files in private directories.
#include "info_file.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <csignal>
#include <cstdlib>
#include <dirent.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include "fatal_exit.h"
#include "file_helpers.h"
#include "setup_state.h"
#include "sleeper.h"
#include "test_support.h"

namespace {

using testing_support::modeOf;
using testing_support::pathExists;
using testing_support::readFile;
using testing_support::ScriptedReporter;
using testing_support::TempDir;
using testing_support::writeFile;

std::string golden(const std::string& name, const std::string& dir) {
  std::string file = __FILE__;
  std::string text = readFile(file.substr(0, file.rfind('/')) + "/data/" + name);
  EXPECT_FALSE(text.empty()) << "no golden file " << name;
  size_t at;
  while ((at = text.find("@DIR@")) != std::string::npos) text.replace(at, 5, dir);
  return text;
}

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
  for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + to.size()))
    text.replace(at, from.size(), to);
  return text;
}

// Unsets the variables that choose an information file and puts them back.
class EnvGuard {
 public:
  explicit EnvGuard(std::vector<std::string> names) : names_(std::move(names)) {
    for (const auto& n : names_) {
      const char* v = std::getenv(n.c_str());
      saved_.push_back(v ? std::make_pair(true, std::string(v)) : std::make_pair(false, std::string()));
      ::unsetenv(n.c_str());
    }
  }
  ~EnvGuard() {
    for (size_t i = 0; i < names_.size(); ++i) {
      if (saved_[i].first) ::setenv(names_[i].c_str(), saved_[i].second.c_str(), 1);
      else ::unsetenv(names_[i].c_str());
    }
  }

 private:
  std::vector<std::string> names_;
  std::vector<std::pair<bool, std::string>> saved_;
};

std::vector<std::string> entriesOf(const std::string& path) {
  std::vector<std::string> out;
  if (DIR* d = ::opendir(path.c_str())) {
    while (struct dirent* e = ::readdir(d)) {
      std::string n = e->d_name;
      if (n != "." && n != "..") out.push_back(n);
    }
    ::closedir(d);
  }
  return out;
}

std::vector<std::string> printerNames() {
  std::vector<std::string> out;
  PList* p = &setup().printerList;
  for (int i = 0; i < setup().managedPrinterCount; ++i, p = p->next) out.push_back(p->name);
  return out;
}

std::vector<std::string> userNames(UList* head, int count) {
  std::vector<std::string> out;
  UList* u = head;
  for (int i = 0; i < count; ++i, u = u->next) out.push_back(u->name);
  return out;
}

class InfoFileTest : public testing::Test {
 protected:
  void SetUp() override {
    resetSetup();
    setSleeper([this](unsigned s) { slept += s; });
  }
  void TearDown() override {
    setSleeper({});
    resetSetup();
  }
  // The default file for the temp dir, as the current file in userDir.
  std::string writeDefault() {
    std::string path = dir / "jarnInfo2.0";
    writeFile(path, golden("info_default.txt", dir.path()));
    setup().userDir = dir.path();
    setup().infoFilePath = path;
    return path;
  }

  EnvGuard env{{"JARNINFO", "JARNUSERINFO", "JARNUSERDIR"}};
  TempDir dir;
  ScriptedReporter reporter;
  unsigned slept = 0;
};

// A file whose PRNT block of "Default2" comes before that of "Default".
const char kTwoDefaults[] =
    "%%QORBLOCK_GENERAL_BEGIN\nUSRDIR          /x\n%%QORBLOCK_GENERAL_END\n#\n"
    "%%QORBLOCK_PRINTERS_BEGIN\nDefault2\nDefault\n%%QORBLOCK_PRINTERS_END\n#\n"
    "%%QORBLOCK_USERS_BEGIN\nroot\n%%QORBLOCK_USERS_END\n#\n"
    "%%QORBLOCK_PRNT_BEGIN Default2\nroot\nann\n%%QORBLOCK_PRNT_END Default2\n#\n"
    "%%QORBLOCK_PRNT_BEGIN Default\nroot\nbob\n%%QORBLOCK_PRNT_END Default\n#\n%%QOREND";

// --- The default file and its directories ---

TEST_F(InfoFileTest, CreateWritesTheDefaultFileAndDirectoriesAfterYes) {
  reporter.answers = {true};
  std::string d = dir / "opt";
  ASSERT_EQ(createInfoFile(d, ""), 1);

  EXPECT_EQ(readFile(d + "/jarnInfo2.0"), golden("info_default.txt", d));
  ASSERT_EQ(reporter.questions.size(), 1u);
  EXPECT_EQ(reporter.questions[0].title, "Configuration File");
  EXPECT_EQ(reporter.questions[0].text,
            "Configuration File:\n" + d + "/jarnInfo2.0\nnot found.\nShould I create it now?");
  ASSERT_EQ(reporter.messages.size(), 1u);
  EXPECT_EQ(reporter.messages[0].code, 4);
  EXPECT_EQ(reporter.messages[0].title, "Directory Creation");
  EXPECT_EQ(reporter.messages[0].text, "Directory '" + d + "' will be created");
  EXPECT_EQ(modeOf(d), 0755);
  EXPECT_EQ(modeOf(d + "/Default"), 0755);
  EXPECT_EQ(modeOf(d + "/Default/root"), 0755);
  EXPECT_EQ(setup().infoFilePath, d + "/jarnInfo2.0");
  EXPECT_FALSE(setup().homeDir.empty());
}

TEST_F(InfoFileTest, CreateForANamedPrinterPutsItInItsThreeLines) {
  reporter.answers = {true};
  ASSERT_EQ(createInfoFile(dir.path(), "Lab"), 1);
  std::string expected =
      replaceAll(replaceAll(golden("info_default.txt", dir.path()), " Default", " Lab"),
                 "\nDefault\n", "\nLab\n");
  EXPECT_EQ(readFile(dir / "jarnInfo2.0"), expected);
  EXPECT_TRUE(pathExists(dir / "Lab/root"));
  EXPECT_TRUE(reporter.messages.empty()) << "the directory existed already";
}

TEST_F(InfoFileTest, CreateAnsweredNoDoesNothing) {
  reporter.answers = {false};
  EXPECT_EQ(createInfoFile(dir / "opt", ""), 0);
  EXPECT_FALSE(pathExists(dir / "opt"));
  EXPECT_EQ(reporter.questions.size(), 1u);
}

TEST_F(InfoFileTest, CreateRefusesPrinterNamesThatAreNotADirectoryName) {
  for (std::string bad : {"..", ".", "a/b", "../../evil", "two words", "x\ny"}) {
    reporter.answers = {true};
    EXPECT_EQ(createInfoFile(dir / "opt", bad), 0) << bad;
  }
  EXPECT_TRUE(reporter.questions.empty());
  EXPECT_FALSE(pathExists(dir / "opt"));
  EXPECT_FALSE(pathExists(dir / "evil"));
}

TEST_F(InfoFileTest, CreateWhenTheFileCannotBeWrittenEndsTheProgramAfterFiveSeconds) {
  writeFile(dir / "plain", "");  // a file where the directory should be
  reporter.answers = {true};
  try {
    createInfoFile(dir / "plain", "");
    ADD_FAILURE() << "no FatalExit";
  } catch (const FatalExit& e) {
    EXPECT_EQ(e.rawStatus(), -1);
  }
  EXPECT_EQ(slept, 5u);
  ASSERT_EQ(reporter.messages.size(), 1u);
  EXPECT_EQ(reporter.messages[0].code, 1);
  EXPECT_EQ(reporter.messages[0].title, "Configuration Problem");
  EXPECT_EQ(reporter.messages[0].text, "Cannot create\nConfiguration file");
}

TEST_F(InfoFileTest, CreateDoesNotFollowAPrinterDirectoryThatIsALink) {
  TempDir outside;
  ASSERT_EQ(::symlink(outside.path().c_str(), (dir / "Default").c_str()), 0);
  reporter.answers = {true};
  EXPECT_EQ(createInfoFile(dir.path(), ""), 0);
  EXPECT_FALSE(pathExists(outside / "root"));
  ASSERT_EQ(reporter.messages.size(), 1u);
  EXPECT_EQ(reporter.messages[0].text, "Cannot create dir:\n" + dir.path() + "/Default");
}

// An existing file is never replaced: one that cannot be read or has no
// complete GENERAL block ends the program without a question.
TEST_F(InfoFileTest, CreateNeverReplacesAnExistingBadFile) {
  const std::string good = golden("info_default.txt", dir.path()), path = dir / "jarnInfo2.0";
  const std::pair<std::string, std::string> cases[] = {  // text ("": a directory), fault
      {"", "cannot be read: Is a directory"},
      {replaceAll(good, "GENERAL_BEGIN", "GENERAL_BEGN"), "has no valid general block"},
      {replaceAll(good, "%%QORBLOCK_GENERAL_END", ""), "has no valid general block"},
  };
  for (const auto& c : cases) {
    if (c.first.empty()) ASSERT_EQ(::mkdir(path.c_str(), 0755), 0);
    else writeFile(path, c.first);
    reporter.messages.clear();
    reporter.answers = {true};
    slept = 0;
    EXPECT_THROW(createInfoFile(dir.path(), ""), FatalExit);
    if (c.first.empty()) EXPECT_EQ(::rmdir(path.c_str()), 0) << "the directory was replaced";
    else EXPECT_EQ(readFile(path), c.first);
    EXPECT_TRUE(reporter.questions.empty());
    EXPECT_EQ(slept, 5u);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].code, 1);
    EXPECT_EQ(reporter.messages[0].text, "Configuration file:\n" + path + "\n" + c.second);
  }
}

// --- Readers ---

TEST_F(InfoFileTest, GeneralValuesAreExpandedWithoutAShell) {
  TempDir home;
  EnvGuard keepHome({"HOME"});
  ::setenv("HOME", home.path().c_str(), 1);
  std::string canary = dir / "canary";
  std::string path = dir / "info";
  writeFile(path, "%%QORBLOCK_GENERAL_BEGIN\nUSRDIR          ${HOME}/x\nHOMEDIR         $HOME\n"
                  "TMPDIR          ~\n%%QORBLOCK_GENERAL_END\n%%QOREND");
  ASSERT_EQ(readInfoGeneral("", path), 1);
  EXPECT_EQ(setup().userDir, home.path() + "/x");
  EXPECT_EQ(setup().homeDir, home.path());
  EXPECT_EQ(setup().tmpDir, home.path());
  EXPECT_EQ(setup().infoFilePath, path);

  writeFile(path, "%%QORBLOCK_GENERAL_BEGIN\nUSRDIR          $(touch " + canary +
                      ")\nHOMEDIR         a;b\nTMPDIR          `touch " + canary +
                      "`\n%%QORBLOCK_GENERAL_END\n");
  ASSERT_EQ(readInfoGeneral("", path), 1);
  EXPECT_EQ(setup().userDir, "$(touch " + canary + ")");
  EXPECT_EQ(setup().homeDir, "a;b");
  EXPECT_EQ(setup().tmpDir, "`touch " + canary + "`");
  EXPECT_FALSE(pathExists(canary));
}

TEST_F(InfoFileTest, GeneralKeywordsAreTheFirstWordOfALineInTheBlock) {
  std::string path = dir / "info";
  writeFile(path, "USRDIR /before\n%%QORBLOCK_GENERAL_BEGIN\nHOMEDIR         /home/USRDIR/TMPDIR\n"
                  "USRDIR          /opt/x  \n%%QORBLOCK_GENERAL_END\nTMPDIR /after\n");
  setup().tmpDir = "/kept";
  ASSERT_EQ(readInfoGeneral("", path), 1);
  EXPECT_EQ(setup().userDir, "/opt/x");
  EXPECT_EQ(setup().homeDir, "/home/USRDIR/TMPDIR");
  EXPECT_EQ(setup().tmpDir, "/kept") << "a keyword after the block is not the block's";
}

TEST_F(InfoFileTest, LongLinesAreReadWholeAndValuesCutToTheirField) {
  std::string longName(300, 'p');
  std::string longDir = "/" + std::string(400, 'd');
  std::string path = dir / "info";
  writeFile(path, "%%QORBLOCK_GENERAL_BEGIN\nUSRDIR " + longDir + "\n%%QORBLOCK_GENERAL_END\n" +
                      "%%QORBLOCK_PRINTERS_BEGIN\n" + longName + "\nsecond\n" +
                      "%%QORBLOCK_PRINTERS_END\n%%QOREND");
  ASSERT_EQ(readInfoGeneral("", path), 1);
  EXPECT_EQ(setup().userDir, longDir.substr(0, 255));
  ASSERT_EQ(readInfoPrinters(0), 1);
  EXPECT_EQ(printerNames(), (std::vector<std::string>{longName.substr(0, 255), "second"}));
}

TEST_F(InfoFileTest, ReadersFillTheListsAndLeaveThemAloneWhenABlockIsMissing) {
  writeDefault();
  ASSERT_EQ(readInfoPrinters(0), 1);
  EXPECT_EQ(printerNames(), std::vector<std::string>{"Default"});
  ASSERT_EQ(readInfoUsers(), 1);
  EXPECT_EQ(userNames(&setup().userList, setup().infoUserCount), std::vector<std::string>{"root"});

  writeFile(setup().infoFilePath, "%%QORBLOCK_PRINTERS_BEGIN\n%%QORBLOCK_PRINTERS_END\n%%QOREND");
  EXPECT_EQ(readInfoUsers(), 0);
  EXPECT_EQ(setup().infoUserCount, 1);
  EXPECT_EQ(setup().userList.name, "root");
  ASSERT_EQ(readInfoPrinters(0), 1);
  EXPECT_EQ(setup().managedPrinterCount, 0);
}

TEST_F(InfoFileTest, FilteredPrintersAreThoseWhoseBlockListsTheUser) {
  setup().infoFilePath = dir / "info";
  writeFile(setup().infoFilePath, kTwoDefaults);
  setup().userName = "bob";
  ASSERT_EQ(readInfoPrinters(1), 1);
  EXPECT_EQ(printerNames(), std::vector<std::string>{"Default"});
  setup().userName = "root";
  ASSERT_EQ(readInfoPrinters(1), 1);
  EXPECT_EQ(printerNames(), (std::vector<std::string>{"Default2", "Default"}));
}

TEST_F(InfoFileTest, PrinterUsersComeFromTheWholeMarkerLineOnly) {
  setup().infoFilePath = dir / "info";
  writeFile(setup().infoFilePath, kTwoDefaults);
  ASSERT_EQ(readPrinterUsers("Default"), 1);
  EXPECT_EQ(userNames(&setup().printerUserList, setup().printerUserCount),
            (std::vector<std::string>{"root", "bob"}));
  EXPECT_EQ(readPrinterUsers("Def"), 0);
  EXPECT_EQ(setup().printerUserCount, 2) << "a missing block leaves the list as it was";
}

TEST_F(InfoFileTest, OpenTakesTheNameThenJarninfoThenTheDirectory) {
  std::string a = dir / "a";
  writeFile(a, "x\n");
  std::string inDir = dir / "jarnInfo2.0";
  writeFile(inDir, "y");
  InfoFile f;
  ASSERT_TRUE(openInfoFile(dir.path(), "", &f));
  EXPECT_EQ(f.path, inDir);
  EXPECT_EQ(f.lines, std::vector<std::string>{"y"});
  EXPECT_FALSE(f.endsWithNewline);
  ::setenv("JARNINFO", a.c_str(), 1);
  ASSERT_TRUE(openInfoFile(dir.path(), "", &f));
  EXPECT_EQ(setup().infoFilePath, a);
  ASSERT_TRUE(openInfoFile(dir.path(), inDir, &f));
  EXPECT_EQ(setup().infoFilePath, inDir);
  ::unsetenv("JARNINFO");
  EXPECT_FALSE(openInfoFile(dir / "nowhere", "", &f));
  EXPECT_EQ(setup().infoFilePath, inDir) << "a failed open keeps the current file";
}

TEST_F(InfoFileTest, BlockReaderTakesOneKeywordWithinTheBlock) {
  std::string path = dir / "info";
  writeFile(path, "%%QORBLOCK_UTILITIES_BEGIN\nEDITOR:   vi -x  \n%%QORBLOCK_UTILITIES_END\n"
                  "%%QORBLOCK_USER_BEGIN\nLATER: 1\n%%QORBLOCK_USER_END\n");
  std::string value = "old";
  EXPECT_EQ(readInfoBlock(path, "EDITOR:", &value, nullptr, 0, kInfoBlockUtilities), 0);
  EXPECT_EQ(value, "vi -x");
  value = "old";
  EXPECT_EQ(readInfoBlock(path, "LATER:", &value, nullptr, 0, kInfoBlockUtilities), 0);
  EXPECT_EQ(value, "old") << "a keyword of another block";
  EXPECT_EQ(readInfoBlock(path, "LATER:", &value, nullptr, 0, 9), 0);
  EXPECT_EQ(value, "1");

  testing::internal::CaptureStderr();
  EXPECT_EQ(readInfoBlock(dir / "missing", "X", &value, nullptr, 0, 0), 1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "No config file: No such file or directory\n");
}

// --- Edits ---

TEST_F(InfoFileTest, AddingAPrinterGivesItALineAndAnEmptyBlock) {
  std::string path = writeDefault();
  ASSERT_EQ(editInfoFile("Lab2", kEditAddPrinter), 1);
  EXPECT_EQ(readFile(path), golden("info_add_printer.txt", dir.path()));
  EXPECT_EQ(printerNames(), (std::vector<std::string>{"Default", "Lab2"}));
  EXPECT_EQ(modeOf(path), 0644);

  ASSERT_EQ(editInfoFile("Lab2", kEditAddPrinter), 1);
  EXPECT_EQ(readFile(path), golden("info_add_printer.txt", dir.path())) << "no second entry";
}

TEST_F(InfoFileTest, DeletingTheAddedPrinterGivesTheCompactDefaultAgain) {
  std::string path = writeDefault();
  ASSERT_EQ(editInfoFile("Lab2", kEditAddPrinter), 1);
  ASSERT_EQ(editInfoFile("Lab2", kEditDeletePrinter), 1);
  EXPECT_EQ(readFile(path), replaceAll(golden("info_default.txt", dir.path()), "#\n#\n#\n", "#\n#\n"));
  EXPECT_EQ(printerNames(), std::vector<std::string>{"Default"});
}

TEST_F(InfoFileTest, DeletingDefaultLeavesDefault2AloneWhenItsBlockComesFirst) {
  std::string path = dir / "jarnInfo2.0";
  setup().userDir = dir.path();
  writeFile(path, kTwoDefaults);
  ASSERT_EQ(editInfoFile("Default", kEditDeletePrinter), 1);
  EXPECT_EQ(readFile(path),
            "%%QORBLOCK_GENERAL_BEGIN\nUSRDIR          /x\n%%QORBLOCK_GENERAL_END\n#\n"
            "%%QORBLOCK_PRINTERS_BEGIN\nDefault2\n%%QORBLOCK_PRINTERS_END\n#\n"
            "%%QORBLOCK_USERS_BEGIN\nroot\n%%QORBLOCK_USERS_END\n#\n"
            "%%QORBLOCK_PRNT_BEGIN Default2\nroot\nann\n%%QORBLOCK_PRNT_END Default2\n#\n"
            "#\n%%QOREND");
  EXPECT_EQ(printerNames(), std::vector<std::string>{"Default2"});
}

TEST_F(InfoFileTest, UsersOfTheCurrentPrinterGoToItsOwnBlock) {
  std::string path = dir / "jarnInfo2.0";
  setup().userDir = dir.path();
  writeFile(path, kTwoDefaults);
  setup().printerName = "Default";
  ASSERT_EQ(editInfoFile("carl", kEditAddPrinterUser), 1);
  EXPECT_EQ(userNames(&setup().printerUserList, setup().printerUserCount),
            (std::vector<std::string>{"root", "bob", "carl"}));
  ASSERT_EQ(editInfoFile("root", kEditDeletePrinterUser), 1);
  EXPECT_EQ(userNames(&setup().printerUserList, setup().printerUserCount),
            (std::vector<std::string>{"bob", "carl"}));
  ASSERT_EQ(readPrinterUsers("Default2"), 1);
  EXPECT_EQ(userNames(&setup().printerUserList, setup().printerUserCount),
            (std::vector<std::string>{"root", "ann"}));
}

TEST_F(InfoFileTest, DeletingAUserTakesTheWholeNameOnly) {
  std::string path = writeDefault();
  ASSERT_EQ(editInfoFile("bob", kEditAddUser), 1);
  std::string withBob = readFile(path);
  for (std::string partOfBob : {"ob", "bo", "b"}) {
    ASSERT_EQ(editInfoFile(partOfBob, kEditDeleteUser), 1);
    EXPECT_EQ(readFile(path), withBob) << partOfBob;
  }
  ASSERT_EQ(editInfoFile("bob", kEditDeleteUser), 1);
  EXPECT_EQ(userNames(&setup().userList, setup().infoUserCount), std::vector<std::string>{"root"});
}

TEST_F(InfoFileTest, DeletingAPrinterRemovesItsWholeBlockOfUsers) {
  std::string path = writeDefault();
  setup().printerName = "Default";
  ASSERT_EQ(editInfoFile("ann", kEditAddPrinterUser), 1);
  ASSERT_EQ(editInfoFile("bob", kEditAddPrinterUser), 1);
  ASSERT_EQ(editInfoFile("Default", kEditDeletePrinter), 1);
  std::string text = readFile(path);
  EXPECT_EQ(text.find("PRNT"), std::string::npos) << text;
  EXPECT_EQ(text.find("ann"), std::string::npos);
  EXPECT_EQ(setup().managedPrinterCount, 0);
}

TEST_F(InfoFileTest, CompactionDropsEmptyLinesAndLongHashRuns) {
  std::string path = dir / "info";
  writeFile(path, "#\n\n#\n#\n   \n#\nA\n#\n# comment\n#\n#\n#\n%%QOREND");
  ASSERT_EQ(compactInfoFile(path), 1);
  EXPECT_EQ(readFile(path), "#\n#\nA\n#\n# comment\n#\n#\n%%QOREND");
  EXPECT_EQ(compactInfoFile(dir / "missing"), 0);
}

TEST_F(InfoFileTest, NamesThatWouldBreakTheFileAreRefused) {
  std::string path = writeDefault();
  std::string before = readFile(path);
  for (std::string bad : std::vector<std::string>{"", "x\n%%QOREND", "a/b", "..", "#c",
                                                 "%%QOREND", "a b", std::string(300, 'n')}) {
    EXPECT_EQ(editInfoFile(bad, kEditAddPrinter), 0) << bad;
    EXPECT_EQ(editInfoFile(bad, kEditAddUser), 0) << bad;
  }
  EXPECT_EQ(readFile(path), before);
  EXPECT_EQ(reporter.messages.size(), 16u);
}

TEST_F(InfoFileTest, AnEditWhoseBlockIsMissingOrUnclosedSaysWhich) {
  const std::string good = golden("info_default.txt", dir.path()), path = writeDefault();
  const struct {
    int operation;
    std::string text;
    const char* block;
  } cases[] = {
      {kEditAddPrinter, replaceAll(good, "%%QORBLOCK_PRINTERS_END\n", ""), "PRINTERS"},
      {kEditDeleteUser, replaceAll(good, "%%QORBLOCK_USERS_END\n", ""), "USERS"},
      {kEditAddPrinterUser, replaceAll(good, "BEGIN Default", "BEGIN Other"), "PRNT Default"},
  };
  setup().printerName = "Default";
  for (const auto& c : cases) {
    writeFile(path, c.text);
    reporter.messages.clear();
    EXPECT_EQ(editInfoFile("root", c.operation), 0) << c.block;
    EXPECT_EQ(readFile(path), c.text);
    ASSERT_EQ(reporter.messages.size(), 1u);
    EXPECT_EQ(reporter.messages[0].text,
              "Configuration file:\n" + path + "\nhas no complete " + c.block + " block");
  }
}

// Each failing case leaves the file byte-identical, reports and returns 0.
void expectFailedEditKeepsFile(const std::string& path, ScriptedReporter& reporter) {
  std::string before = readFile(path);
  reporter.messages.clear();
  EXPECT_EQ(editInfoFileAt(path, "Lab2", kEditAddPrinter), 0);
  EXPECT_EQ(compactInfoFile(path), 0);
  EXPECT_EQ(readFile(path), before);
  ASSERT_EQ(reporter.messages.size(), 2u);
  EXPECT_EQ(reporter.messages[0].code, 1);
  EXPECT_EQ(reporter.messages[0].title, "Configuration Problem");
  EXPECT_NE(reporter.messages[0].text.find(path), std::string::npos) << reporter.messages[0].text;
}

TEST_F(InfoFileTest, FailedTemporaryFileLeavesTheFileAsItWas) {
  // The temporary name is longer than the file's: past the name limit.
  std::string path = dir / std::string(250, 'i');
  writeFile(path, golden("info_default.txt", dir.path()));
  expectFailedEditKeepsFile(path, reporter);
}

TEST_F(InfoFileTest, FailedWriteLeavesTheFileAsItWasAndNoTemporaryFile) {
  std::string path = writeDefault();
  struct rlimit old;
  ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &old), 0);
  struct rlimit small = old;
  small.rlim_cur = 64;  // smaller than any information file
  auto oldHandler = std::signal(SIGXFSZ, SIG_IGN);
  ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
  expectFailedEditKeepsFile(path, reporter);
  ::setrlimit(RLIMIT_FSIZE, &old);
  std::signal(SIGXFSZ, oldHandler);
  std::vector<std::string> left = entriesOf(dir.path());
  std::sort(left.begin(), left.end());
  EXPECT_EQ(left, (std::vector<std::string>{".jarnInfo2.0.lock", "jarnInfo2.0"}))
      << "a temporary file was left behind";
}

TEST_F(InfoFileTest, EditInAReadOnlyDirectoryLeavesTheFileAsItWas) {
  if (::geteuid() == 0) GTEST_SKIP() << "permissions are not enforced for root";
  std::string path = writeDefault();
  ASSERT_EQ(::chmod(dir.path().c_str(), 0555), 0);
  expectFailedEditKeepsFile(path, reporter);
  ::chmod(dir.path().c_str(), 0755);
}

TEST_F(InfoFileTest, EditOfAMissingFileReportsAndChangesNothing) {
  setup().userDir = dir / "gone";
  EXPECT_EQ(editInfoFile("Lab2", kEditAddPrinter), 0);
  EXPECT_EQ(reporter.messages.size(), 1u);
  EXPECT_FALSE(pathExists(dir / "gone"));
}

// --- Removing a printer ---

class RemovePrinterTest : public InfoFileTest {
 protected:
  void SetUp() override {
    InfoFileTest::SetUp();
    path = writeDefault();
    ASSERT_EQ(::mkdir((dir / "Default").c_str(), 0755), 0);
    ASSERT_EQ(::mkdir((dir / "Default/root").c_str(), 0755), 0);
    writeFile(dir / "Default/root/jarnConfig", "%%JARN_CONFIGURATION_FILE\n");
    writeFile(dir / "Default.sh", "#!/bin/sh\n");
  }
  std::string withoutDefaultBlock() {
    return replaceAll(golden("info_default.txt", dir.path()),
                      "%%QORBLOCK_PRNT_BEGIN Default\nroot\n%%QORBLOCK_PRNT_END Default\n", "");
  }
  std::string path;
};

TEST_F(RemovePrinterTest, RemovesTheTreeTheBlockAndTheScript) {
  EXPECT_EQ(removeInfoPrinterBlock(dir.path(), "Default"), 0);
  EXPECT_FALSE(pathExists(dir / "Default"));
  EXPECT_FALSE(pathExists(dir / "Default.sh"));
  EXPECT_EQ(readFile(path), withoutDefaultBlock());
}

TEST_F(RemovePrinterTest, APipeInTheTreeStaysAndTheResultIsTheFailedRemoval) {
  ASSERT_EQ(::mkfifo((dir / "Default/root/pipe").c_str(), 0600), 0);
  testing::internal::CaptureStderr();
  EXPECT_EQ(removeInfoPrinterBlock(dir.path(), "Default"), -1);
  testing::internal::GetCapturedStderr();
  EXPECT_TRUE(pathExists(dir / "Default/root/pipe"));
  EXPECT_FALSE(pathExists(dir / "Default/root/jarnConfig"));
  EXPECT_EQ(readFile(path), withoutDefaultBlock());
}

TEST_F(RemovePrinterTest, LinksLeadingOutsideAreRemovedButNotFollowed) {
  TempDir outside;
  writeFile(outside / "keep", "data");
  ASSERT_EQ(::symlink(outside.path().c_str(), (dir / "Default/root/out").c_str()), 0);
  EXPECT_EQ(removeInfoPrinterBlock(dir.path(), "Default"), 0);
  EXPECT_FALSE(pathExists(dir / "Default"));
  EXPECT_EQ(readFile(outside / "keep"), "data");
}

TEST_F(RemovePrinterTest, APrinterDirectoryThatIsALinkChangesNothing) {
  TempDir outside;
  writeFile(outside / "keep", "data");
  ASSERT_EQ(::symlink(outside.path().c_str(), (dir / "Linked").c_str()), 0);
  ASSERT_EQ(editInfoFile("Linked", kEditAddPrinter), 1);
  std::string before = readFile(path);
  EXPECT_EQ(removeInfoPrinterBlock(dir.path(), "Linked"), -1);
  EXPECT_EQ(readFile(outside / "keep"), "data");
  EXPECT_TRUE(pathExists(dir / "Linked"));
  EXPECT_EQ(readFile(path), before);
}

TEST_F(RemovePrinterTest, UnsafeOrMissingNamesChangeNothing) {
  std::string before = readFile(path);
  for (std::string bad : {"", ".", "..", "Default/root", "Nope"}) {
    EXPECT_EQ(removeInfoPrinterBlock(dir.path(), bad), -1) << bad;
  }
  EXPECT_TRUE(pathExists(dir / "Default/root/jarnConfig"));
  EXPECT_TRUE(pathExists(dir / "Default.sh"));
  EXPECT_EQ(readFile(path), before);
}

TEST_F(RemovePrinterTest, TheBlockOfAPrinterWithALongerNameStays) {
  ASSERT_EQ(::mkdir((dir / "Def").c_str(), 0755), 0);
  EXPECT_EQ(removeInfoPrinterBlock(dir.path(), "Def"), 0);
  EXPECT_EQ(readFile(path), golden("info_default.txt", dir.path()));
  EXPECT_TRUE(pathExists(dir / "Default"));
}

}  // namespace
