#include "platform/win32/bound_function.h"

#include <cstdlib>
#include <string>
#include <string_view>

#include "platform/run_error.h"
#include "platform/win32/program_folder.h"

namespace platform::win32 {
namespace {

// 无法找到指定DLL库文件“%s”中的输出命令“%s”
constexpr std::string_view kMissingExportOfLibrary =
    "\xCE\xDE\xB7\xA8\xD5\xD2\xB5\xBD\xD6\xB8\xB6\xA8" "DLL" "\xBF\xE2\xCE\xC4\xBC\xFE"
    "\xA1\xB0%s\xA1\xB1\xD6\xD0\xB5\xC4\xCA\xE4\xB3\xF6\xC3\xFC\xC1\xEE\xA1\xB0%s\xA1\xB1";
// 无法找到指定DLL库文件中的输出命令“%s”
constexpr std::string_view kMissingExport =
    "\xCE\xDE\xB7\xA8\xD5\xD2\xB5\xBD\xD6\xB8\xB6\xA8" "DLL" "\xBF\xE2\xCE\xC4\xBC\xFE"
    "\xD6\xD0\xB5\xC4\xCA\xE4\xB3\xF6\xC3\xFC\xC1\xEE\xA1\xB0%s\xA1\xB1";

constexpr const char* kSystemLibraries[] = {"Kernel32.dll", "Gdi32.dll",   "User32.dll",
                                            "Advapi32.dll", "Mpr.dll", "Shell32.dll"};

std::string fillPlaceholders(std::string_view format, std::string_view first,
                             std::string_view second = {}) {
  std::string out(format);
  for (std::string_view value : {first, second}) {
    const std::size_t at = out.find("%s");
    if (at == std::string::npos) break;
    out.replace(at, 2, value);
  }
  return out;
}

HMODULE loadLibrary(const char* library) {
  const std::string_view name(library);
  if (name.find(':') != std::string_view::npos) return LoadLibraryA(library);
  const std::string besideProgram = programFolder() + "\\" + library;
  if (HMODULE module = LoadLibraryA(besideProgram.c_str())) return module;
  return LoadLibraryA(library);
}

FARPROC lookUpExport(HMODULE module, const char* exportName) {
  if (exportName[0] == '#') {
    const unsigned long ordinal = std::strtoul(exportName + 1, nullptr, 10) & 0xFFFFu;
    return GetProcAddress(module, MAKEINTRESOURCEA(ordinal));
  }
  return GetProcAddress(module, exportName);
}

FARPROC bindFromSystemLibraries(const char* exportName) {
  for (const char* library : kSystemLibraries) {
    HMODULE module = loadLibrary(library);
    if (module == nullptr) continue;
    if (FARPROC address = lookUpExport(module, exportName)) return address;
    FreeLibrary(module);
  }
  endWithRunError(0, fillPlaceholders(kMissingExport, exportName));
}

}  // namespace

FARPROC bindExport(const char* library, const char* exportName) {
  if (library[0] == '\0') return bindFromSystemLibraries(exportName);
  HMODULE module = loadLibrary(library);
  FARPROC address = module != nullptr ? lookUpExport(module, exportName) : nullptr;
  if (address == nullptr) endWithRunError(0, fillPlaceholders(kMissingExportOfLibrary, library, exportName));
  return address;
}

}  // namespace platform::win32
