// The PCL XL reader's input stack: push and pop, its limits, the include
// search for names in angle brackets, standard input kept open, and a pass
// read through a file input.
#include "pxl_scanner.h"
#include "pxl_test_helpers.h"

#include <sys/stat.h>

#include "pxl_input_stack.h"
#include "pxl_parser.h"

namespace {

using pxltest::defaults;

bool fdOpen(int fd) { return ::fcntl(fd, F_GETFD) != -1; }

// An InputReader over a file, standing in for standard input.
struct FileInput {
  explicit FileInput(const std::string& path) : fd(::open(path.c_str(), O_RDONLY)), reader(fd, "standard input") {}
  ~FileInput() { ::close(fd); }
  int fd;
  InputReader reader;
};

std::string readAll(InputReader& in) {
  std::string s;
  for (int c; (c = in.get()) >= 0;) s += static_cast<char>(c);
  return s;
}

}  // namespace

TEST(PxlInputStack, PushesAndPopsInOrder) {
  TempDir dir;
  writeFile(dir / "a", "A");
  writeFile(dir / "b", "B");
  FileInput std_(dir / "a");
  PxlInputStack stack = pxlNewInputStack(std_.reader, {});
  EXPECT_EQ(stack.current(), nullptr);
  ASSERT_EQ(pxlPushInput(stack, "stdin"), kPxlInputOk);
  ASSERT_EQ(pxlPushInput(stack, "\"" + (dir / "b") + "\""), kPxlInputOk);
  ASSERT_EQ(pxlPushInput(stack, dir / "a"), kPxlInputOk);
  ASSERT_EQ(stack.depth(), 3u);
  EXPECT_EQ(stack.current()->givenName, dir / "a");
  pxlPopInput(stack);
  EXPECT_EQ(stack.current()->givenName, "\"" + (dir / "b") + "\"");
  EXPECT_EQ(stack.current()->openedName, dir / "b");  // the quotes are not part of the path
  EXPECT_EQ(readAll(*stack.current()->reader), "B");
  pxlPopInput(stack);
  EXPECT_TRUE(stack.current()->isStandardInput());
  EXPECT_EQ(stack.current()->reader, &std_.reader);
  pxlPopInput(stack);
  EXPECT_EQ(stack.depth(), 0u);
}

TEST(PxlInputStack, LimitsAndUnopenableNamesLeaveTheStackAsItWas) {
  TempDir dir;
  writeFile(dir / "in", "");
  FileInput std_(dir / "in");
  PxlInputStack stack = pxlNewInputStack(std_.reader, {dir.path()});
  EXPECT_EQ(pxlPushInput(stack, dir / "missing"), kPxlCannotOpen);
  EXPECT_EQ(pxlPushInput(stack, "<missing>"), kPxlCannotOpen);
  std::string name123 = std::string(123, 'n');
  EXPECT_EQ(pxlPushInput(stack, name123), kPxlCannotOpen);  // long but allowed: it just does not exist
  EXPECT_EQ(pxlPushInput(stack, name123 + "n"), kPxlNameTooLong);
  EXPECT_EQ(stack.depth(), 0u);
  for (std::size_t i = 0; i < kPxlMaxInputs; ++i) ASSERT_EQ(pxlPushInput(stack, i % 2 ? "stdin" : "<in>"), kPxlInputOk) << i;
  EXPECT_EQ(pxlPushInput(stack, "stdin"), kPxlStackFull);
  EXPECT_EQ(pxlPushInput(stack, "<in>"), kPxlStackFull);
  EXPECT_EQ(stack.depth(), kPxlMaxInputs);
}

TEST(PxlInputStack, AngleBracketsSearchTheIncludeDirectoriesInOrder) {
  TempDir first, second, third, cwdLike;
  ::mkdir((first / "job.pxl").c_str(), 0755);  // a directory of that name is passed over
  writeFile(second / "job.pxl", "second");
  writeFile(third / "job.pxl", "third");
  writeFile(cwdLike / "in", "");
  FileInput std_(cwdLike / "in");
  PxlInputStack stack = pxlNewInputStack(std_.reader, {first.path(), second.path(), third.path()});
  ASSERT_EQ(pxlPushInput(stack, "<job.pxl>"), kPxlInputOk);
  EXPECT_EQ(stack.current()->openedName, second / "job.pxl");
  EXPECT_EQ(readAll(*stack.current()->reader), "second");
  // A plain name is not searched for.
  EXPECT_EQ(pxlPushInput(stack, "job.pxl"), kPxlCannotOpen);
}

TEST(PxlInputStack, StandardInputIsNeverClosedFilesAre) {
  TempDir dir;
  writeFile(dir / "in", "x");
  FileInput std_(dir / "in");
  PxlInputStack stack = pxlNewInputStack(std_.reader, {});
  ASSERT_EQ(pxlPushInput(stack, "stdin"), kPxlInputOk);
  ASSERT_EQ(pxlPushInput(stack, dir / "in"), kPxlInputOk);
  int fileFd = stack.current()->fd;
  ASSERT_TRUE(fdOpen(fileFd));
  EXPECT_TRUE(pxlCloseInput(stack));
  EXPECT_FALSE(fdOpen(fileFd));
  EXPECT_EQ(stack.depth(), 1u);
  EXPECT_FALSE(pxlCloseInput(stack));
  EXPECT_EQ(stack.depth(), 1u);
  EXPECT_TRUE(fdOpen(std_.fd));
  EXPECT_EQ(std_.reader.get(), 'x');
}

TEST(PxlInputStack, FileInputGivesTheSameOutputAsStandardInput) {
  TempDir dir;
  std::string job = pxltest::withoutPjl(pxltest::gsMono());
  ASSERT_FALSE(job.empty());
  writeFile(dir / "job.pxl", job);
  JobSettings s = defaults();
  s.paperSize = 27;
  s.duplex = 1;
  std::string viaStdin = pxltest::filtered(job, s);
  ASSERT_NE(viaStdin, job);  // the pages were rebuilt

  writeFile(dir / "empty", "");
  FileInput std_(dir / "empty");
  for (const std::string& name : {dir / "job.pxl", std::string("<job.pxl>")}) {
    int outFd = ::open((dir / "out").c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
    ASSERT_GE(outFd, 0);
    {
      OutputWriter out(outFd, "test output");
      EXPECT_EQ(processPXLStream(std_.reader, out, name, {dir.path()}, s), 0) << name;
      out.flush();
    }
    ::close(outFd);
    EXPECT_EQ(readFile(dir / "out"), viaStdin) << name;
  }

  // The file input's counter holds every byte the pass took from it.
  PxlInputStack stack = pxlNewInputStack(std_.reader, {});
  ASSERT_EQ(pxlPushInput(stack, dir / "job.pxl"), kPxlInputOk);
  int nullFd = ::open("/dev/null", O_WRONLY);
  OutputWriter out(nullFd, "null");
  PxlParser parser(stack, out, s);
  parser.run();
  out.flush();
  ::close(nullFd);
  EXPECT_EQ(stack.current()->bytesRead, job.size());
  EXPECT_EQ(static_cast<std::size_t>(parser.rebuiltPages()), pxlscan::scan(job).count(0x43));
}
