// The code page conversions, on both builds. The Linux build reproduces Windows' default
// character, not its best fit: where Windows writes a near character for a character outside
// code page 936 (U+00C0 as the bytes of U+00E0, say) or a code of 936's user-defined area for a
// private-use character, the Linux build writes "?". The cases below keep to characters that
// both builds write alike.
#include "lookup/code_page.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>

#include "platform/code_page.h"

namespace corvalin {
namespace {

using namespace std::string_view_literals;

std::string hex(std::string_view bytes) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  std::string out;
  for (unsigned char c : bytes) {
    if (!out.empty()) out += ' ';
    out += kDigits[c >> 4];
    out += kDigits[c & 15];
  }
  return out;
}

struct Utf8Case {
  const char* what;
  std::string_view utf8;
  std::string_view gbk;
};

// Valid UTF-8 comes back as the same characters in code page 936.
const Utf8Case kValidUtf8[] = {
    {"ASCII unchanged", "<p data-res-name=\"Song 1\"> ~!@#$%^&*()_+`{}|[]\\",
     "<p data-res-name=\"Song 1\"> ~!@#$%^&*()_+`{}|[]\\"},
    {"two Chinese characters", "\xE4\xBD\xA0\xE5\xA5\xBD"sv /* 你好 */, "\xC4\xE3\xBA\xC3"sv},
    {"Chinese then ASCII", "\xE4\xBD\xA0\xE5\xA5\xBD\x41"sv, "\xC4\xE3\xBA\xC3\x41"sv},
    {"euro sign is the one byte 0x80", "1\xE2\x82\xAC"sv /* 1€ */, "1\x80"sv},
    {"full-width, middle dot, em dash", "\xEF\xBC\x81\xC2\xB7\xE2\x80\x94"sv /* ！·— */,
     "\xA3\xA1\xA1\xA4\xA1\xAA"sv},
    {"Thai letter outside 936", "a\xE0\xB8\x81z"sv /* aกz */, "a?z"sv},
    {"Hangul syllable outside 936", "\xE4\xBD\xA0\xEA\xB0\x80\xE5\xA5\xBD"sv /* 你가好 */,
     "\xC4\xE3?\xBA\xC3"sv},
    {"character beyond the BMP: one ? per surrogate", "x\xF0\x9F\x98\x80y"sv /* x😀y */, "x??y"sv},
};

TEST(Utf8ToGbk, ValidUtf8BecomesTheSameCharactersIn936) {
  for (const Utf8Case& c : kValidUtf8) {
    EXPECT_EQ(hex(utf8ToGbk(Text::fromBytes(c.utf8)).view()), hex(c.gbk)) << c.what;
  }
}

// Text that is not UTF-8 is read whole: each ill-formed sequence becomes one U+FFFD, which 936
// writes as "?", split where Windows splits it, and nothing after it is lost.
const Utf8Case kInvalidUtf8[] = {
    {"936 text", "\xC4\xE3\xBA\xC3"sv /* 你好 in 936 */, "???"sv},
    {"cut-off three-byte sequence", "\xE4\xBD\x41"sv, "?A"sv},
    {"cut-off sequence at the end", "A\xE4\xBD"sv, "A?"sv},
    {"lone continuation byte", "\x80\x41"sv, "?A"sv},
    {"overlong two-byte form", "\xC0\x80\x41"sv, "??A"sv},
    {"overlong three-byte form", "\xE0\x80\x80\x41"sv, "??A"sv},
    {"encoded surrogate", "\xED\xA0\x80\x41"sv, "??A"sv},
    {"above U+10FFFF", "\xF4\x90\x80\x80"sv, "???"sv},
    {"bytes that never start a sequence", "\xF5\xFE\x41"sv, "??A"sv},
};

TEST(Utf8ToGbk, TextThatIsNotUtf8IsReadWhole) {
  for (const Utf8Case& c : kInvalidUtf8) {
    EXPECT_EQ(hex(utf8ToGbk(Text::fromBytes(c.utf8)).view()), hex(c.gbk)) << c.what;
  }
}

TEST(Utf8ToGbk, A936PageKeepsItsTailAlthoughItNeedsMoreUnitsThanSizedFor) {
  // Each 936 character counts one unit in the system code page but reads as two U+FFFD.
  std::string page;
  for (int i = 0; i < 300; ++i) page += "\xC4\xE3";
  page += " data-res-name=\"end\"";
  const Text result = utf8ToGbk(Text::fromBytes(page));
  EXPECT_EQ(result.str(), std::string(600, '?') + " data-res-name=\"end\"");
}

TEST(AnsiToWide, SizesTheBufferInTheSystemCodePageAndZeroFillsIt) {
  // Read as 936 the seven bytes are 5 units with the zero unit; UTF-8 fills 4 of them.
  const Bytes wide = ansiToWide(Text::fromBytes("\xE4\xBD\xA0\xE5\xA5\xBD\x41"));
  EXPECT_EQ(hex(wide.view()), hex("\x60\x4F\x7D\x59\x41\x00\x00\x00\x00\x00"sv));
  EXPECT_EQ(hex(wideToAnsi(wide, 936).view()), hex("\xC4\xE3\xBA\xC3\x41"sv));
}

TEST(AnsiToWide, OmittedCodePageIsUtf8AndAGivenZeroIsTheSystemCodePage) {
  const Text gbk = Text::fromBytes("\xC4\xE3\xBA\xC3");  // 你好 in 936
  EXPECT_EQ(hex(ansiToWide(gbk, 0).view()), hex("\x60\x4F\x7D\x59\x00\x00"sv));
  EXPECT_EQ(hex(ansiToWide(gbk, 936).view()), hex("\x60\x4F\x7D\x59\x00\x00"sv));
  // Read as UTF-8 it needs four units where the system code page counted three: the buffer
  // grows to hold them all.
  EXPECT_EQ(hex(ansiToWide(gbk).view()), hex("\xFD\xFF\xFD\xFF\xFD\xFF\x00\x00"sv));
}

TEST(WideToAnsi, OmittedCodePageIsTheSystemCodePage) {
  const Bytes wide = Bytes::fromBytes("\x60\x4F\x7D\x59\x00\x00"sv);  // 你好
  EXPECT_EQ(hex(wideToAnsi(wide).view()), hex("\xC4\xE3\xBA\xC3"sv));
  EXPECT_EQ(hex(wideToAnsi(wide, 0).view()), hex("\xC4\xE3\xBA\xC3"sv));
  EXPECT_EQ(hex(wideToAnsi(wide, 65001).view()), hex("\xE4\xBD\xA0\xE5\xA5\xBD"sv));
}

TEST(WideToAnsi, ACodePageNeedingMoreThanTwiceTheSystemCountGetsTheRoomItNeeds) {
  // Three Thai letters: "???" in 936 (4 bytes with the zero, so 8 of room), 9 bytes in UTF-8.
  const Bytes thai = Bytes::fromBytes("\x01\x0E\x01\x0E\x01\x0E\x00\x00"sv);
  EXPECT_EQ(hex(wideToAnsi(thai, 65001).view()), hex("\xE0\xB8\x81\xE0\xB8\x81\xE0\xB8\x81"sv));
}

TEST(WideToAnsi, UnitsWithoutAZeroUnitEndAtTheirLastWholeUnit) {
  EXPECT_EQ(wideToAnsi(Bytes::fromBytes("A\0B\0"sv)).str(), "AB");
  EXPECT_EQ(wideToAnsi(Bytes::fromBytes("A\0B"sv)).str(), "A");
  EXPECT_EQ(wideToAnsi(Bytes::fromBytes("A\0\0\0B\0"sv)).str(), "A");
}

TEST(CodePageConversion, AbsentStaysAbsentAndEmptyStaysEmpty) {
  EXPECT_TRUE(ansiToWide(Text()).isAbsent());
  EXPECT_TRUE(wideToAnsi(Bytes()).isAbsent());
  EXPECT_TRUE(utf8ToGbk(Text()).isAbsent());

  const Bytes emptyWide = ansiToWide(Text(""));
  EXPECT_FALSE(emptyWide.isAbsent());
  EXPECT_EQ(hex(emptyWide.view()), "00 00");
  EXPECT_TRUE(wideToAnsi(emptyWide).isEmpty());
  EXPECT_TRUE(utf8ToGbk(Text("")).isEmpty());
}

// The platform functions themselves, where the Linux build must behave as Windows does.
TEST(PlatformCodePage, SizesCountsAndRoom) {
  char wide[16] = {};
  // Sizing counts the zero unit; a lead byte takes any following byte but the zero with it.
  const char* leadThenSpace = "\xC4\x20\x41";
  EXPECT_EQ(platform::multiByteToWideChar(936, 0, leadThenSpace, -1, nullptr, 0), 3);
  EXPECT_EQ(platform::multiByteToWideChar(936, 0, "A\xC4", -1, nullptr, 0), 3);
  EXPECT_EQ(platform::multiByteToWideChar(936, 0, leadThenSpace, -1, wide, 8), 3);
  EXPECT_EQ(hex({wide, 6}), "3F 00 41 00 00 00");
  // Too little room fails; a null input or an unknown code page gives 0.
  EXPECT_EQ(platform::multiByteToWideChar(65001, 0, "abcdef", -1, wide, 3), 0);
  EXPECT_EQ(platform::multiByteToWideChar(65001, 0, nullptr, -1, nullptr, 0), 0);
  EXPECT_EQ(platform::multiByteToWideChar(12345, 0, "ab", -1, nullptr, 0), 0);
  // A given length converts just those bytes, with no zero unit added.
  EXPECT_EQ(platform::multiByteToWideChar(65001, 0, "abc", 2, wide, 8), 2);

  char bytes[8] = {};
  EXPECT_EQ(platform::wideCharToMultiByte(936, 0, "\x60\x4F\x00\x00", -1, nullptr, 0), 3);
  EXPECT_EQ(platform::wideCharToMultiByte(936, 0, "\x60\x4F\x00\x00", -1, bytes, 2), 0);
  EXPECT_EQ(platform::wideCharToMultiByte(936, 0, "\x60\x4F\x00\x00", -1, bytes, 3), 3);
  EXPECT_EQ(hex({bytes, 3}), "C4 E3 00");
  EXPECT_EQ(platform::wideCharToMultiByte(0, 0, nullptr, -1, nullptr, 0), 0);
}

}  // namespace
}  // namespace corvalin
