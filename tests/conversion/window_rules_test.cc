// The window system's portable rules: progress bar values, the exit list and the quit rule.
#include "platform/window_rules.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "platform/window_system.h"

namespace platform {
namespace {

TEST(ProgressBarRules, MaximumIsClampedAndRangeRunsFromSmallerToLargerEnd) {
  struct Case {
    int maximum;
    ShownProgress shown;  // with the stored position 0
  } cases[] = {
      {0, {0, 0, 0}},           {40000, {0, 32767, 0}}, {-5, {0, 0, 0}},
      {32767, {0, 32767, 0}},   {32768, {0, 32767, 0}}, {INT_MIN, {0, 0, 0}},
      {INT_MAX, {0, 32767, 0}}, {7, {0, 7, 0}},
  };
  for (const Case& c : cases) {
    const ProgressBarValues values = withProgressMaximum(ProgressBarValues{}, c.maximum);
    EXPECT_EQ(shownProgress(values), c.shown) << "maximum " << c.maximum;
  }
}

TEST(ProgressBarRules, StoredPositionIsKeptAndShownClampedIntoTheRange) {
  struct Case {
    int maximum;
    int position;
    int storedPosition;
    int shownPosition;
  } cases[] = {
      {100, 150, 150, 100},  // above the maximum: a full bar, the value is kept
      {100, 50, 50, 50},
      {100, -3, 0, 0},
      {0, 5, 5, 0},
      {40000, 40000, 32767, 32767},
      {32767, 32768, 32767, 32767},
  };
  for (const Case& c : cases) {
    ProgressBarValues values = withProgressMaximum(ProgressBarValues{}, c.maximum);
    values = withProgressPosition(values, c.position);
    EXPECT_EQ(values.position, c.storedPosition) << c.maximum << "/" << c.position;
    EXPECT_EQ(shownProgress(values).position, c.shownPosition) << c.maximum << "/" << c.position;
  }
}

TEST(ProgressBarRules, LoweringTheMaximumKeepsThePositionForALaterLargerRange) {
  resetWindowRules();
  EXPECT_EQ(storedProgressValues().maximum, 100);  // a new bar: 0..100 at 0
  storeProgressPosition(80);
  EXPECT_EQ(storeProgressMaximum(10), (ShownProgress{0, 10, 10}));
  EXPECT_EQ(storeProgressMaximum(90), (ShownProgress{0, 90, 80}));
  EXPECT_EQ(storedProgressValues().position, 80);
}

std::string calls;
void first() { calls += "1"; }
void second() { calls += "2"; }

TEST(ExitList, RunsEachRoutineOnceInRegistrationOrder) {
  resetWindowRules();
  calls.clear();
  registerExitRoutine(second);
  registerExitRoutine(first);
  registerExitRoutine(second);  // already on the list
  runExitRoutines();
  EXPECT_EQ(calls, "21");
  runExitRoutines();  // the list was used up
  EXPECT_EQ(calls, "21");
}

TEST(QuitRule, DestroyingTheLastWindowQuitsOnlyOnceTheLoopRuns) {
  resetWindowRules();
  EXPECT_FALSE(quitDueAfterWindowDestroyed(0));
  markLoopRunning();
  EXPECT_TRUE(quitDueAfterWindowDestroyed(0));
  EXPECT_FALSE(quitDueAfterWindowDestroyed(1));
}

}  // namespace
}  // namespace platform
