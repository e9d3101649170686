// The song title lookup against the project's song service (catalogue tests/fixtures/songs.tsv,
// ids 3001 and up, and the lookup_*.html pages beside it).
#include "lookup/song_title.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "lookup/code_page.h"
#include "tests/support/song_service.h"
#include "web/web_request.h"

namespace corvalin {
namespace {

using namespace std::string_view_literals;

// Taken before any test replaces the host.
const Text kHostBuiltIn = songServiceHost();

TEST(SongServiceHost, IsTheBuiltInOneUntilReplaced) {
  EXPECT_EQ(kHostBuiltIn.str(), CORVALIN_BUILT_IN_SONG_SERVICE_HOST);
  useSongServiceHost("127.0.0.1:1");
  EXPECT_EQ(songServiceHost().str(), "127.0.0.1:1");
}

class LookUpSongTitle : public ::testing::Test {
 protected:
  void SetUp() override {
    host_ = testing::sharedSongServiceHost();
    ASSERT_FALSE(host_.empty()) << "the song service is not running";
    useSongServiceHost(Text(host_.c_str()));
  }
  std::string host_;
};

struct TitleCase {
  const char* what;
  const char* songId;
  std::string_view title;
};

const TitleCase kTitles[] = {
    {"Chinese name and artist", "123456",
     "\xD6\xDC\xBD\xDC\xC2\xD7 - \xC7\xE7\xCC\xEC"sv /* 周杰伦 - 晴天 */},
    {"unsafe characters become commas", "3001", "C,D - A,B, live"sv},
    {"all eight unsafe characters", "3002", "x - ,,,,,,,,"sv},
    {"double-byte characters whose second byte is \\ or | stay whole", "3003",
     "a,b - \xB6\x5C\xB8\xE6,\xB4\x7C"sv /* a,b - 禱告,磡 */},
    {"character references stay as they are", "3004", "A&amp;B - Tom &amp; Jerry"sv},
    {"empty name", "3005", "X - "sv},
    {"characters outside 936 become ? and so ,", "3006", "\x80 sign - , ,,"sv /* € sign - , ,, */},
    {"markers in capitals are not found", "3007", "lower - "sv},
    {"the first of several attributes, artist standing first", "3008", "First A - First N"sv},
    {"a value without its closing quote is empty", "3009", " - Name"sv},
    {"a page in 936 is read whole", "3010", "Plain - ,,,"sv},
    {"empty page", "3011", " - "sv},
    // 0x80 (the euro sign in 936) is a character of its own to the file system, so what
    // follows it is cleaned too: the title never names a sub-folder or a stream.
    {"unsafe characters after a euro sign", "3012",
     "\x80,\x80, - \x80,x\x80,y"sv /* €,€, - €,x€,y */},
    {"a quote after a euro sign", "3013", "x - ab\x80, data-res-author="sv},
    {"error page without either marker", "3999", " - "sv},
};

TEST_F(LookUpSongTitle, TitlesFromTheSongPage) {
  for (const TitleCase& c : kTitles) {
    EXPECT_EQ(lookUpSongTitle(c.songId).str(), std::string(c.title)) << c.what;
  }
}

TEST_F(LookUpSongTitle, AsksForTheSongPageOfTheNumberAsGiven) {
  lookUpSongTitle("123456");
  const Text request = fetchPage(Text(("http://" + host_ + "/recorded?key=song-123456").c_str()));
  EXPECT_EQ(request.str().substr(0, request.str().find("\r\n")), "GET /m/song?id=123456 HTTP/1.1");
  EXPECT_NE(request.str().find("\r\nHost: " + host_ + "\r\n"), std::string::npos) << request.str();
}

// Values with an unsafe character after every kind of byte the text operations pair with it:
// bytes code page 936 reads alone (0x80, 0xFF), a lead byte before a byte no character of 936
// ends in, and whole two-byte characters whose second byte is "\" or "|".
const char* const kAwkwardValues[] = {
    "\x80\\x", "\x80/x",   "\xFF\\x",          "\xFF:x",  "\x81/x",
    "\x81:x",  "\x81*?<>", "\xB6\x5C\xB4\x7C", "\x80\"x", "a\x80",
};

// Read by the system's code page conversion (Windows' own under Wine), a title holds none of
// the characters a file name cannot hold, so it is one name in the folder. "?" is left out:
// the conversion itself writes it for bytes it cannot read.
TEST(SongTitleInPage, IsOneNameAsTheSystemReadsIt) {
  for (const char* name : kAwkwardValues) {
    for (const char* author : kAwkwardValues) {
      const std::string page = std::string("<div data-res-name=\"") + name +
                               "\" data-res-author=\"" + author + "\"></div>";
      const Text title = songTitleInPage(Text(page.c_str()));
      const Bytes units = ansiToWide(title, 0);
      const std::string_view wide = units.view();
      for (std::size_t at = 0; at + 1 < wide.size(); at += 2) {
        const bool ascii = wide[at + 1] == 0;
        EXPECT_FALSE(ascii &&
                     std::string_view("\\/:*\"<>|").find(wide[at]) != std::string_view::npos)
            << "name " << name << ", author " << author << ": " << title.str();
      }
    }
  }
}

TEST(LookUpSongTitleUnreachable, GivesTheBareSeparator) {
  useSongServiceHost("127.0.0.1:1");
  EXPECT_EQ(lookUpSongTitle("3001").str(), " - ");
}

}  // namespace
}  // namespace corvalin
