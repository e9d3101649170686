#include "lookup/code_page.h"

#include <cstddef>
#include <string_view>

#include "platform/code_page.h"

namespace corvalin {
namespace {

constexpr int kSystemCodePage = 0;
constexpr int kGbkCodePage = 936;
constexpr int kUtf8CodePage = 65001;

// Converts with `fill` into `buffer`, which was sized from the count in the system's code page.
// When that room is too small for the chosen code page (UTF-8 reading of text that is not
// UTF-8, say), converts once more into a buffer of the size the chosen code page needs, so the
// result always ends with its terminating zero inside the buffer.
template <class NeededBytes, class Fill, class Blank>
Bytes convertWithEnoughRoom(Bytes buffer, int codePage, NeededBytes neededBytes, Fill fill,
                            Blank blank) {
  if (fill(buffer, codePage) != 0 || buffer.isAbsent()) return buffer;
  const int needed = neededBytes(codePage);
  if (needed <= buffer.length()) return buffer;
  Bytes larger = blank(needed);
  fill(larger, codePage);
  return larger;
}

// `wide` when it holds a zero unit, else its whole units followed by one, so that reading up to
// the zero unit never runs past its end.
Bytes terminatedUnits(const Bytes& wide) {
  const std::string_view bytes = wide.view();
  for (std::size_t at = 0; at + 1 < bytes.size(); at += 2) {
    if (bytes[at] == 0 && bytes[at + 1] == 0) return wide;
  }
  if (wide.isAbsent()) return wide;
  return concatBytes(bytesLeft(wide, wide.length() / 2 * 2), Bytes::fromBytes({"\0\0", 2}));
}

Bytes blankSpaces(int count) { return toBytes(blankText(count)); }

}  // namespace

Text utf8ToGbk(const Text& input) { return wideToAnsi(ansiToWide(input), kGbkCodePage); }

Bytes ansiToWide(const Text& input, std::optional<int> codePage) {
  const auto neededBytes = [&input](int page) {
    return 2 * platform::multiByteToWideChar(page, 0, input.platformPointer(), -1, nullptr, 0);
  };
  const auto fill = [&input](Bytes& wide, int page) {
    return platform::multiByteToWideChar(page, 0, input.platformPointer(), -1, wide.writableData(),
                                         wide.length() / 2);
  };
  return convertWithEnoughRoom(blankBytes(neededBytes(kSystemCodePage)),
                               codePage.value_or(kUtf8CodePage), neededBytes, fill, blankBytes);
}

Text wideToAnsi(const Bytes& wide, std::optional<int> codePage) {
  const Bytes units = terminatedUnits(wide);
  const auto neededBytes = [&units](int page) {
    return platform::wideCharToMultiByte(page, 0, units.platformPointer(), -1, nullptr, 0);
  };
  const auto fill = [&units](Bytes& text, int page) {
    return platform::wideCharToMultiByte(page, 0, units.platformPointer(), -1, text.writableData(),
                                         text.length());
  };
  // Twice the system code page's count, in spaces, read afterwards up to the zero written.
  return toText(convertWithEnoughRoom(blankSpaces(2 * neededBytes(kSystemCodePage)),
                                      codePage.value_or(kSystemCodePage), neededBytes, fill,
                                      blankSpaces));
}

}  // namespace corvalin
