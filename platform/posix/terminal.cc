#include "platform/terminal.h"

#include <unistd.h>

#include <cerrno>

#include "platform/posix/gbk_edge.h"

namespace platform {
namespace {

int descriptor(Stream stream) { return stream == Stream::Output ? STDOUT_FILENO : STDERR_FILENO; }

}  // namespace

bool isTerminal(Stream stream) { return isatty(descriptor(stream)) == 1; }

void writeText(Stream stream, std::string_view systemText) {
  const std::string shown = posix::systemToUtf8(systemText);
  std::size_t written = 0;
  while (written < shown.size()) {
    const ssize_t n = write(descriptor(stream), shown.data() + written, shown.size() - written);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) return;
    written += static_cast<std::size_t>(n);
  }
}

std::string argumentText(const char* argument) {
  return posix::utf8ToSystem(argument == nullptr ? "" : argument);
}

}  // namespace platform
