// Directory and file routines on real trees: tree removal that never follows
// links, the printer directory modes, copies and temporary names.
#include "file_helpers.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "test_support.h"

using testing_support::TempDir;
using testing_support::modeOf;
using testing_support::pathExists;
using testing_support::readFile;
using testing_support::writeFile;

namespace {

TEST(RemoveTree, RemovesFilesLinksAndSubdirectories) {
  TempDir t;
  std::string top = t / "printer";
  ASSERT_EQ(::mkdir(top.c_str(), 0755), 0);
  ASSERT_EQ(::mkdir((top + "/root").c_str(), 0755), 0);
  writeFile(top + "/root/jarnConfig", "x");
  ASSERT_EQ(::symlink("/nonexistent", (top + "/dangling").c_str()), 0);
  EXPECT_EQ(removeTree(top), 0);
  EXPECT_FALSE(pathExists(top));
}

TEST(RemoveTree, NeverFollowsALinkOutOfTheTree) {
  TempDir t;
  std::string outside = t / "outside";
  ASSERT_EQ(::mkdir(outside.c_str(), 0755), 0);
  writeFile(outside + "/precious", "keep me");
  std::string top = t / "printer";
  ASSERT_EQ(::mkdir(top.c_str(), 0755), 0);
  ASSERT_EQ(::symlink(outside.c_str(), (top + "/link").c_str()), 0);
  EXPECT_EQ(removeTree(top), 0);
  EXPECT_EQ(readFile(outside + "/precious"), "keep me");
}

TEST(RemoveTree, ALinkGivenAsTheTreeIsNotFollowed) {
  TempDir t;
  std::string outside = t / "outside";
  ASSERT_EQ(::mkdir(outside.c_str(), 0755), 0);
  writeFile(outside + "/precious", "keep me");
  ASSERT_EQ(::symlink(outside.c_str(), (t / "link").c_str()), 0);
  testing::internal::CaptureStderr();
  EXPECT_EQ(removeTree(t / "link"), -1);
  testing::internal::GetCapturedStderr();
  EXPECT_TRUE(pathExists(outside + "/precious"));
}

TEST(RemoveTree, APipeStaysAndTheFinalRmdirFails) {
  TempDir t;
  std::string top = t / "printer";
  ASSERT_EQ(::mkdir(top.c_str(), 0755), 0);
  ASSERT_EQ(::mkfifo((top + "/fifo").c_str(), 0644), 0);
  writeFile(top + "/file", "x");
  EXPECT_EQ(removeTree(top), -1);
  EXPECT_TRUE(pathExists(top + "/fifo"));
  EXPECT_FALSE(pathExists(top + "/file"));
}

TEST(RemoveTree, MissingPathReportsAndFails) {
  TempDir t;
  testing::internal::CaptureStderr();
  EXPECT_EQ(removeTree(t / "missing"), -1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "No base directory-2 : " + (t / "missing") + "\n");
}

TEST(RemoveTree, UnsafeEntryNamesAreRefused) {
  TempDir t;
  EXPECT_FALSE(isSafeEntryName(""));
  EXPECT_FALSE(isSafeEntryName("."));
  EXPECT_FALSE(isSafeEntryName(".."));
  EXPECT_FALSE(isSafeEntryName("a/b"));
  EXPECT_TRUE(isSafeEntryName("Default"));
  ASSERT_EQ(::mkdir((t / "sub").c_str(), 0755), 0);
  EXPECT_EQ(removeSubTree(t / "sub", ".."), -1);
  EXPECT_TRUE(pathExists(t / "sub"));
  EXPECT_EQ(removeSubTree(t.path(), "sub"), 0);
  EXPECT_FALSE(pathExists(t / "sub"));
}

TEST(Directories, SubDirectoryChecksAndModes) {
  TempDir t;
  testing::internal::CaptureStderr();
  EXPECT_EQ(isSubDirectory(t / "missing", "x"), -1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "No base directory-5 : " + (t / "missing") + "\n");
  testing::internal::CaptureStderr();
  EXPECT_EQ(isSubDirectoryQuiet(t / "missing", "x", 0), -1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "");
  writeFile(t / "plain", "x");
  EXPECT_EQ(isSubDirectory(t.path(), "plain"), 0);

  ::umask(0);
  EXPECT_EQ(makeSubDirectory(t.path(), "printer"), 0);
  EXPECT_EQ(modeOf(t / "printer"), 0755);
  EXPECT_EQ(makeUserDirectory(t / "printer", "root"), 0);
  EXPECT_EQ(modeOf(t / "printer/root"), 0755);
  EXPECT_EQ(makeSubDirectory(t.path(), "printer"), 0);  // already there
  ::umask(022);
}

TEST(Directories, ChownToUserGivesDefaultToRoot) {
  TempDir t;
  writeFile(t / "f", "x");
  if (::geteuid() != 0) GTEST_SKIP() << "needs root to give files away";
  ASSERT_EQ(::chown((t / "f").c_str(), 1, 1), 0);
  EXPECT_EQ(chownToUser(t / "f", "Default"), 0);
  struct stat st;
  ASSERT_EQ(::stat((t / "f").c_str(), &st), 0);
  EXPECT_EQ(st.st_uid, 0u);
  EXPECT_EQ(chownToUser(t / "f", "lp"), 0);
  ASSERT_EQ(::stat((t / "f").c_str(), &st), 0);
  EXPECT_NE(st.st_uid, 0u);
}

TEST(Files, CopyAndMoveKeepTheTargetWholeOnFailure) {
  TempDir t;
  writeFile(t / "src", "new contents");
  writeFile(t / "dst", "old contents");
  EXPECT_TRUE(copyFile(t / "src", t / "dst"));
  EXPECT_EQ(readFile(t / "dst"), "new contents");

  testing::internal::CaptureStderr();
  EXPECT_FALSE(copyFile(t / "missing", t / "dst"));
  EXPECT_FALSE(moveFile(t / "missing", t / "dst"));
  testing::internal::GetCapturedStderr();
  EXPECT_EQ(readFile(t / "dst"), "new contents");

  writeFile(t / "src2", "moved");
  EXPECT_TRUE(moveFile(t / "src2", t / "dst"));
  EXPECT_EQ(readFile(t / "dst"), "moved");
  EXPECT_FALSE(pathExists(t / "src2"));
}

TEST(Files, TempNamesAreNewPrivateFilesInTheGivenDirectory) {
  TempDir t;
  ::setenv("TMPDIR", "/nonexistent-elsewhere", 1);
  std::string a = makeTempName(t.path());
  std::string b = makeTempName(t.path() + "/");
  ::unsetenv("TMPDIR");
  ASSERT_FALSE(a.empty());
  ASSERT_FALSE(b.empty());
  EXPECT_NE(a, b);
  EXPECT_EQ(a.substr(0, t.path().size() + 6), t.path() + "/QORXX");
  EXPECT_EQ(b.substr(0, t.path().size() + 6), t.path() + "/QORXX");
  EXPECT_EQ(modeOf(a), 0600);
  EXPECT_EQ(makeTempName(t / "missing"), "");
}

TEST(Files, HomeDirectoryPrefersTheJarnVariables) {
  TempDir t;
  std::string oldHome = std::getenv("HOME") ? std::getenv("HOME") : "";
  ::setenv("JARNHOME", "/nonexistent", 1);
  ::setenv("JARNHOMEDIR", t.path().c_str(), 1);
  EXPECT_EQ(getHomeDir(), t.path());
  ::unsetenv("JARNHOMEDIR");
  ::setenv("HOME", "/nonexistent", 1);
  EXPECT_EQ(getHomeDir(), "");
  ::unsetenv("JARNHOME");
  ::setenv("HOME", oldHome.c_str(), 1);
}

TEST(Files, ListingsOfSubdirectories) {
  TempDir t;
  for (const char* d : {"a", "b", "c"}) ASSERT_EQ(::mkdir((t / d).c_str(), 0755), 0);
  writeFile(t / "file", "x");
  std::string out;
  EXPECT_EQ(listSubDirectories(t.path(), &out, 1000, 1, 0), 2);
  EXPECT_EQ(out.size(), 4u);  // two one-letter names, each with a line feed
  out.clear();
  EXPECT_EQ(listSubDirectories(t.path(), &out, 3, 0, 0), 1);  // "x\n" fits below 3, a second does not
  testing::internal::CaptureStderr();
  EXPECT_EQ(listSubDirectories(t / "missing", &out, 10, 0, 0), -1);
  EXPECT_EQ(testing::internal::GetCapturedStderr(), "No base directory-3 : " + (t / "missing") + "\n");
}

TEST(Files, RelativePathsResolveAgainstADirectory) {
  TempDir t;
  writeFile(t / "x.ppd", "x");
  std::string p = "x.ppd";
  resolveRelativePath(t.path(), p);
  EXPECT_EQ(p, t / "x.ppd");
  std::string missing = "y.ppd";
  resolveRelativePath(t.path(), missing);
  EXPECT_EQ(missing, "y.ppd");
}

}  // namespace
