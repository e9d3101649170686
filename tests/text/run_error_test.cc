// Run errors end the process at once with exit status -1 after showing the box text, and
// nothing registered to run at exit runs. Test binaries show the box on standard error.
#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

#include "tests/text/address_space.h"
#include "text/text.h"

namespace corvalin {
namespace {

#ifdef _WIN32
constexpr int kRunErrorExitStatus = -1;
#else
constexpr int kRunErrorExitStatus = 255;  // -1 as the low byte of a POSIX exit status
#endif

#define HEADING "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!"       // 运行时出错!
#define CODE_LABEL "\xB4\xED\xCE\xF3\xB4\xFA\xC2\xEB\xA3\xBA"     // 错误代码：
#define MESSAGE_LABEL "\xB4\xED\xCE\xF3\xD0\xC5\xCF\xA2\xA3\xBA"  // 错误信息：
// 数组成员引用下标超出定义范围
#define INDEX_ABOVE_SIZE                                                                         \
  "\xCA\xFD\xD7\xE9\xB3\xC9\xD4\xB1\xD2\xFD\xD3\xC3\xCF\xC2\xB1\xEA\xB3\xAC\xB3\xF6\xB6\xA8\xD2" \
  "\xE5\xB7\xB6\xCE\xA7"
// 数组成员引用下标必须大于等于1
#define INDEX_BELOW_ONE                                                                          \
  "\xCA\xFD\xD7\xE9\xB3\xC9\xD4\xB1\xD2\xFD\xD3\xC3\xCF\xC2\xB1\xEA\xB1\xD8\xD0\xEB\xB4\xF3\xD3" \
  "\xDA\xB5\xC8\xD3\xDA"                                                                         \
  "1"
// 分配 2147483648 字节内存失败!
#define ALLOCATION_FAILED_2G \
  "\xB7\xD6\xC5\xE4 2147483648 \xD7\xD6\xBD\xDA\xC4\xDA\xB4\xE6\xCA\xA7\xB0\xDC!"

// Anything that ran at exit would add this to the captured text and spoil the exact match.
void markExitHandlersRan() { std::fputs("[exit handlers ran]", stderr); }

TextArray arrayOfTwo() {
  TextArray array;
  arrayAppend(array, "a");
  arrayAppend(array, "b");
  return array;
}

void expectRunError(const std::function<void()>& raise, const std::string& expectedBox) {
  EXPECT_EXIT(
      {
        std::atexit(markExitHandlersRan);
        raise();
        std::fputs("[returned from a run error]", stderr);
      },
      ::testing::ExitedWithCode(kRunErrorExitStatus),
      ::testing::Matcher<const std::string&>(expectedBox));
}

struct RunErrorCase {
  const char* what;
  std::function<void()> raise;
  std::string expectedBox;
};

TEST(RunErrorDeathTest, ShowsTheExactBoxTextAndEndsWithMinusOne) {
  const RunErrorCase cases[] = {
      {"index 1 of an empty array", [] { arrayMember(TextArray(), 1); },
       HEADING "\r\n\r\n" CODE_LABEL "1\r\n\r\n" MESSAGE_LABEL INDEX_ABOVE_SIZE "\r\n"},
      {"index 0 of an empty array", [] { arrayMember(TextArray(), 0); },
       HEADING "\r\n\r\n" CODE_LABEL "4\r\n\r\n" MESSAGE_LABEL INDEX_BELOW_ONE "\r\n"},
      {"index -5", [] { arrayMember(arrayOfTwo(), -5); },
       HEADING "\r\n\r\n" CODE_LABEL "4\r\n\r\n" MESSAGE_LABEL INDEX_BELOW_ONE "\r\n"},
      {"index size + 1", [] { arrayMember(arrayOfTwo(), 3); },
       HEADING "\r\n\r\n" CODE_LABEL "1\r\n\r\n" MESSAGE_LABEL INDEX_ABOVE_SIZE "\r\n"},
      {"code 0, empty message", [] { raiseRunError(0, Text()); }, HEADING "\r\n\r\n"},
      {"code 0, a message", [] { raiseRunError(0, "x"); },
       HEADING "\r\n\r\n" MESSAGE_LABEL "x\r\n"},
      {"a code, empty message", [] { raiseRunError(-7, ""); },
       HEADING "\r\n\r\n" CODE_LABEL "-7\r\n\r\n"},
  };
  for (const RunErrorCase& c : cases) {
    SCOPED_TRACE(c.what);
    expectRunError(c.raise, c.expectedBox);
  }
}

TEST(RunErrorDeathTest, ExhaustedMemoryNamesTheBytesAskedForWithoutACode) {
  if (!testing_support::canCapAddressSpace()) GTEST_SKIP() << "2 GB may really be had here";
  // blankText(INT_MAX) asks for its spaces and the terminating zero byte.
  expectRunError(
      [] {
        testing_support::capAddressSpace();
        blankText(INT_MAX);
      },
      HEADING "\r\n\r\n" MESSAGE_LABEL ALLOCATION_FAILED_2G "\r\n");
}

TEST(RunErrorDeathTest, MemberAtTheSizeIsNoError) {
  EXPECT_EQ(arrayMember(arrayOfTwo(), 2), Text("b"));
}

}  // namespace
}  // namespace corvalin
