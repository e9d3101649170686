#include "lookup/song_title.h"

#include "lookup/code_page.h"
#include "web/url.h"
#include "web/web_request.h"

namespace corvalin {
namespace {

// The attribute markers, up to the double quote that opens the value.
constexpr const char* kNameMarker = "data-res-name=\"";
constexpr const char* kAuthorMarker = "data-res-author=\"";
// The characters a file name cannot hold, replaced in this order.
constexpr const char* kUnsafeCharacters[] = {"\\", "/", ":", "*", "?", "<", ">", "|"};

Text& hostInUse() {
  static Text host = CORVALIN_SONG_SERVICE_HOST;
  return host;
}

// Character by character, so the second byte of a double-byte character is never replaced.
Text safeForFileName(Text value) {
  for (const char* unsafe : kUnsafeCharacters) {
    value = replaceText(value, unsafe, ",", {.caseSensitive = true});
  }
  return value;
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
