// The run error on Windows: a modal box with no owner, then the process ends with exit code
// -1 at once, so the exit list never runs.
#include <windows.h>

#include "platform/run_error.h"

namespace platform {
namespace {

constexpr const char* kTitle = "\xB4\xED\xCE\xF3";  // 错误

}  // namespace

void showRunErrorAndExit(const std::string& boxText) {
  MessageBoxA(nullptr, boxText.c_str(), kTitle, MB_ICONERROR | MB_OK);
  ExitProcess(static_cast<UINT>(-1));
}

}  // namespace platform
