// The entry sequence and the orderly exit on the in-memory window system.
#include "app/program.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "conversion/cache_file_list.h"
#include "conversion/main_window_controls.h"
#include "platform/headless/headless_window.h"
#include "tests/conversion/run_error_exit.h"
#include "tests/conversion/temp_folder.h"

namespace corvalin {
namespace {

namespace headless = platform::headless;
using testing::TempFolder;

int exitRoutineRuns = 0;
void countExitRoutine() { ++exitRoutineRuns; }

TEST(Program, ClosingTheWindowEndsTheLoopAndTheExitReleasesTheListOnce) {
  TempFolder folder;
  folder.write("1-a.uc", "");
  folder.write("2-b.uc", "");
  headless::reset();
  exitRoutineRuns = 0;
  platform::registerExitRoutine(countExitRoutine);
  headless::queuePickerAnswer(folder.systemPath());
  headless::queueClick(kBrowseButton);
  headless::queueCloseRequest();

  EXPECT_EQ(programStart(), 0);
  EXPECT_FALSE(headless::windowAlive());
  EXPECT_EQ(arraySize(cacheFileList()), 2) << "the list lives until the orderly exit";
  EXPECT_TRUE(headless::windowSystemStarted());

  EXPECT_EQ(finishProgram(), 0);
  EXPECT_FALSE(cacheFileListExists());
  EXPECT_FALSE(headless::windowSystemStarted());
  EXPECT_EQ(exitRoutineRuns, 1);
  finishProgram();
  EXPECT_EQ(exitRoutineRuns, 1) << "the exit list runs once";
}

TEST(Program, TheLoadedWindowShowsTheTablesTexts) {
  headless::reset();
  headless::queueCloseRequest();
  EXPECT_EQ(runProgram(), 0);
  EXPECT_EQ(platform::controlText(kCaptionLabel), "\xBB\xBA\xB4\xE6\xC4\xBF\xC2\xBC");  // 缓存目录
  EXPECT_EQ(platform::controlText(kFolderEdit), "");
  EXPECT_TRUE(headless::textHistory(kStatusLabel).empty());
}

// The exit list must not run after a run error: a routine on it would leave this file behind.
void leaveMarker() {
  if (std::FILE* marker = std::fopen("exit-list-ran.marker", "w")) std::fclose(marker);
}

TEST(ProgramDeathTest, AWindowThatCannotBeLoadedIsARunErrorThatSkipsTheExitList) {
  std::remove("exit-list-ran.marker");
  EXPECT_EXIT(
      {
        headless::reset();
        platform::registerExitRoutine(leaveMarker);
        headless::failNextWindowLoad();
        runProgram();
      },
      testing::endedByRunError,
      "\xD4\xD8\xC8\xEB\xC6\xF4\xB6\xAF\xB4\xB0\xBF\xDA\xCA\xA7\xB0\xDC");  // 载入启动窗口失败
  std::FILE* marker = std::fopen("exit-list-ran.marker", "r");
  EXPECT_EQ(marker, nullptr);
  if (marker != nullptr) std::fclose(marker);
}

}  // namespace
}  // namespace corvalin
