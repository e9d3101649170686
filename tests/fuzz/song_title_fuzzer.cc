// The title cut out of a song page, for any page bytes (as fetched and converted from UTF-8,
// or already in code page 936): it is the author's and the name's values joined by " - ", and
// as a file name it stays one name inside the chosen folder: read the way the file system
// reads code page 936, it holds none of \ / : * ? " < > |, and on POSIX the name the
// operating system gets holds no separator.
#include <string_view>

#include "lookup/code_page.h"
#include "lookup/song_title.h"
#include "platform/posix/gbk_edge.h"
#include "tests/fuzz/fuzz_input.h"

using fuzzing::bytesOf;
using fuzzing::fail;

namespace {

constexpr std::string_view kNameMarker = "data-res-name=\"";
constexpr std::string_view kAuthorMarker = "data-res-author=\"";
constexpr std::string_view kUnsafe = "\\/:*?\"<>|";

// Pieces of song pages: the markers, the quote, every unsafe character, the bytes that code
// page 936 reads alone although the text operations pair them (0x80, 0xFF), lead bytes, and in
// UTF-8 the euro sign and U+F8F5, which Windows writes as 0x80 and 0xFF.
constexpr std::string_view kPieces[] = {kNameMarker,
                                        kAuthorMarker,
                                        "\"",
                                        "\\",
                                        "/",
                                        ":",
                                        "*",
                                        "?",
                                        "<",
                                        ">",
                                        "|",
                                        "..",
                                        ".",
                                        " - ",
                                        "\x80",
                                        "\xFF",
                                        "\x81",
                                        "\xA1\xA1",
                                        "\x81\x5C",
                                        "\x81\x7C",
                                        "\x81\x2F",
                                        "\xE2\x82\xAC",
                                        "\xEF\xA3\xB5",
                                        "\xE4\xBD\xA0"};

// A two-byte character as code page 936 has them and the file system reads them: a lead byte
// 0x81..0xFE and a second byte 0x40..0xFE other than 0x7F.
bool isPairAt(std::string_view t, std::size_t i) {
  if (i + 1 >= t.size()) return false;
  const auto lead = static_cast<unsigned char>(t[i]);
  const auto trail = static_cast<unsigned char>(t[i + 1]);
  return lead >= 0x81 && lead <= 0xFE && trail >= 0x40 && trail <= 0xFE && trail != 0x7F;
}

// The value after `marker` up to the next double quote, both found by the text operations'
// reading; then every unsafe character that the file system reads as one becomes ",".
std::string cleanValue(const std::string& page, std::string_view marker) {
  const int at = reference::find(page, std::string(marker), 1, false);
  if (at == -1) return std::string();
  const int start = at + static_cast<int>(marker.size());
  const int quote = reference::find(page, "\"", start, false);
  if (quote == -1) return std::string();
  std::string value = reference::mid(page, start, quote - start).value_or(std::string());
  for (std::size_t i = 0; i < value.size(); ++i) {
    if (isPairAt(value, i)) {
      ++i;
    } else if (kUnsafe.find(value[i]) != std::string_view::npos) {
      value[i] = ',';
    }
  }
  return value;
}

void checkOneName(const std::string& title) {
  for (std::size_t i = 0; i < title.size(); i += isPairAt(title, i) ? 2 : 1) {
    if (kUnsafe.find(title[i]) != std::string_view::npos) {
      fail("title holds a character a file name cannot hold", title);
    }
  }
  const std::string osName = platform::posix::systemToUtf8(title);
  if (osName.find_first_of("/\\") != std::string::npos || osName == "." || osName == "..") {
    fail("title is not one name in the folder", osName);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::Input input(data, size);
  const bool fetched = input.flag();
  const std::string bytes = input.joinedPieces(kPieces, 32);
  // A fetched page arrives in UTF-8 and is converted first, as the lookup does.
  const corvalin::Text page =
      fetched ? corvalin::utf8ToGbk(corvalin::Text(bytes.c_str())) : corvalin::Text(bytes.c_str());
  const std::string title = corvalin::songTitleInPage(page).str();
  const std::string expected =
      cleanValue(page.str(), kAuthorMarker) + " - " + cleanValue(page.str(), kNameMarker);
  if (title != expected) fail("song title", "got \"" + title + "\", expected \"" + expected + "\"");
  checkOneName(title);
  return 0;
}
