// Platform functions bound by library and export name when first called.
//
// A library name without ":" is looked for in the program's folder first, then through the
// ordinary library search; a name with ":" is loaded from that path. An empty library name
// tries the system libraries Kernel32, Gdi32, User32, Advapi32, Mpr and Shell32 in that order.
// An export written "#n" names ordinal n. A library or export that cannot be bound is the
// run error, with the library and export named in its message.
#pragma once

#include <windows.h>

namespace platform::win32 {

// The address of `exportName` in `library`; does not return when it cannot be bound.
FARPROC bindExport(const char* library, const char* exportName);

template <class Function>
class BoundFunction {
 public:
  constexpr BoundFunction(const char* library, const char* exportName)
      : library_(library), exportName_(exportName) {}

  Function get() {
    if (address_ == nullptr) {
      address_ = reinterpret_cast<Function>(reinterpret_cast<void*>(bindExport(library_, exportName_)));
    }
    return address_;
  }

 private:
  const char* library_;
  const char* exportName_;
  Function address_ = nullptr;
};

}  // namespace platform::win32
