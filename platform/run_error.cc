#include "platform/run_error.h"

#include <string>

namespace platform {
namespace {

// Code page 936 bytes of the box's fixed texts.
constexpr std::string_view kRunErrorHeading = "\xD4\xCB\xD0\xD0\xCA\xB1\xB3\xF6\xB4\xED!";   // 运行时出错!
constexpr std::string_view kCodeLabel = "\xB4\xED\xCE\xF3\xB4\xFA\xC2\xEB\xA3\xBA";         // 错误代码：
constexpr std::string_view kMessageLabel = "\xB4\xED\xCE\xF3\xD0\xC5\xCF\xA2\xA3\xBA";      // 错误信息：
constexpr std::string_view kAllocationFailed =                                               // 分配 %d 字节内存失败!
    "\xB7\xD6\xC5\xE4 %d \xD7\xD6\xBD\xDA\xC4\xDA\xB4\xE6\xCA\xA7\xB0\xDC!";

}  // namespace

std::string composeRunErrorText(int code, std::string_view message) {
  std::string box(kRunErrorHeading);
  box += "\r\n\r\n";
  if (code != 0) {
    box += kCodeLabel;
    box += std::to_string(code);
    box += "\r\n\r\n";
  }
  if (!message.empty()) {
    box += kMessageLabel;
    box += message;
    box += "\r\n";
  }
  return box;
}

void endWithRunError(int code, std::string_view message) {
  showRunErrorAndExit(composeRunErrorText(code, message));
}

void endWithAllocationFailure(std::size_t bytes) {
  // Built without allocating through the failing allocator: std::string uses operator new,
  // and the text is short.
  std::string message(kAllocationFailed);
  message.replace(message.find("%d"), 2, std::to_string(bytes));
  endWithRunError(0, message);
}

}  // namespace platform
