#include "app/code_page_check.h"

#include <gtest/gtest.h>

#include "tests/support/message_recorder.h"

namespace app {
namespace {

TEST(CodePageCheck, OnlyAUtf8CodePageLetsTheProgramStart) {
  for (const UINT codePage : {UINT{936}, UINT{1252}, UINT{CP_UTF8}}) {
    SCOPED_TRACE(codePage);
    ScopedCodePage seam([&] { return codePage; });
    testing_support::MessageRecorder boxes;
    const bool utf8 = codePage == CP_UTF8;
    EXPECT_EQ(EnsureUtf8CodePage(), utf8);
    ASSERT_EQ(boxes.shown().size(), utf8 ? 0u : 1u);
    if (!utf8) {
      EXPECT_EQ(boxes.shown()[0].text, MessageRowOf(Message::kSystemTooOld).text);
      EXPECT_EQ(boxes.shown()[0].title, "错误");
      EXPECT_EQ(boxes.shown()[0].owner, nullptr);  // before any window
    }
  }
}

}  // namespace
}  // namespace app
