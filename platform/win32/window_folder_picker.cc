// The shell's folder picker.

#include <windows.h>
// The headers below build on windows.h.
#include <shlobj.h>

#include "platform/window_system.h"

namespace platform {

std::string browseForFolder(const char* title, bool includeFiles) {
  char displayName[MAX_PATH] = "";
  BROWSEINFOA request{};
  request.hwndOwner = GetActiveWindow();  // disabled while the picker is open
  request.pszDisplayName = displayName;
  request.lpszTitle = title;
  request.ulFlags = BIF_EDITBOX | (includeFiles ? BIF_BROWSEINCLUDEFILES : 0u);
  LPITEMIDLIST item = SHBrowseForFolderA(&request);
  if (item == nullptr) return {};
  char path[MAX_PATH] = "";
  std::string folder = SHGetPathFromIDListA(item, path) ? path : "";
  IMalloc* shellAllocator = nullptr;
  if (SUCCEEDED(SHGetMalloc(&shellAllocator))) {
    shellAllocator->Free(item);
    shellAllocator->Release();
  }
  return folder;
}

}  // namespace platform
