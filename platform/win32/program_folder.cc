#include "platform/win32/program_folder.h"

#include <windows.h>

namespace platform::win32 {

std::size_t lastSeparator(std::string_view path) {
  std::size_t found = std::string_view::npos;
  for (std::size_t i = 0; i < path.size(); ++i) {
    const auto byte = static_cast<unsigned char>(path[i]);
    if (byte >= 0x80) {
      ++i;  // the second byte of a two-byte character
    } else if (byte == '\\') {
      found = i;
    }
  }
  return found;
}

std::string programFolder() {
  std::string path(MAX_PATH, '\0');
  for (;;) {
    const DWORD n = GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  const std::size_t cut = lastSeparator(path);
  return cut == std::string_view::npos ? std::string() : path.substr(0, cut);
}

}  // namespace platform::win32
