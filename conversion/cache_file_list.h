// CacheFileList: the program's one list of bare cache file names, which the folder scan fills
// and the conversion run walks. It lives from start-up to the orderly exit.
#pragma once

#include "text/text.h"

namespace corvalin {

// CacheFileList becomes a new empty list (replacing any earlier one).
void createCacheFileList();
// Frees every member and the list itself; afterwards the list must not be used until created.
void releaseCacheFileList();
bool cacheFileListExists();

// The list; using it while it does not exist is a fault of the caller.
TextArray& cacheFileList();

// Appends a fresh copy of the name as the list's last member.
void appendCacheFileName(const Text& name);

}  // namespace corvalin
