#include "platform/code_page.h"

#include <windows.h>

#include "platform/win32/bound_function.h"

namespace platform {
namespace {

using MultiByteToWideCharFunction = int(WINAPI*)(UINT, DWORD, LPCCH, int, LPWSTR, int);
using WideCharToMultiByteFunction = int(WINAPI*)(UINT, DWORD, LPCWCH, int, LPSTR, int, LPCCH,
                                                 LPBOOL);

// Bound at the first call: the first from whichever system library exports it, the second
// from kernel32.
win32::BoundFunction<MultiByteToWideCharFunction> boundMultiByteToWideChar{"",
                                                                           "MultiByteToWideChar"};
win32::BoundFunction<WideCharToMultiByteFunction> boundWideCharToMultiByte{"kernel32.dll",
                                                                           "WideCharToMultiByte"};

}  // namespace

int multiByteToWideChar(int codePage, std::uint32_t flags, const char* input, int inputLength,
                        char* wideOutput, int outputUnits) {
  return boundMultiByteToWideChar.get()(static_cast<UINT>(codePage), flags, input, inputLength,
                                        reinterpret_cast<LPWSTR>(wideOutput), outputUnits);
}

int wideCharToMultiByte(int codePage, std::uint32_t flags, const char* wideInput, int inputUnits,
                        char* output, int outputBytes) {
  // No default character of our own: the code page's own ("?" for 936) is used.
  return boundWideCharToMultiByte.get()(static_cast<UINT>(codePage), flags,
                                        reinterpret_cast<LPCWCH>(wideInput), inputUnits, output,
                                        outputBytes, nullptr, nullptr);
}

}  // namespace platform
