// File system faults during a conversion run: the run reaches 完成, every cache file keeps its
// bytes, and nothing is written outside the cache folder.
#include <gtest/gtest.h>

#include <filesystem>
#include <map>
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
#include "tests/conversion/temp_folder.h"
#include "tests/conversion/test_catalogue.h"

namespace corvalin {
namespace {

namespace fs = std::filesystem;
namespace headless = platform::headless;
using testing::TempFolder;

const std::string kDone = "\xCD\xEA\xB3\xC9";  // 完成

std::map<std::string, EntryResult>* outcomes;
void recordOutcome(const EntryOutcome& outcome) {
  (*outcomes)[outcome.sourceName.str()] = outcome.result;
}

// The cache folder lives inside a folder of its own, so that a write next to it shows.
class FileFaults : public testing::WithTestSongService {
 protected:
  void SetUp() override {
    WithTestSongService::SetUp();
    outer.makeFolder("cache");
    outcomes = &results;
  }
  void TearDown() override {
    WithTestSongService::TearDown();
    std::error_code ignored;
    fs::permissions(cache(), fs::perms::owner_all, fs::perm_options::add, ignored);
  }

  fs::path cache() const { return outer.path() / "cache"; }
  std::string systemCache() const { return cache().string(); }
  void write(const fs::path& name, const std::string& bytes) {
    outer.write("cache" / name, bytes);
    cacheFiles[name] = bytes;
  }
  // Scans, then converts with the run's report recorded per source name.
  void scanAndConvert(void (*betweenScanAndRun)(const fs::path&) = nullptr) {
    headless::queuePickerAnswer(systemCache());
    scanCacheFolder();
    if (betweenScanAndRun != nullptr) betweenScanAndRun(cache());
    runConversion({.copy = true, .onEntry = recordOutcome});
  }
  void expectCacheFilesUnchangedAndNothingOutside() {
    for (const auto& [name, bytes] : cacheFiles) {
      if (fs::exists(cache() / name)) {
        EXPECT_EQ(outer.read("cache" / name), bytes) << name;
      }
    }
    EXPECT_EQ(outer.entries(), std::set<std::string>{"cache"});
    for (const auto& entry : fs::directory_iterator(cache())) {
      const std::string name = entry.path().filename().string();
      EXPECT_NE(name[0], '.') << "a leftover of a failed copy: " << name;
    }
    EXPECT_EQ(platform::controlText(kStatusLabel), kDone);
  }

  TempFolder outer;
  std::map<fs::path, std::string> cacheFiles;
  std::map<std::string, EntryResult> results;
};

TEST_F(FileFaults, ASourceDeletedBetweenScanAndStartFailsAloneAndTheRunGoesOn) {
  write("1001-gone.uc", "gone");
  write("1002-kept.uc", "kept");
  scanAndConvert([](const fs::path& folder) { fs::remove(folder / "1001-gone.uc"); });
  EXPECT_EQ(results["1001-gone.uc"], EntryResult::CopyFailed);
  EXPECT_EQ(results["1002-kept.uc"], EntryResult::Copied);
  EXPECT_FALSE(fs::exists(cache() / testing::kSunny));
  EXPECT_EQ(outer.read("cache" / fs::path(testing::kRain)), "kept");
  expectCacheFilesUnchangedAndNothingOutside();
}

TEST_F(FileFaults, AReadOnlyTargetIsLeftAsItWas) {
  write("1001-a.uc", "new bytes");
  outer.write("cache" / fs::path(testing::kSunny), "the user's own file");
  fs::permissions(cache() / testing::kSunny, fs::perms::owner_read | fs::perms::group_read);
  scanAndConvert();
  EXPECT_EQ(results["1001-a.uc"], EntryResult::CopyFailed);
  EXPECT_EQ(outer.read("cache" / fs::path(testing::kSunny)), "the user's own file");
  expectCacheFilesUnchangedAndNothingOutside();
}

TEST_F(FileFaults, AFolderThatCannotBeWrittenFailsEveryEntry) {
  write("1001-a.uc", "a");
  write("1002-b.uc", "b");
  fs::permissions(cache(), fs::perms::owner_read | fs::perms::owner_exec);
  if (std::ofstream(cache() / "probe")) {
    fs::remove(cache() / "probe");
    GTEST_SKIP() << "this user may write into folders without write permission";
  }
  scanAndConvert();
  EXPECT_EQ(results["1001-a.uc"], EntryResult::CopyFailed);
  EXPECT_EQ(results["1002-b.uc"], EntryResult::CopyFailed);
  expectCacheFilesUnchangedAndNothingOutside();
}

TEST_F(FileFaults, LongAndTrickyNamesAreConvertedOrFailCleanly) {
  const std::string longName = "1003-" + std::string(242, 'w') + ".uc";  // 250 bytes
  write(longName, "long name");
  write(u8"1002-\u7668\u76F6.uc", "separator bytes");  // 癨盶: second bytes 0x5C
  write("5002-a.uc", "title with separator bytes");
  write("5001-a.uc", "title too long");
  scanAndConvert();
  EXPECT_EQ(results[longName], EntryResult::Copied);
  EXPECT_EQ(results["1002-\xB0\x5C\xB1\x5C.uc"], EntryResult::Copied);
  EXPECT_EQ(results["5002-a.uc"], EntryResult::Copied);
  EXPECT_EQ(results["5001-a.uc"], EntryResult::CopyFailed) << "a name longer than allowed";
  EXPECT_EQ(outer.read("cache" / fs::path(testing::kWind)), "long name");
  EXPECT_EQ(outer.read("cache" / fs::path(testing::kRain)), "separator bytes");
  EXPECT_EQ(outer.read("cache" / fs::path(testing::kBackslashTrailOnDisk)),
            "title with separator bytes");
  expectCacheFilesUnchangedAndNothingOutside();
}

}  // namespace
}  // namespace corvalin
