// Started by the GUI driver from a folder whose name ends in 誠 (D5 5C: its second byte is
// "\"): once the window system has started, the current directory must be the whole folder
// that holds this program. Exit code 0 when it is.
#include <windows.h>

#include <cstdio>
#include <string>

#include "platform/window_system.h"

int main() {
  platform::startWindowSystem();
  char current[MAX_PATH] = "";
  char module[MAX_PATH] = "";
  GetCurrentDirectoryA(MAX_PATH, current);
  GetModuleFileNameA(nullptr, module, MAX_PATH);
  platform::stopWindowSystem();
  const std::string expectedModule = std::string(current) + "\\folder_check.exe";
  const std::string folderName = "\\\xD5\x5C";  // \誠
  const std::string folder(current);
  const bool endsInFolder =
      folder.size() >= folderName.size() &&
      folder.compare(folder.size() - folderName.size(), folderName.size(), folderName) == 0;
  if (endsInFolder && _stricmp(expectedModule.c_str(), module) == 0) return 0;
  std::fprintf(stderr, "current directory \"%s\", program \"%s\"\n", current, module);
  return 1;
}
