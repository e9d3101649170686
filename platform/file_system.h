// The file system as the folder scan and the conversion run need it. Paths and names are code
// page 936 bytes with "\" as the separator, whatever the operating system; an empty folder part
// means the root of the current drive.
#pragma once

#include <string>

namespace platform {

// The open state of one folder enumeration; each operating system defines its own.
struct FindState;
using FindHandle = FindState*;  // nullptr: no enumeration open

// A non-empty pattern closes an open enumeration and starts one of the pattern ("folder\*.uc",
// wildcards matched without regard to case); an empty or null pattern continues the open one
// and yields "" at once when none is open. Directories are skipped; the next other entry's
// bare name is returned. When nothing (more) matches or the folder cannot be read, the
// enumeration is closed, the handle becomes nullptr and the result is "".
std::string findFile(const char* pattern, FindHandle& handle);

// Closes the enumeration if one is open; the handle becomes nullptr.
void closeFind(FindHandle& handle);

// Copies the whole file, replacing an existing target; the source is never changed and a
// failed copy leaves no partial target behind. False when the copy failed.
bool copyFile(const char* source, const char* target);

// True when the path names an existing folder.
bool isFolder(const char* path);

}  // namespace platform
