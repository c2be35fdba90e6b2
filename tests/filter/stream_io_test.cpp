// The streaming reader and writer against real pipes and devices: input in
// small pieces with pauses, large blocks, and a full output device.
#include <fcntl.h>
#include <thread>
#include <unistd.h>

#include "filter_test_helpers.h"

namespace {

std::string pattern(std::size_t n) {
  std::string s(n, '\0');
  for (std::size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 131 + i / 7) & 0xff);
  return s;
}

}  // namespace

TEST(StreamIo, ShortReadsWithPausesLoseNothing) {
  const std::string data = pattern(300000);
  int in[2];
  ASSERT_EQ(::pipe(in), 0);
  std::thread feeder([&] {
    std::size_t pos = 0;
    std::size_t piece = 1;
    while (pos < data.size()) {
      std::size_t n = std::min(piece, data.size() - pos);
      ASSERT_EQ(::write(in[1], data.data() + pos, n), static_cast<ssize_t>(n));
      pos += n;
      piece = piece * 3 + 1;
      ::usleep(20000);
    }
    ::close(in[1]);
  });
  std::string out = filter_testing::captured([&](OutputWriter& w) {
    InputReader r(in[0], "test input");
    // The first bytes one at a time, then the rest as blocks.
    for (int i = 0; i < 10; ++i) w.put(static_cast<char>(r.get()));
    copyStream(r, w);
    EXPECT_EQ(r.get(), -1);
    EXPECT_EQ(r.peek(), -1);
  });
  feeder.join();
  ::close(in[0]);
  EXPECT_EQ(out.size(), data.size());
  EXPECT_TRUE(out == data);
}

TEST(StreamIo, MixedSmallAndLargeWritesKeepOrder) {
  const std::string big = pattern(kStreamBufferSize * 2 + 17);
  int fds[2];
  ASSERT_EQ(::pipe(fds), 0);
  std::string got;
  std::thread drain([&] {
    char buf[65536];
    ssize_t n;
    while ((n = ::read(fds[0], buf, sizeof buf)) > 0) got.append(buf, static_cast<std::size_t>(n));
  });
  {
    OutputWriter w(fds[1], "pipe");
    w.write("head");
    w.write(big);
    w.put('!');
    w.write(big.data(), 100);
    w.flush();
  }
  ::close(fds[1]);
  drain.join();
  ::close(fds[0]);
  EXPECT_TRUE(got == "head" + big + "!" + big.substr(0, 100));
}

TEST(StreamIo, FullDeviceThrows) {
  int fd = ::open("/dev/full", O_WRONLY);
  ASSERT_GE(fd, 0);
  OutputWriter w(fd, "standard output");
  w.write("small");
  try {
    w.flush();
    ADD_FAILURE() << "a write to /dev/full succeeded";
  } catch (const IoError& e) {
    EXPECT_NE(std::string(e.what()).find("standard output"), std::string::npos) << e.what();
  }
  EXPECT_THROW(w.write(pattern(kStreamBufferSize)), IoError);
  ::close(fd);
}

TEST(StreamIo, ReadErrorThrows) {
  int fd = ::open("/dev/null", O_WRONLY);  // not open for reading
  ASSERT_GE(fd, 0);
  InputReader r(fd, "standard input");
  EXPECT_THROW(r.get(), IoError);
  ::close(fd);
}
