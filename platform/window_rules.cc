#include "platform/window_rules.h"

#include <algorithm>
#include <vector>

#include "platform/window_system.h"

namespace platform {
namespace {

using ExitRoutine = void (*)();

struct RulesState {
  std::vector<ExitRoutine> exitList;
  bool loopRunning = false;
  bool quitRequested = false;
  ProgressBarValues progressBar;
};

RulesState& rulesState() {
  static RulesState state;
  return state;
}

}  // namespace

void resetWindowRules() { rulesState() = RulesState{}; }

void registerExitRoutine(void (*routine)()) {
  std::vector<ExitRoutine>& list = rulesState().exitList;
  if (routine == nullptr || std::find(list.begin(), list.end(), routine) != list.end()) return;
  list.push_back(routine);
}

void runExitRoutines() {
  // Taken off the list first, so that each routine runs once even if the exit runs again.
  const std::vector<ExitRoutine> routines = std::move(rulesState().exitList);
  rulesState().exitList.clear();
  for (ExitRoutine routine : routines) routine();
}

void markLoopRunning() { rulesState().loopRunning = true; }

bool isLoopRunning() { return rulesState().loopRunning; }

bool quitDueAfterWindowDestroyed(int windowsStillAlive) {
  RulesState& state = rulesState();
  const bool due = windowsStillAlive == 0 && state.loopRunning;
  if (due) state.quitRequested = true;
  return due;
}

bool isQuitRequested() { return rulesState().quitRequested; }

int clampProgressValue(int value) {
  return std::clamp(value, kProgressValueFloor, kProgressValueCeiling);
}

ProgressBarValues withProgressMaximum(ProgressBarValues values, int maximum) {
  values.maximum = clampProgressValue(maximum);
  return values;
}

ProgressBarValues withProgressPosition(ProgressBarValues values, int position) {
  values.position = clampProgressValue(position);
  return values;
}

ShownProgress shownProgress(const ProgressBarValues& values) {
  const int low = std::min(values.minimum, values.maximum);
  const int high = std::max(values.minimum, values.maximum);
  return {low, high, std::clamp(values.position, low, high)};
}

ProgressBarValues storedProgressValues() { return rulesState().progressBar; }

ShownProgress storeProgressMaximum(int maximum) {
  ProgressBarValues& bar = rulesState().progressBar;
  bar = withProgressMaximum(bar, maximum);
  return shownProgress(bar);
}

ShownProgress storeProgressPosition(int position) {
  ProgressBarValues& bar = rulesState().progressBar;
  bar = withProgressPosition(bar, position);
  return shownProgress(bar);
}

}  // namespace platform
