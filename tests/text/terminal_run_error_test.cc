// The Linux run error: the box text on standard error in the terminal's encoding (UTF-8),
// then exit status 255, with nothing run at exit.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "text/text.h"

namespace corvalin {
namespace {

void markExitHandlersRan() { std::fputs("[exit handlers ran]", stderr); }

TEST(TerminalRunErrorDeathTest, WritesTheBoxTextAsUtf8AndExitsWith255) {
  // UTF-8 of 运行时出错!, 错误代码：1, 错误信息：数组成员引用下标超出定义范围
  const std::string expected =
      "\xE8\xBF\x90\xE8\xA1\x8C\xE6\x97\xB6\xE5\x87\xBA\xE9\x94\x99!\r\n\r\n"
      "\xE9\x94\x99\xE8\xAF\xAF\xE4\xBB\xA3\xE7\xA0\x81\xEF\xBC\x9A"
      "1\r\n\r\n"
      "\xE9\x94\x99\xE8\xAF\xAF\xE4\xBF\xA1\xE6\x81\xAF\xEF\xBC\x9A"
      "\xE6\x95\xB0\xE7\xBB\x84\xE6\x88\x90\xE5\x91\x98\xE5\xBC\x95\xE7\x94\xA8\xE4\xB8\x8B\xE6\xA0"
      "\x87"
      "\xE8\xB6\x85\xE5\x87\xBA\xE5\xAE\x9A\xE4\xB9\x89\xE8\x8C\x83\xE5\x9B\xB4\r\n";
  EXPECT_EXIT(
      {
        std::atexit(markExitHandlersRan);
        arrayMember(TextArray(), 1);
      },
      ::testing::ExitedWithCode(255), ::testing::Matcher<const std::string&>(expected));
}

}  // namespace
}  // namespace corvalin
