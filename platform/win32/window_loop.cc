// The message loop, pending events and the window's keyboard rules.
#include <windows.h>

#include "platform/win32/window_state.h"
#include "platform/window_rules.h"

namespace platform::win32 {
namespace {

bool isShiftDown() { return (GetKeyState(VK_SHIFT) & 0x8000) != 0; }

// The control of the main window that has the focus, or nullptr (the window itself, or none).
HWND focusedControl(HWND window) {
  HWND focus = GetFocus();
  return focus != nullptr && GetParent(focus) == window ? focus : nullptr;
}

// Esc closes the window as its close button does; Tab and Shift+Tab move among the visible,
// enabled tab stops. Enter is left to the controls: no button is a default button.
bool applyKeyboardRule(const MSG& message) {
  HWND window = mainWindowState().window;
  if (window == nullptr || message.message != WM_KEYDOWN) return false;
  if (message.hwnd != window && GetParent(message.hwnd) != window) return false;
  switch (message.wParam) {
    case VK_ESCAPE:
      SendMessageA(window, WM_SYSCOMMAND, SC_CLOSE, 0);
      return true;
    case VK_TAB: {
      HWND next = GetNextDlgTabItem(window, focusedControl(window), isShiftDown());
      if (next != nullptr) SetFocus(next);
      return true;
    }
    default:
      return false;
  }
}

}  // namespace

void dispatchWithKeyboardRules(MSG& message) {
  if (applyKeyboardRule(message)) return;
  TranslateMessage(&message);
  DispatchMessageA(&message);
}

}  // namespace platform::win32

namespace platform {

int runMessageLoop() {
  markLoopRunning();
  if (!win32::anyWindowAlive()) return 0;
  MSG message;
  while (GetMessageA(&message, nullptr, 0, 0) > 0) win32::dispatchWithKeyboardRules(message);
  return static_cast<int>(message.wParam);
}

void processPendingEvents() {
  MSG message;
  // Look before taking: a quit request stays queued for the message loop.
  while (PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE) && message.message != WM_QUIT) {
    if (!PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) break;
    win32::dispatchWithKeyboardRules(message);
  }
}

}  // namespace platform
