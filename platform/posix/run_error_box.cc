// The run error on Linux: the box text on standard error in the terminal's encoding, then
// exit status 255 (-1) at once, without the exit list or atexit handlers.
#include <unistd.h>

#include <cerrno>

#include "platform/posix/gbk_edge.h"
#include "platform/run_error.h"

namespace platform {

void showRunErrorAndExit(const std::string& boxText) {
  const std::string shown = posix::systemToUtf8(boxText);
  std::size_t written = 0;
  while (written < shown.size()) {
    const ssize_t n = ::write(STDERR_FILENO, shown.data() + written, shown.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    written += static_cast<std::size_t>(n);
  }
  ::_exit(255);
}

}  // namespace platform
