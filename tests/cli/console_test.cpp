#include "cli/console.h"

#include <gtest/gtest.h>

#include <windows.h>

#include "core/win_handles.h"

namespace cli {
namespace {

struct Pipe {
  core::UniqueFileHandle read;
  core::UniqueFileHandle write;
  Pipe() { CreatePipe(read.put(), write.put(), nullptr, 0); }
  // What is in the pipe now, without waiting for more.
  std::string Available() const {
    DWORD size = 0;
    PeekNamedPipe(read.get(), nullptr, 0, nullptr, &size, nullptr);
    std::string bytes(size, '\0');
    DWORD got = 0;
    if (size > 0) ReadFile(read.get(), bytes.data(), size, &got, nullptr);
    bytes.resize(got);
    return bytes;
  }
};

TEST(HandleStream, APipeIsNoConsoleAndGetsTheUtf8BytesExactly) {
  Pipe pipe;
  HandleStream stream(pipe.write.get());
  EXPECT_FALSE(stream.IsConsole());
  stream.Write("path,size\r\n");
  stream.Write("照片.jpg,1\r\n");
  stream.Flush();
  EXPECT_EQ(pipe.Available(), "path,size\r\n照片.jpg,1\r\n");
}

TEST(HandleStream, TextForAPipeWaitsForFlush) {
  Pipe pipe;
  HandleStream stream(pipe.write.get());
  stream.Write("a line\n");
  EXPECT_EQ(pipe.Available(), "");
  stream.Flush();
  EXPECT_EQ(pipe.Available(), "a line\n");
}

}  // namespace
}  // namespace cli
