// The main window: created from its definition table, its controls, and the operations the
// handlers use on them.
#include <windows.h>
#include <commctrl.h>

#include "platform/win32/window_state.h"
#include "platform/window_rules.h"

namespace platform::win32 {
namespace {

constexpr const char* kWindowClass = "CorvalinMainWindow";
constexpr int kFirstControlId = 100;  // above IDOK and IDCANCEL, which dialog keys would send

struct ControlClass {
  const char* className;
  DWORD style;
  DWORD exStyle;
};

// The Win32 class and styles that give each kind of control its settings.
ControlClass controlClassOf(ControlKind kind) {
  switch (kind) {
    case ControlKind::Label:  // one line, never wrapped, cut at the edge, vertically centred
      return {"STATIC", SS_LEFTNOWORDWRAP | SS_CENTERIMAGE, 0};
    case ControlKind::EditBox:  // one line scrolling sideways, sunken border
      return {"EDIT", ES_LEFT | ES_AUTOHSCROLL, WS_EX_CLIENTEDGE};
    case ControlKind::PushButton:  // never the default button; caption centred, may wrap
      return {"BUTTON", BS_PUSHBUTTON | BS_MULTILINE | BS_CENTER | BS_VCENTER, 0};
    case ControlKind::ProgressBar:  // segmented (no PBS_SMOOTH), thin sunken border
      return {PROGRESS_CLASSA, 0, WS_EX_STATICEDGE};
  }
  return {"STATIC", 0, 0};
}

DWORD commonStyleOf(const ControlDefinition& control) {
  DWORD style = WS_CHILD;
  if (control.visible) style |= WS_VISIBLE;
  if (!control.enabled) style |= WS_DISABLED;
  if (control.tabStop) style |= WS_TABSTOP;
  return style;
}

DWORD windowStyleOf(const WindowDefinition& window) {
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
  if (window.minimizeBox) style |= WS_MINIMIZEBOX;
  if (window.maximizeBox) style |= WS_MAXIMIZEBOX;
  if (window.resizable) style |= WS_THICKFRAME;
  return style;
}

// Signed integer division, truncating toward zero: the window's outer frame centred.
int centredOrigin(int screenSize, int windowSize) { return (screenSize - windowSize) / 2; }

HFONT fontOf(MainWindowState& state, const ControlDefinition& control) {
  if (control.fontHeight == 0) return static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
  if (state.ownFont == nullptr) {
    // A negative height asks for the character height without internal leading; the system
    // picks width and face.
    state.ownFont = CreateFontA(control.fontHeight, 0, 0, 0, control.fontWeight, FALSE, FALSE,
                                FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                PROOF_QUALITY, DEFAULT_PITCH | FF_DONTCARE, nullptr);
  }
  return state.ownFont;
}

int controlIndexOf(const MainWindowState& state, HWND control) {
  for (std::size_t i = 0; i < state.controls.size(); ++i) {
    if (state.controls[i] == control) return static_cast<int>(i);
  }
  return -1;
}

const ControlDefinition* definitionOf(const MainWindowState& state, HWND control) {
  const int index = controlIndexOf(state, control);
  return index < 0 ? nullptr : &state.definition->controls[index];
}

std::string liveText(HWND control) {
  std::string text(static_cast<std::size_t>(GetWindowTextLengthA(control)) + 1, '\0');
  text.resize(static_cast<std::size_t>(GetWindowTextA(control, text.data(), static_cast<int>(text.size()))));
  return text;
}

// The window goes away with its controls; later accesses keep working on what they showed.
void keepTextsOfClosedWindow(MainWindowState& state) {
  state.textsAfterClose.clear();
  for (HWND control : state.controls) state.textsAfterClose.push_back(liveText(control));
  state.controls.clear();
  state.window = nullptr;
}

void runClickHandler(MainWindowState& state, WPARAM wParam, HWND control) {
  if (HIWORD(wParam) != BN_CLICKED) return;
  const ControlDefinition* definition = definitionOf(state, control);
  if (definition != nullptr && definition->onClick != nullptr) definition->onClick();
}

// Labels: black text over the button-face colour, with a transparent text background.
LRESULT labelColours(HDC dc) {
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkMode(dc, TRANSPARENT);
  return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

// Focus goes back to where it was when the window is activated again (after the picker).
void rememberFocus(HWND window) {
  HWND focus = GetFocus();
  if (focus != nullptr && GetParent(focus) == window) mainWindowState().focusToRestore = focus;
}

void restoreFocus(HWND window) {
  HWND remembered = mainWindowState().focusToRestore;
  HWND target = remembered != nullptr && IsWindow(remembered) ? remembered : GetNextDlgTabItem(window, nullptr, FALSE);
  if (target != nullptr) SetFocus(target);
}

LRESULT CALLBACK mainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  MainWindowState& state = mainWindowState();
  switch (message) {
    case WM_COMMAND:
      runClickHandler(state, wParam, reinterpret_cast<HWND>(lParam));
      return 0;
    case WM_CTLCOLORSTATIC: {
      const ControlDefinition* definition = definitionOf(state, reinterpret_cast<HWND>(lParam));
      if (definition != nullptr && definition->kind == ControlKind::Label) {
        return labelColours(reinterpret_cast<HDC>(wParam));
      }
      break;  // the disabled edit box keeps the platform's disabled colours
    }
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) rememberFocus(window);
      break;
    case WM_SETFOCUS:
      restoreFocus(window);
      return 0;
    case WM_DESTROY:
      keepTextsOfClosedWindow(state);
      if (quitDueAfterWindowDestroyed(0)) PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcA(window, message, wParam, lParam);
}

bool registerWindowClass() {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = mainWindowProc;
  windowClass.hInstance = GetModuleHandleA(nullptr);
  windowClass.hIcon = LoadIconA(nullptr, IDI_APPLICATION);
  windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kWindowClass;
  return RegisterClassExA(&windowClass) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
}

void showOn(HWND progressBar, const ShownProgress& shown) {
  SendMessageA(progressBar, PBM_SETRANGE32, static_cast<WPARAM>(shown.low), static_cast<LPARAM>(shown.high));
  SendMessageA(progressBar, PBM_SETPOS, static_cast<WPARAM>(shown.position), 0);
}

HWND createControl(MainWindowState& state, int index) {
  const ControlDefinition& control = state.definition->controls[index];
  const ControlClass kind = controlClassOf(control.kind);
  HWND handle = CreateWindowExA(kind.exStyle, kind.className, control.text, commonStyleOf(control) | kind.style,
                                control.left, control.top, control.width, control.height, state.window,
                                reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + index)),
                                GetModuleHandleA(nullptr), nullptr);
  if (handle == nullptr) return nullptr;
  SendMessageA(handle, WM_SETFONT, reinterpret_cast<WPARAM>(fontOf(state, control)), FALSE);
  if (control.kind == ControlKind::EditBox) SendMessageA(handle, EM_LIMITTEXT, 0, 0);  // the platform's maximum
  if (control.kind == ControlKind::ProgressBar) showOn(handle, shownProgress(storedProgressValues()));
  return handle;
}

}  // namespace

MainWindowState& mainWindowState() {
  static MainWindowState state;
  return state;
}

bool anyWindowAlive() { return mainWindowState().window != nullptr; }

void releaseWindowResources() {
  MainWindowState& state = mainWindowState();
  if (state.window != nullptr) DestroyWindow(state.window);
  if (state.ownFont != nullptr) DeleteObject(state.ownFont);
  state.ownFont = nullptr;
  UnregisterClassA(kWindowClass, GetModuleHandleA(nullptr));
}

}  // namespace platform::win32

namespace platform {

bool loadMainWindow(const WindowDefinition& definition) {
  win32::MainWindowState& state = win32::mainWindowState();
  if (!win32::registerWindowClass()) return false;
  state.definition = &definition;
  state.window = CreateWindowExA(0, win32::kWindowClass, definition.title, win32::windowStyleOf(definition),
                                 win32::centredOrigin(GetSystemMetrics(SM_CXSCREEN), definition.width),
                                 win32::centredOrigin(GetSystemMetrics(SM_CYSCREEN), definition.height),
                                 definition.width, definition.height, nullptr, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
  if (state.window == nullptr) return false;
  for (int i = 0; i < definition.controlCount; ++i) {
    HWND control = win32::createControl(state, i);
    if (control == nullptr) {
      DestroyWindow(state.window);
      return false;
    }
    state.controls.push_back(control);
  }
  ShowWindow(state.window, SW_SHOWNORMAL);
  UpdateWindow(state.window);
  win32::restoreFocus(state.window);
  return true;
}

void setControlText(ControlIndex control, const char* text) {
  win32::MainWindowState& state = win32::mainWindowState();
  const char* shown = text != nullptr ? text : "";
  if (state.window == nullptr) {
    if (control < static_cast<int>(state.textsAfterClose.size())) state.textsAfterClose[control] = shown;
    return;
  }
  HWND handle = state.controls[control];
  SetWindowTextA(handle, shown);  // an edit box raises its change notification itself
  if (state.definition->controls[control].kind == ControlKind::Label) {
    RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
  }
}

std::string controlText(ControlIndex control) {
  const win32::MainWindowState& state = win32::mainWindowState();
  if (state.window != nullptr) return win32::liveText(state.controls[control]);
  return control < static_cast<int>(state.textsAfterClose.size()) ? state.textsAfterClose[control] : std::string();
}

void showProgress(ControlIndex control, int low, int high, int shownPosition) {
  const win32::MainWindowState& state = win32::mainWindowState();
  if (state.window == nullptr) return;  // nothing left to show it on
  win32::showOn(state.controls[control], ShownProgress{low, high, shownPosition});
}

}  // namespace platform
