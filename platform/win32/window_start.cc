// Start and stop of the Win32 window system.

#include <windows.h>
// The headers below build on windows.h.
#include <commctrl.h>
#include <ole2.h>

#include "platform/win32/program_folder.h"
#include "platform/win32/window_state.h"
#include "platform/window_rules.h"

namespace platform {

void startWindowSystem() {
  resetWindowRules();
  OleInitialize(nullptr);  // single-threaded apartment, which the folder picker needs
  SetCurrentDirectoryA(win32::programFolder().c_str());
  INITCOMMONCONTROLSEX classes{sizeof(INITCOMMONCONTROLSEX), ICC_PROGRESS_CLASS};
  InitCommonControlsEx(&classes);
}

void stopWindowSystem() {
  win32::releaseWindowResources();
  OleUninitialize();
}

}  // namespace platform
