// The run error at the platform edge: the one fatal stop of the program.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace platform {

// The box text for a run error: "运行时出错!\r\n\r\n", then the code line when the code is not 0,
// then the message line when the message is not empty (code page 936 bytes).
std::string composeRunErrorText(int code, std::string_view message);

// Shows the run error with the composed text (a modal box titled "错误" on Windows, standard
// error elsewhere) and ends the process with exit code -1 without running the exit list.
[[noreturn]] void endWithRunError(int code, std::string_view message);

// Run error 0 with the message "分配 %d 字节内存失败!" for `bytes` bytes.
[[noreturn]] void endWithAllocationFailure(std::size_t bytes);

// Implemented once per window system (win32: MessageBoxA then ExitProcess(-1); posix: standard
// error in the terminal's encoding then exit status 255; headless: the raw text on standard
// error without waiting for anyone, for tests).
[[noreturn]] void showRunErrorAndExit(const std::string& boxText);

}  // namespace platform
