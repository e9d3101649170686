// The two steps of a folder enumeration that each operating system provides; findFile is
// written once on top of them (platform/find_file.cc).
#pragma once

#include <string>

#include "platform/file_system.h"

namespace platform {

// Opens an enumeration of a pattern that is not empty; nullptr when nothing can be enumerated.
FindHandle openFind(const char* pattern);

// The bare name of the next entry that is not a directory; "" once the enumeration is exhausted.
std::string nextMatch(FindState& state);

}  // namespace platform
