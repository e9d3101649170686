// The window system as the handlers and the start-up see it: one main window loaded from a
// definition table, its controls addressed by their index in that table, the message loop,
// pending events, the folder picker and the exit list. Implemented by win32/ (the real
// window) and headless/ (in memory, for tests). Texts are code page 936 bytes; a null text
// pointer is the absent text.
#pragma once

#include <string>

namespace platform {

enum class ControlKind { Label, EditBox, PushButton, ProgressBar };

// One control of the main window, with every setting it is created with.
struct ControlDefinition {
  ControlKind kind;
  const char* name;  // 编辑框1, 按钮1, ... in code page 936
  int left, top, width, height;  // client coordinates
  const char* text;  // initial text, nullptr for none
  bool visible;
  bool enabled;
  bool tabStop;
  void (*onClick)();  // nullptr: no handler bound
  int fontHeight;    // 0: the system's default GUI font; else the height asked for (negative:
                     // the character height, internal leading excluded)
  int fontWeight = 400;  // with fontHeight: normal weight unless told
};

struct WindowDefinition {
  const char* title;
  int left, top, width, height;  // the stored position is not used: the window is centred
  const ControlDefinition* controls;
  int controlCount;
  bool minimizeBox = true;
  bool maximizeBox = false;
  bool resizable = false;
};

using ControlIndex = int;  // 0-based index into WindowDefinition::controls

// Starts the window system on the UI thread: OLE (single-threaded apartment) for the folder
// picker, and the folder that holds the program file made the current directory.
void startWindowSystem();
// Releases the window system's own resources and uninitialises OLE.
void stopWindowSystem();

// Creates and shows the main window and its controls in table order; false when it cannot.
bool loadMainWindow(const WindowDefinition& window);

// Sets the loop-running flag; dispatches messages until the quit request when a window of the
// program is alive, else returns at once. Returns the quit request's code.
int runMessageLoop();

// Dispatches queued messages until the queue is empty or the next one is the quit request,
// which stays queued; never waits.
void processPendingEvents();

void setControlText(ControlIndex control, const char* text);
std::string controlText(ControlIndex control);

// Shows a progress bar's range (low..high, low <= high) and the position it displays, as
// computed by the rules of window_rules.h (values clamped to 0..32767).
void showProgress(ControlIndex control, int low, int high, int shownPosition);

// The shell's folder picker, modal; empty when cancelled or when the item has no path.
std::string browseForFolder(const char* title, bool includeFiles);

// The exit list: routines run once each, in registration order, at the orderly exit. Written
// once for every window system in window_rules.cc, with the loop-running flag and the progress
// bar's value rules that each window system applies.
void registerExitRoutine(void (*routine)());
void runExitRoutines();

}  // namespace platform
