#include "lookup/song_title.h"

#include "lookup/code_page.h"
#include "web/web_request.h"

namespace corvalin {
namespace {

// The attribute markers; a value runs from after the quote to the next quote.
constexpr const char* kNameMarker = "data-res-name=\"";
constexpr const char* kAuthorMarker = "data-res-author=\"";
// The characters a file name cannot hold, replaced in this order.
constexpr const char* kUnsafeCharacters[] = {"\\", "/", ":", "*", "?", "<", ">", "|"};

Text& hostInUse() {
  static Text host = CORVALIN_SONG_SERVICE_HOST;
  return host;
}

// The bytes between the first `marker` in `page` and the next double quote; empty when either
// is missing.
Text attributeValue(const Text& page, const Text& marker) {
  const int markerAt = findText(page, marker);
  if (markerAt == -1) return Text();
  const int start = markerAt + textLength(marker);
  const int quoteAt = findText(page, "\"", {.start = start});
  if (quoteAt == -1) return Text();
  return textMid(page, start, quoteAt - start);
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
  const Text page = utf8ToGbk(fetchPage(url));
  const Text name = safeForFileName(attributeValue(page, kNameMarker));
  const Text author = safeForFileName(attributeValue(page, kAuthorMarker));
  return concatText(author, " - ", name);
}

Text songServiceHost() { return hostInUse(); }

void useSongServiceHost(const Text& host) { hostInUse() = host; }

}  // namespace corvalin
