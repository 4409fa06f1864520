#include "cli/progress.h"

#include <gtest/gtest.h>

#include "tests/cli/captured_stream.h"

namespace cli {
namespace {

using testing_support::CapturedStream;

// A clock the test moves by hand.
struct ManualClock {
  std::uint64_t now = 5000;
  ProgressLine::Clock Get() {
    return [this] { return now; };
  }
};

TEST(ProgressLine, AppearsAfterASecondWithDoneTotalAndThePath) {
  CapturedStream console(true);
  ManualClock clock;
  ProgressLine progress(console, clock.Get());
  clock.now += 999;
  progress.Update(17, 0, "D:\\x");
  EXPECT_EQ(console.text, "");
  clock.now += 1;
  progress.Update(17, 0, "D:\\x");  // while paths are still being found
  EXPECT_EQ(console.text, "\rfstamp: reading, 17 found D:\\x");
  clock.now += 100;
  progress.Update(1234, 100000, "C:\\照片\\a.jpg");
  EXPECT_EQ(console.text, "\rfstamp: reading, 17 found D:\\x\rfstamp: 1,234/100,000 C:\\照片\\a.jpg");
}

TEST(ProgressLine, IsRedrawnAtMostTenTimesASecond) {
  CapturedStream console(true);
  ManualClock clock;
  ProgressLine progress(console, clock.Get());
  int draws = 0;
  for (int step = 0; step < 200; ++step) {  // two seconds of updates every 10 ms
    clock.now += 10;
    const std::size_t before = console.text.size();
    progress.Update(step, 200, "p");
    if (console.text.size() != before) ++draws;
  }
  EXPECT_EQ(draws, 11);  // from the end of the first second, every 100 ms
}

TEST(ProgressLine, ALongPathIsCutFromTheFrontToStayWithinTheConsole) {
  CapturedStream console(true, 30);
  ManualClock clock;
  ProgressLine progress(console, clock.Get());
  clock.now += 1000;
  progress.Update(1, 2, "C:\\很长的文件夹名字\\another\\file.txt");
  EXPECT_EQ(console.text, "\rfstamp: 1/2 ...other\\file.txt");
}

TEST(ProgressLine, AShorterLineBlanksWhatALongerOneLeftAndClearTakesItAway) {
  CapturedStream console(true);
  ManualClock clock;
  ProgressLine progress(console, clock.Get());
  clock.now += 1000;
  progress.Update(1, 2, "C:\\abcdef");
  console.text.clear();
  clock.now += 100;
  progress.Update(2, 2, "C:\\a");
  EXPECT_EQ(console.text, "\rfstamp: 2/2 C:\\a     ");
  console.text.clear();
  progress.Clear();
  EXPECT_EQ(console.text, "\r" + std::string(21, ' ') + "\r");
}

TEST(ProgressLine, ARedirectedStreamNeverGetsIt) {
  CapturedStream file(false);
  ManualClock clock;
  {
    ProgressLine progress(file, clock.Get());
    for (int step = 0; step < 50; ++step) {
      clock.now += 500;
      progress.Update(step, 50, "p");
    }
  }
  EXPECT_EQ(file.text, "");
}

}  // namespace
}  // namespace cli
