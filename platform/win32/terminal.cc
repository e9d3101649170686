// The console shows the bytes in its code page, which is the ANSI code page 936 on the systems
// this program is made for; arguments arrive in the ANSI code page already.
#include "platform/terminal.h"

#include <windows.h>

namespace platform {
namespace {

HANDLE handleOf(Stream stream) {
  return GetStdHandle(stream == Stream::Output ? STD_OUTPUT_HANDLE : STD_ERROR_HANDLE);
}

}  // namespace

bool isTerminal(Stream stream) { return GetFileType(handleOf(stream)) == FILE_TYPE_CHAR; }

void writeText(Stream stream, std::string_view systemText) {
  DWORD written = 0;
  WriteFile(handleOf(stream), systemText.data(), static_cast<DWORD>(systemText.size()), &written,
            nullptr);
}

std::string argumentText(const char* argument) { return argument == nullptr ? "" : argument; }

}  // namespace platform
