// The window system's rules that do not depend on the operating system, kept in one place for
// every window system (win32, headless, the command line's): the exit list, the loop-running
// flag with the quit rule it drives, and the progress bar's value rules.
#pragma once

namespace platform {

// ---- Exit list (registerExitRoutine and runExitRoutines of window_system.h live here) ----

// Back to the state at process start: an empty exit list, the loop-running flag clear and a
// new progress bar. A window system calls it when it starts; tests between scripted sessions.
void resetWindowRules();

// ---- Loop-running flag ----

void markLoopRunning();
bool isLoopRunning();

// After a window of the program has been destroyed: true when the quit request is to be
// posted now, that is when no window is left and the loop has started.
// Remembers a due quit request for isQuitRequested.
bool quitDueAfterWindowDestroyed(int windowsStillAlive);
// Whether the quit request has been posted: the window is gone and the program is ending, so
// a conversion run stops after the entry it is on.
bool isQuitRequested();

// ---- Progress bar ----

// Bounds every progress value (minimum, maximum, position) is clamped into.
inline constexpr int kProgressValueFloor = 0;
inline constexpr int kProgressValueCeiling = 32767;

// The three values a progress bar stores; a new bar has range 0..100 and position 0.
struct ProgressBarValues {
  int minimum = 0;
  int maximum = 100;
  int position = 0;
};

// What the bar shows: its range from the smaller to the larger end, and the stored position
// clamped into that range.
struct ShownProgress {
  int low = 0;
  int high = 0;
  int position = 0;
  friend bool operator==(const ShownProgress&, const ShownProgress&) = default;
};

int clampProgressValue(int value);
// The maximum is stored clamped; the stored position is kept as it is.
ProgressBarValues withProgressMaximum(ProgressBarValues values, int maximum);
ProgressBarValues withProgressPosition(ProgressBarValues values, int position);
ShownProgress shownProgress(const ProgressBarValues& values);

// The values stored for the main window's one progress bar; each setter stores by the rules
// above and returns what the bar is to show.
ProgressBarValues storedProgressValues();
ShownProgress storeProgressMaximum(int maximum);
ShownProgress storeProgressPosition(int position);

}  // namespace platform
