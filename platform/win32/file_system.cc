#include "platform/file_system.h"
#include "platform/find_enumeration.h"

#include <windows.h>

#include <new>

#include "platform/run_error.h"

namespace platform {

struct FindState {
  HANDLE handle = INVALID_HANDLE_VALUE;
  WIN32_FIND_DATAA entry{};
  bool entryPending = false;  // FindFirstFileA's entry has not been handed out yet
};

FindHandle openFind(const char* pattern) {
  WIN32_FIND_DATAA first{};
  const HANDLE found = FindFirstFileA(pattern, &first);
  if (found == INVALID_HANDLE_VALUE) return nullptr;
  auto* state = new (std::nothrow) FindState;
  if (state == nullptr) {
    FindClose(found);
    endWithAllocationFailure(sizeof(FindState));
  }
  state->handle = found;
  state->entry = first;
  state->entryPending = true;
  return state;
}

namespace {

bool nextEntry(FindState& state) {
  if (state.entryPending) {
    state.entryPending = false;
    return true;
  }
  return FindNextFileA(state.handle, &state.entry) != 0;
}

}  // namespace

std::string nextMatch(FindState& state) {
  while (nextEntry(state)) {
    if ((state.entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) == 0) return state.entry.cFileName;
  }
  return {};
}

void closeFind(FindHandle& handle) {
  if (handle == nullptr) return;
  FindClose(handle->handle);
  delete handle;
  handle = nullptr;
}

bool copyFile(const char* source, const char* target) {
  return CopyFileA(source, target, FALSE) != 0;
}

bool isFolder(const char* path) {
  const DWORD attributes = GetFileAttributesA(path);
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

}  // namespace platform
