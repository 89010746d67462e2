#include "platform/core/log.h"

#include <gtest/gtest.h>

namespace ox::platform {
namespace {

TEST(LogLine, WritesOnePrefixedLineEvenForMultiLineText) {
  testing::internal::CaptureStderr();
  LogLine("missing game file\r\nsecond part");
  LogLine("");
  EXPECT_EQ(testing::internal::GetCapturedStderr(),
            "oxplayer: missing game file  second part\noxplayer: \n");
}

}  // namespace
}  // namespace ox::platform
