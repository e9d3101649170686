#include "lookup/song_title.h"

#include <string_view>

#include "lookup/code_page.h"
#include "web/url.h"
#include "web/web_request.h"

namespace corvalin {
namespace {

// The attribute markers, up to the double quote that opens the value.
constexpr const char* kNameMarker = "data-res-name=\"";
constexpr const char* kAuthorMarker = "data-res-author=\"";
// The characters a file name cannot hold. A value ends before the first double quote that the
// text operations find, but one they pair with a byte the file system reads alone is still a
// quote in the name, so it is here too.
constexpr std::string_view kUnsafeCharacters = "\\/:*?\"<>|";

Text& hostInUse() {
  static Text host = CORVALIN_SONG_SERVICE_HOST;
  return host;
}

// Whether a two-byte character starts at `at` as the file system reads code page 936: a lead
// byte 0x81..0xFE and a second byte 0x40..0xFE other than 0x7F. The text operations pair every
// byte from 0x80 up with the next one; the file system reads 0x80 (the euro sign), 0xFF and a
// lead byte before a byte outside that range as characters of their own, so a "\" or "/" after
// them would be a separator there.
bool startsTwoByteCharacter(std::string_view text, std::size_t at) {
  if (at + 1 >= text.size()) return false;
  const auto lead = static_cast<unsigned char>(text[at]);
  const auto second = static_cast<unsigned char>(text[at + 1]);
  return lead >= 0x81 && lead <= 0xFE && second >= 0x40 && second <= 0xFE && second != 0x7F;
}

// Every unsafe character becomes ",", character by character as the file system reads the name,
// so the second byte of a two-byte character is never taken for one and a title is always one
// name inside the folder.
Text safeForFileName(const Text& value) {
  const std::string_view bytes = value.view();
  TextBuilder safe;
  safe.reserve(bytes.size());
  for (std::size_t at = 0; at < bytes.size(); ++at) {
    if (startsTwoByteCharacter(bytes, at)) {
      safe.append(bytes.substr(at, 2));
      ++at;
    } else if (kUnsafeCharacters.find(bytes[at]) != std::string_view::npos) {
      safe.append(std::string_view(","));
    } else {
      safe.append(bytes.substr(at, 1));
    }
  }
  return safe.take();
}

}  // namespace

Text lookUpSongTitle(const Text& songId) {
  const Text url = concatText("http://", songServiceHost(), "/m/song?id=", songId);
  return songTitleInPage(utf8ToGbk(fetchPage(url)));
}

Text songTitleInPage(const Text& page) {
  // Each value runs from its marker to the next double quote; empty when either is missing.
  const Text name = safeForFileName(textBetween(page, kNameMarker, "\""));
  const Text author = safeForFileName(textBetween(page, kAuthorMarker, "\""));
  return concatText(author, " - ", name);
}

Text songServiceHost() { return hostInUse(); }

void useSongServiceHost(const Text& host) { hostInUse() = host; }

}  // namespace corvalin
