// The atomic record writer: whole replacement, a new inode, nothing left
// behind, and the old file untouched when the write cannot happen; the record
// lock, and the stale temporaries only a writer under it removes.
#include "atomic_file.h"

#include <gtest/gtest.h>

#include <dirent.h>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>

#include "record_lock.h"

#include "test_support.h"

using testing_support::TempDir;
using testing_support::modeOf;
using testing_support::pathExists;
using testing_support::readFile;
using testing_support::writeFile;

namespace {

int entriesIn(const std::string& dir) {
  int n = 0;
  DIR* d = ::opendir(dir.c_str());
  while (struct dirent* e = ::readdir(d)) {
    if (e->d_name[0] != '.' || (e->d_name[1] && e->d_name[1] != '.')) ++n;
  }
  ::closedir(d);
  return n;
}

ino_t inodeOf(const std::string& path) {
  struct stat st;
  return ::stat(path.c_str(), &st) == 0 ? st.st_ino : 0;
}

TEST(AtomicFile, ReplacesWithANewInodeAndTheGivenMode) {
  TempDir t;
  std::string path = t / "record";
  writeFile(path, "old");
  ino_t before = inodeOf(path);
  AtomicWriteOptions o;
  o.mode = 0640;
  std::string err;
  ASSERT_TRUE(writeFileAtomic(path, std::string("new\0bytes", 9), o, &err)) << err;
  EXPECT_EQ(readFile(path), std::string("new\0bytes", 9));
  EXPECT_EQ(modeOf(path), 0640);
  EXPECT_NE(inodeOf(path), before);
  EXPECT_EQ(entriesIn(t.path()), 1);  // no temporary file left behind
}

TEST(AtomicFile, FailureLeavesTheOldFileAndReportsThePath) {
  TempDir t;
  std::string path = t / "record";
  writeFile(path, "old");
  // A directory where the file should go cannot be replaced by a file.
  std::string dirPath = t / "adir";
  ASSERT_EQ(::mkdir(dirPath.c_str(), 0755), 0);
  std::string err;
  EXPECT_FALSE(writeFileAtomic(dirPath, "x", AtomicWriteOptions(), &err));
  EXPECT_NE(err.find(dirPath), std::string::npos);
  EXPECT_FALSE(writeFileAtomic(t / "missing/record", "x", AtomicWriteOptions(), &err));
  EXPECT_EQ(readFile(path), "old");
  EXPECT_EQ(entriesIn(t.path()), 2);
}

TEST(AtomicFile, ALinkOthersCouldHavePlantedIsNeitherFollowedNorReplaced) {
  TempDir t;
  std::string secret = t / "secret", shared = t / "shared", err;
  writeFile(secret, "secret");
  ASSERT_EQ(::mkdir(shared.c_str(), 0777), 0);
  ASSERT_EQ(::chmod(shared.c_str(), 0777), 0);
  ASSERT_EQ(::symlink(secret.c_str(), (shared + "/jarnConfig").c_str()), 0);
  EXPECT_FALSE(writeFileAtomic(shared + "/jarnConfig", "x", AtomicWriteOptions(), &err));
  EXPECT_NE(err.find("another user"), std::string::npos) << err;
  EXPECT_EQ(readFile(secret), "secret");
  EXPECT_EQ(entriesIn(shared), 1);
  // Nor is the link's directory given a lock file by the record lock.
  RecordLock lock;
  EXPECT_FALSE(lock.acquire(shared + "/jarnConfig", &err));
  EXPECT_EQ(entriesIn(t.path()), 2);
  // The same link in a directory nobody else can write is written through.
  ASSERT_EQ(::chmod(shared.c_str(), 0755), 0);
  EXPECT_TRUE(writeFileAtomic(shared + "/jarnConfig", "new", AtomicWriteOptions(), &err)) << err;
  EXPECT_EQ(readFile(secret), "new");
  // replaceLink: the name itself is replaced, the link's target stays.
  AtomicWriteOptions o;
  o.replaceLink = true;
  EXPECT_TRUE(writeFileAtomic(shared + "/jarnConfig", "own", o, &err)) << err;
  EXPECT_EQ(readFile(secret), "new");
  EXPECT_EQ(readFile(shared + "/jarnConfig"), "own");
}

TEST(AtomicFile, TempFilesArePrivateAndUnique) {
  TempDir t;
  int fd1 = -1, fd2 = -1;
  std::string a = makeTempFile(t.path(), "QORXX", &fd1);
  std::string b = makeTempFile(t.path() + "/", "QORXX", &fd2);
  ASSERT_GE(fd1, 0);
  ASSERT_GE(fd2, 0);
  ::close(fd1);
  ::close(fd2);
  EXPECT_NE(a, b);
  EXPECT_EQ(modeOf(a), 0600);
  EXPECT_EQ(a.rfind('/'), t.path().size());
}

TEST(RecordLock, AnotherHolderMakesAWriterFailButTheHolderNeverWaitsOnItself) {
  TempDir t;
  std::string path = t / "jarnInfo2.0", err;
  int other = ::open((t / ".jarnInfo2.0.lock").c_str(), O_RDWR | O_CREAT, 0600);
  ASSERT_EQ(::flock(other, LOCK_EX), 0);
  RecordLock lock, nested;
  EXPECT_FALSE(lock.acquire(path, &err, 1));
  EXPECT_EQ(err, "Cannot lock '" + path + "': another program is changing it");
  ::close(other);
  ASSERT_TRUE(lock.acquire(path, &err, 1)) << err;
  EXPECT_TRUE(nested.acquire(path, &err, 0)) << err;
}

TEST(RecordLock, OnlyALockedWriterRemovesItsOwnStaleTemporaries) {
  const struct {
    const char* name;
    bool locked, removed;
  } cases[] = {
      {".jarnInfo2.0.Ab12Cd", true, true},   {".jarnInfo2.0.Ab12Cd", false, false},
      {".jarnInfo2.0.lock", true, false},    {".jarnInfo2.0.x.Ab12Cd", true, false},
      {".jarnConfig.Ab12Cd", true, false},
  };
  for (const auto& c : cases) {
    TempDir t;
    std::string path = t / "jarnInfo2.0", err;
    writeFile(t / c.name, "secret");
    RecordLock lock;
    ASSERT_TRUE(!c.locked || lock.acquire(path, &err)) << err;
    ASSERT_TRUE(writeFileAtomic(path, "new", AtomicWriteOptions(), &err)) << err;
    EXPECT_EQ(pathExists(t / c.name), !c.removed) << c.name << (c.locked ? " locked" : "");
  }
}

}  // namespace
