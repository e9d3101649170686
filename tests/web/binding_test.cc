// Binding platform functions by name at first call (Windows build, under Wine). This binary
// runs with wininet.dll switched off, so the first web request must stop the program.
#include <gtest/gtest.h>

#include <string>

#include "platform/win32/bound_function.h"
#include "web/web_request.h"

namespace corvalin {
namespace {

using platform::win32::BoundFunction;
using NoArguments = int(WINAPI*)();

// The run error box text for code 0 and `message`.
std::string runErrorText(const std::string& message) {
  return "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!\r\n\r\n"  // 运行时出错!
         "\xB4\xED\xCE\xF3\xD0\xC5\xCF\xA2\xA3\xBA" +         // 错误信息：
         message +
         "\r\n";
}

// 无法找到指定DLL库文件“<library>”中的输出命令“<export>”
std::string missingExportOf(const std::string& library, const std::string& exportName) {
  return "\xCE\xDE\xB7\xA8\xD5\xD2\xB5\xBD\xD6\xB8\xB6\xA8"
         "DLL"
         "\xBF\xE2\xCE\xC4\xBC\xFE\xA1\xB0" +
         library + "\xA1\xB1\xD6\xD0\xB5\xC4\xCA\xE4\xB3\xF6\xC3\xFC\xC1\xEE\xA1\xB0" + exportName +
         "\xA1\xB1";
}

// 无法找到指定DLL库文件中的输出命令“<export>”
std::string missingExport(const std::string& exportName) {
  return "\xCE\xDE\xB7\xA8\xD5\xD2\xB5\xBD\xD6\xB8\xB6\xA8"
         "DLL"
         "\xBF\xE2\xCE\xC4\xBC\xFE"
         "\xD6\xD0\xB5\xC4\xCA\xE4\xB3\xF6\xC3\xFC\xC1\xEE\xA1\xB0" +
         exportName + "\xA1\xB1";
}

::testing::Matcher<const std::string&> exactly(const std::string& text) {
  return ::testing::Matcher<const std::string&>(text);
}

TEST(BindingDeathTest, MissingLibraryStopsTheProgram) {
  BoundFunction<NoArguments> missing{"corvalin_no_such_library.dll", "AnyExport"};
  EXPECT_EXIT(missing.get(), ::testing::ExitedWithCode(-1),
              exactly(runErrorText(missingExportOf("corvalin_no_such_library.dll", "AnyExport"))));
}

TEST(BindingDeathTest, MissingExportStopsTheProgram) {
  BoundFunction<NoArguments> missing{"kernel32.dll", "CorvalinNoSuchExport"};
  EXPECT_EXIT(missing.get(), ::testing::ExitedWithCode(-1),
              exactly(runErrorText(missingExportOf("kernel32.dll", "CorvalinNoSuchExport"))));
}

TEST(BindingDeathTest, ExportMissingFromEverySystemLibraryStopsTheProgram) {
  BoundFunction<NoArguments> missing{"", "CorvalinNoSuchExport"};
  EXPECT_EXIT(missing.get(), ::testing::ExitedWithCode(-1),
              exactly(runErrorText(missingExport("CorvalinNoSuchExport"))));
}

TEST(BindingDeathTest, FirstWebRequestStopsWithoutWininet) {
  EXPECT_EXIT(fetchPage("http://127.0.0.1:1/m/song?id=1"), ::testing::ExitedWithCode(-1),
              exactly(runErrorText(missingExportOf("wininet.dll", "InternetOpenA"))));
}

TEST(Binding, SystemLibrariesAreSearchedWhenNoneIsNamed) {
  BoundFunction<NoArguments> tickCount{"", "GetTickCount"};
  EXPECT_NE(tickCount.get(), nullptr);
  EXPECT_GT(tickCount.get()(), 0);
}

}  // namespace
}  // namespace corvalin
