// A whole session on the in-memory window: start, Browse, Start, close, against the song
// service shared by the test run. Portable, so that under Wine it runs the real Win32 folder
// enumeration, copy and HTTP client with the ANSI code page 936.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/program.h"
#include "conversion/main_window_controls.h"
#include "lookup/song_title.h"
#include "platform/headless/headless_window.h"
#include "tests/conversion/temp_folder.h"
#include "tests/support/song_service.h"

namespace corvalin {
namespace {

namespace headless = platform::headless;
using testing::TempFolder;

TEST(ProgramRun, BrowseStartAndCloseConvertTheFolderAndExitZero) {
  const std::string host = testing::sharedSongServiceHost();
  ASSERT_FALSE(host.empty()) << "the song service is not running";
  useSongServiceHost(Text::fromBytes(host));

  TempFolder folder;
  folder.write("1-320-abc.uc", std::string("ID3\x03\0\x5C\xFF", 8));
  folder.write("123456-128-x.UC", "sunny");
  folder.write("2-1.uc", "unsafe names");
  folder.write("424242-x.uc", "not in the catalogue");
  folder.write("notes.txt", "");
  folder.makeFolder("old.uc");

  headless::reset();
  headless::queuePickerAnswer(folder.systemPath());
  headless::queueClick(kBrowseButton);
  headless::queueClick(kStartButton);
  // No close queued: a close during the run would stop it; the script running dry closes the
  // window once the run is over.
  EXPECT_EQ(runProgram(), 0);

  EXPECT_EQ(headless::textHistory(kStatusLabel),
            (std::vector<std::string>{
                "\xB9\xB2"
                "4\xCA\xD7\xB8\xE8\xC7\xFA\xBB\xBA\xB4\xE6",  // 共4首歌曲缓存
                "\xCD\xEA\xB3\xC9",                           // 完成
            }));
  EXPECT_EQ(headless::progressShown(), (platform::ShownProgress{0, 4, 4}));
  EXPECT_EQ(folder.read("Artist One - Song One.mp3"), std::string("ID3\x03\0\x5C\xFF", 8));
  EXPECT_EQ(folder.read(u8"\u5468\u6770\u4F26 - \u6674\u5929.mp3"), "sunny");  // 周杰伦 - 晴天
  EXPECT_EQ(folder.read("E,F,,G,H - A,B, C,D,.mp3"), "unsafe names");
  EXPECT_EQ(folder.entries().size(), 9u) << "six entries before, three copies, no \" - .mp3\"";
  EXPECT_EQ(folder.read("1-320-abc.uc"), std::string("ID3\x03\0\x5C\xFF", 8));
}

}  // namespace
}  // namespace corvalin
