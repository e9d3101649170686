// The run error for test binaries: the box text goes to standard error as raw code page 936
// bytes, so that a death test can compare it byte for byte, and nobody has to close a box.
#include <cstdio>
#include <cstdlib>

#include "platform/run_error.h"

namespace platform {

void showRunErrorAndExit(const std::string& boxText) {
  std::fwrite(boxText.data(), 1, boxText.size(), stderr);
  std::fflush(stderr);
  // _Exit skips atexit handlers and static destructors: nothing of the program runs after a
  // run error.
  std::_Exit(-1);
}

}  // namespace platform
