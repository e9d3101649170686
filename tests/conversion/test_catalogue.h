// The song service catalogue the conversion tests share, and the titles it gives (code page
// 936 file names as the lookup makes them).
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "app/main_window.h"
#include "conversion/cache_file_list.h"
#include "lookup/song_title.h"
#include "platform/headless/headless_window.h"
#include "tests/conversion/temp_folder.h"
#include "tests/support/song_service.h"

namespace corvalin::testing {

inline const std::string kSunny = "Jay - Sunny Day.mp3";  // song 1001
inline const std::string kRain = "Jay - Rain.mp3";        // song 1002
inline const std::string kWind = "Jay - Wind.mp3";        // song 1003
inline const std::string kTwin = "Twin - Same.mp3";       // songs 2001 and 2002
// Song 3001: 周杰伦 - 晴天.mp3, inside and on disk.
inline const std::string kChinese = "\xD6\xDC\xBD\xDC\xC2\xD7 - \xC7\xE7\xCC\xEC.mp3";
inline const char8_t* kChineseOnDisk = u8"\u5468\u6770\u4F26 - \u6674\u5929.mp3";
// Song 4001's name and artist hold characters a file name cannot: "A/B:C" by "D*E?".
inline const std::string kUnsafe = "D,E, - A,B,C.mp3";

// Song 5001's name is 300 bytes long: no file system takes the name it would give.
inline const std::string kOverlongName(300, 'n');
// Song 5002: 盶 - 癨.mp3, characters whose second byte in code page 936 is the byte of "\".
inline const char8_t* kBackslashTrailOnDisk = u8"\u76F6 - \u7668.mp3";

// Starts a private song service with the shared catalogue; the folder keeps the catalogue.
inline std::optional<SongService> startTestSongService(const TempFolder& folder) {
  const auto catalogue = folder.write(
      "songs.tsv",
      "1001\tSunny Day\tJay\n1002\tRain\tJay\n1003\tWind\tJay\n"
      "2001\tSame\tTwin\n2002\tSame\tTwin\n"
      "3001\t\xE6\x99\xB4\xE5\xA4\xA9\t\xE5\x91\xA8\xE6\x9D\xB0\xE4\xBC\xA6\n"  // 晴天, 周杰伦
      "4001\tA/B:C\tD*E?\n"
      "5001\t" +
          kOverlongName +
          "\tLong\n"
          "5002\t\xE7\x99\xA8\t\xE7\x9B\xB6\n");  // 癨, 盶
  return SongService::start(catalogue.string());
}

// A suite with the shared catalogue served by one private song service for the whole suite.
class WithSuiteSongService : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    catalogueFolder_ = new TempFolder;
    service_ = new std::optional<SongService>(startTestSongService(*catalogueFolder_));
    ASSERT_TRUE(service_->has_value()) << "the song service did not start";
  }
  static void TearDownTestSuite() {
    delete service_;
    delete catalogueFolder_;
  }
  static std::string serviceHost() { return (*service_)->host(); }

 private:
  static inline TempFolder* catalogueFolder_ = nullptr;
  static inline std::optional<SongService>* service_ = nullptr;
};

// A suite that runs the handlers on a freshly loaded headless main window, asking the suite's
// song service for the titles.
class WithTestSongService : public WithSuiteSongService {
 protected:
  void SetUp() override {
    useSongServiceHost(Text::fromBytes(serviceHost()));
    platform::headless::reset();
    createCacheFileList();
    ASSERT_TRUE(platform::loadMainWindow(mainWindowDefinition()));
  }
  void TearDown() override { releaseCacheFileList(); }
};

}  // namespace corvalin::testing
