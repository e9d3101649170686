// The Browse and Start handlers on the in-memory window system, against real folders and the
// project's song service on loopback.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "app/main_window.h"
#include "conversion/cache_file_list.h"
#include "conversion/conversion_run.h"
#include "conversion/folder_scan.h"
#include "conversion/main_window_controls.h"
#include "lookup/song_title.h"
#include "platform/headless/headless_window.h"
#include "tests/conversion/run_error_exit.h"
#include "tests/conversion/temp_folder.h"
#include "tests/conversion/test_catalogue.h"

namespace corvalin {
namespace {

using testing::TempFolder;
namespace headless = platform::headless;

const std::string kDone = "\xCD\xEA\xB3\xC9";  // 完成
const std::string kPickerTitle =
    "\xD1\xA1\xD4\xF1\xBB\xBA\xB4\xE6\xC4\xBF\xC2\xBC";  // 选择缓存目录
std::string countLine(int n) {
  return "\xB9\xB2" + std::to_string(n) +
         "\xCA\xD7\xB8\xE8\xC7\xFA\xBB\xBA\xB4\xE6";  // 共n首歌曲缓存
}

using testing::kChineseOnDisk;
using testing::kRain;
using testing::kSunny;
using testing::kTwin;
using testing::kWind;

class Conversion : public testing::WithTestSongService {
 protected:
  void browse(const std::string& folder) {
    headless::queuePickerAnswer(folder);
    scanCacheFolder();
  }
  std::string status() { return platform::controlText(kStatusLabel); }
  std::vector<std::string> statusHistory() { return headless::textHistory(kStatusLabel); }
  std::multiset<std::string> listed() {
    std::multiset<std::string> names;
    for (const Text& name : cacheFileList()) names.insert(name.str());
    return names;
  }

};

TEST_F(Conversion, ScanListsCacheFilesButNotOtherFilesOrFolders) {
  TempFolder folder;
  folder.write("123456-320-abc.uc", "");
  folder.write("789.UC", "");
  folder.write("notes.txt", "");
  folder.makeFolder("old.uc");
  browse(folder.systemPath());
  EXPECT_EQ(headless::pickerTitles(), std::vector<std::string>{kPickerTitle});
  EXPECT_EQ(platform::controlText(kFolderEdit), folder.systemPath());
  EXPECT_EQ(listed(), (std::multiset<std::string>{"123456-320-abc.uc", "789.UC"}));
  EXPECT_EQ(status(), countLine(2));
}

TEST_F(Conversion, AFolderWithoutCacheFilesCountsZero) {
  TempFolder folder;
  folder.write("notes.txt", "");
  browse(folder.systemPath());
  EXPECT_EQ(status(), countLine(0));
  EXPECT_EQ(arraySize(cacheFileList()), 0);
}

TEST_F(Conversion, CancellingThePickerEmptiesTheFolderAndScansTheRoot) {
  TempFolder folder;
  folder.write("1001.uc", "");
  browse(folder.systemPath());
  browse("");  // cancelled
  EXPECT_EQ(platform::controlText(kFolderEdit), "");
  EXPECT_EQ(status(), countLine(arraySize(cacheFileList())));
  EXPECT_EQ(listed().count("1001.uc"), 0u) << "the earlier folder's names are gone";
}

TEST_F(Conversion, AFolderTextEndingInTheSeparatorIsKeptAndStillWorks) {
  TempFolder folder;
  folder.write("1001-x.uc", "sun");
  const std::string withSeparator = folder.systemPath() + "\\";
  browse(withSeparator);
  EXPECT_EQ(platform::controlText(kFolderEdit), withSeparator);
  EXPECT_EQ(status(), countLine(1));
  convertAll();
  EXPECT_EQ(folder.read(kSunny), "sun");
}

TEST_F(Conversion, ASecondBrowseStartsFromAnEmptyList) {
  TempFolder first, second;
  first.write("1001-a.uc", "");
  first.write("1002-b.uc", "");
  second.write("1003-c.uc", "");
  browse(first.systemPath());
  browse(second.systemPath());
  EXPECT_EQ(listed(), std::multiset<std::string>{"1003-c.uc"});
  EXPECT_EQ(status(), countLine(1));
  convertAll();
  EXPECT_EQ(second.entries(), (std::set<std::string>{"1003-c.uc", kWind}));
  EXPECT_FALSE(first.has(kSunny));
}

TEST(SongIdFromFileName, IsTheTextBeforeTheFirstDash) {
  const struct {
    const char* name;
    const char* songId;
  } cases[] = {
      {"123456-320-abc.uc", "123456"},
      {"123456.uc", "123456.uc"},
      {"-320-abc.uc", ""},
      {"\xBB\xBA\xB4\xE6-1.uc", "\xBB\xBA\xB4\xE6"},  // 缓存-1.uc gives 缓存
  };
  for (const auto& c : cases) {
    const Text id = songIdFromFileName(c.name);
    EXPECT_EQ(id.str(), c.songId) << c.name;
    EXPECT_FALSE(id.isAbsent()) << c.name;
  }
}

TEST(SongIdFromFileNameDeathTest, AnEmptyNameIsRunError1) {
  EXPECT_EXIT(songIdFromFileName(""), testing::endedByRunError,
              "\xB4\xED\xCE\xF3\xB4\xFA\xC2\xEB\xA3\xBA"
              "1");
}

TEST_F(Conversion, AnEmptyListSetsTheMaximumToZeroAndSaysDone) {
  convertAll();
  EXPECT_EQ(headless::progressShown(), (platform::ShownProgress{0, 0, 0}));
  EXPECT_EQ(platform::storedProgressValues().maximum, 0);
  EXPECT_EQ(statusHistory(), std::vector<std::string>{kDone});
}

TEST_F(Conversion, EachEntryIsCopiedBeforeTheBarMovesToIt) {
  TempFolder folder;
  const std::string bytes[] = {std::string("ID3\0\x01", 5) + std::string(70000, '\x5C'), "rain",
                               "wind"};
  folder.write("1001-320-a.uc", bytes[0]);
  folder.write("1002-320-b.uc", bytes[1]);
  folder.write("1003-320-c.uc", bytes[2]);
  browse(folder.systemPath());
  // The list's order is the enumeration's; follow it to know which target each position means.
  std::vector<std::string> targetOf;
  for (const Text& name : cacheFileList()) {
    const char song = name.str()[3];
    targetOf.push_back(song == '1' ? kSunny : song == '2' ? kRain : kWind);
  }
  std::vector<int> positions;
  headless::onProgressShown([&](const platform::ShownProgress& shown) {
    positions.push_back(shown.position);
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(folder.has(targetOf[static_cast<std::size_t>(i)]), i < shown.position)
          << "entry " << i + 1 << " at position " << shown.position;
    }
  });
  convertAll();
  EXPECT_EQ(positions, (std::vector<int>{0, 1, 2, 3}));  // the maximum first, then each entry
  EXPECT_EQ(status(), kDone);
  EXPECT_EQ(folder.read(kSunny), bytes[0]);
  EXPECT_EQ(folder.read(kRain), bytes[1]);
  EXPECT_EQ(folder.read(kWind), bytes[2]);
  EXPECT_EQ(folder.read("1001-320-a.uc"), bytes[0]) << "the cache file is left unchanged";
  EXPECT_EQ(folder.read("1002-320-b.uc"), bytes[1]);
  EXPECT_EQ(folder.read("1003-320-c.uc"), bytes[2]);
}

TEST_F(Conversion, TwoEntriesWithOneTitleLeaveTheLaterCopyOverAnExistingFile) {
  TempFolder folder;
  folder.write("2001-a.uc", "first");
  folder.write("2002-b.uc", "second");
  folder.write(kTwin, "an older, longer file of that name");
  browse(folder.systemPath());
  convertAll();
  EXPECT_EQ(folder.read(kTwin), folder.read(cacheFileList().member(2).str()));
  EXPECT_EQ(folder.entries().size(), 3u);
}

TEST_F(Conversion, AnEntryWithoutTitleIsNotCopiedAndTheRunGoesOn) {
  TempFolder folder;
  folder.write("999999-a.uc", "unknown song");
  folder.write("3001-b.uc", "known song");
  folder.write("-c.uc", "no song id");
  browse(folder.systemPath());
  static std::vector<EntryResult>* seen;
  std::vector<EntryResult> results;
  seen = &results;
  runConversion(
      {.copy = true, .onEntry = [](const EntryOutcome& o) { seen->push_back(o.result); }});
  EXPECT_EQ(std::count(results.begin(), results.end(), EntryResult::NoTitle), 2);
  EXPECT_EQ(std::count(results.begin(), results.end(), EntryResult::Copied), 1);
  EXPECT_FALSE(folder.has(" - .mp3"));
  EXPECT_EQ(folder.read(kChineseOnDisk), "known song");
  EXPECT_EQ(status(), kDone);
}

TEST_F(Conversion, ADryRunNamesTargetsWithoutWriting) {
  TempFolder folder;
  folder.write("999999-a.uc", "");
  folder.write("1001-a.uc", "x");
  browse(folder.systemPath());
  static std::multiset<std::string>* targets;
  std::multiset<std::string> seen;
  targets = &seen;
  runConversion({.copy = false,
                 .onEntry = [](const EntryOutcome& o) { targets->insert(o.targetName.str()); }});
  EXPECT_EQ(seen, (std::multiset<std::string>{" - .mp3", kSunny}));
  EXPECT_EQ(folder.entries(), (std::set<std::string>{"999999-a.uc", "1001-a.uc"}));
}

TEST_F(Conversion, AStartClickDuringARunRunsNestedAndBothSayDone) {
  TempFolder folder;
  folder.write("1001-a.uc", "a");
  folder.write("1002-b.uc", "b");
  browse(folder.systemPath());
  std::vector<platform::ShownProgress> shown;
  headless::onProgressShown([&](const platform::ShownProgress& s) { shown.push_back(s); });
  headless::queueClick(kStartButton);  // handled after the outer run's first entry
  convertAll();
  const std::vector<platform::ShownProgress> expected = {
      {0, 2, 0},             // outer: maximum (the bar still stood at 0)
      {0, 2, 1},             // outer: entry 1
      {0, 2, 1},             // nested: maximum again, the position kept
      {0, 2, 1}, {0, 2, 2},  // nested: entries 1 and 2
      {0, 2, 2},             // outer: entry 2
  };
  EXPECT_EQ(shown, expected);
  EXPECT_EQ(statusHistory(), (std::vector<std::string>{countLine(2), kDone, kDone}));
  EXPECT_EQ(folder.read(kSunny), "a");
  EXPECT_EQ(folder.read(kRain), "b");
}

TEST_F(Conversion, ABrowseClickDuringARunAppendsBeyondTheRunsBound) {
  TempFolder first, second;
  first.write("1001-a.uc", "a");
  first.write("1001-b.uc", "b");
  second.write("1003-c.uc", "c");
  browse(first.systemPath());
  headless::queuePickerAnswer(second.systemPath());
  headless::queueClick(kBrowseButton);  // handled after the run's first entry
  std::vector<int> indexes;
  static std::vector<int>* seen;
  seen = &indexes;
  runConversion({.copy = true, .onEntry = [](const EntryOutcome& o) { seen->push_back(o.index); }});
  EXPECT_EQ(indexes, (std::vector<int>{1, 2})) << "the run keeps the bound it took";
  EXPECT_EQ(arraySize(cacheFileList()), 3) << "the nested scan appended";
  EXPECT_EQ(statusHistory(), (std::vector<std::string>{countLine(2), countLine(3), kDone}));
  EXPECT_EQ(headless::progressShown().high, 2) << "the maximum is not changed";
  EXPECT_TRUE(first.has(kSunny)) << "entry 1 went to the first folder";
  // Entry 2 is sought in the second folder, where it is missing; entry 3 is not converted.
  EXPECT_EQ(second.entries(), std::set<std::string>{"1003-c.uc"});
}

TEST_F(Conversion, ClosingTheWindowDuringARunStopsItAfterTheEntryItIsOn) {
  TempFolder folder;
  folder.write("1001-a.uc", "a");
  folder.write("1002-b.uc", "b");
  browse(folder.systemPath());
  platform::markLoopRunning();    // as inside the message loop, where a close posts the quit
  headless::queueCloseRequest();  // handled after the run's first entry
  convertAll();
  EXPECT_FALSE(headless::windowAlive());
  EXPECT_EQ(headless::progressShown().position, 1);
  EXPECT_EQ(folder.entries().size(), 3u) << "one entry converted, the other not started";
  EXPECT_EQ(status(), kDone);
}

TEST_F(Conversion, MoreThan32767EntriesClampTheBarAndShowItFull) {
  // Titles come from a closed port here: every lookup fails fast and nothing is copied.
  const Text host = songServiceHost();
  useSongServiceHost("127.0.0.1:1");
  for (int i = 0; i < 32769; ++i) appendCacheFileName(concatText(toText(i), "-x.uc"));
  int highest = 0;
  headless::onProgressShown([&](const platform::ShownProgress& s) {
    EXPECT_LE(s.position, s.high);
    highest = std::max(highest, s.position);
  });
  convertAll();
  useSongServiceHost(host);
  EXPECT_EQ(headless::progressShown(), (platform::ShownProgress{0, 32767, 32767}));
  EXPECT_EQ(platform::storedProgressValues().maximum, 32767);
  EXPECT_EQ(highest, 32767);
  EXPECT_EQ(status(), kDone);
}

}  // namespace
}  // namespace corvalin
