// State shared by the pieces of the Win32 window system: the one main window, its controls in
// table order, the one font of its own, and what the controls held when the window went away.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "platform/window_system.h"

namespace platform::win32 {

struct MainWindowState {
  const WindowDefinition* definition = nullptr;
  HWND window = nullptr;
  std::vector<HWND> controls;  // index = ControlIndex
  HFONT ownFont = nullptr;     // the one control font that is not the default GUI font
  HWND focusToRestore = nullptr;  // the control that had the focus when the window went inactive
  // Filled when the window is destroyed: control accesses afterwards read and write these.
  std::vector<std::string> textsAfterClose;
};

MainWindowState& mainWindowState();

// Whether a window of the program is alive (the main window is its only one).
bool anyWindowAlive();
// Destroys a window still alive and releases the font and window class of the program.
void releaseWindowResources();

// Dispatches one message, with the window's own keyboard rules (Tab, Shift+Tab, Esc) applied.
void dispatchWithKeyboardRules(MSG& message);

}  // namespace platform::win32
