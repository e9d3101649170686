// Operations that scan a text by character for a sought text.
#include <climits>

#include "text/result.h"
#include "text/scan.h"
#include "text/text.h"

namespace corvalin {
namespace {

using scan::kNone;

constexpr int kNotFound = -1;

int position(std::size_t offset) { return static_cast<int>(offset) + 1; }

}  // namespace

int findText(const Text& text, const Text& sought, FindOptions options) {
  const std::string_view bytes = text.view();
  const std::size_t start = options.start < 1 ? 1 : static_cast<std::size_t>(options.start);
  if (start > bytes.size()) return kNotFound;
  const std::string_view region = bytes.substr(start - 1);
  if (sought.isEmpty()) return 1;
  const std::size_t match = scan::MatchScanner(region, sought.view(), options.ignoreCase).next(0);
  return match == kNone ? kNotFound : position(start - 1 + match);
}

int findTextReverse(const Text& text, const Text& sought, FindReverseOptions options) {
  std::string_view region = text.view();
  if (options.limit) {
    // With limit p only the first p - 1 bytes count, so a match must end before p.
    region = *options.limit <= 1 ? std::string_view()
                                 : region.substr(0, static_cast<std::size_t>(*options.limit) - 1);
  }
  if (region.empty()) return kNotFound;
  if (sought.isEmpty()) return 1;
  const scan::MatchScanner scanner(region, sought.view(), options.ignoreCase);
  std::size_t last = kNone;
  for (std::size_t match = scanner.next(0); match != kNone;
       match = scanner.next(match + scan::charWidth(region, match))) {
    last = match;
  }
  return last == kNone ? kNotFound : position(last);
}

Text replaceText(const Text& text, const Text& sought, const Text& replacement,
                 ReplaceOptions options) {
  const std::string_view bytes = text.view();
  const std::size_t start = options.start < 1 ? 1 : static_cast<std::size_t>(options.start);
  const bool noneAllowed = options.maxCount && *options.maxCount == 0;
  if (bytes.empty() || sought.isEmpty() || start > bytes.size() || noneAllowed)
    return textResult(bytes);
  const int limit = options.maxCount && *options.maxCount > 0 ? *options.maxCount : INT_MAX;

  TextBuilder out;
  out.reserve(bytes.size());
  out.append(bytes.substr(0, start - 1));
  const std::string_view region = bytes.substr(start - 1);
  const scan::MatchScanner scanner(region, sought.view(), !options.caseSensitive);
  std::size_t pos = 0;
  int replaced = 0;
  while (replaced < limit) {
    const std::size_t match = scanner.next(pos);
    if (match == kNone) break;
    out.append(region.substr(pos, match - pos));
    out.append(replacement);
    pos = match + sought.view().size();
    ++replaced;
  }
  // A scan that ran to the end drops a lone first byte there; it reaches that byte only when
  // the sought text is one byte long, since it stops once fewer bytes remain than it has.
  const std::size_t last = region.size() - 1;
  const bool dropsLoneByte = replaced < limit && sought.view().size() == 1 && pos <= last &&
                             scan::isLoneLeadByte(region, last) &&
                             scan::startsCharacter(region, pos, last);
  out.append(region.substr(pos, region.size() - pos - (dropsLoneByte ? 1 : 0)));
  return textResult(out);
}

TextArray splitText(const Text& text, const Text& delimiter, SplitOptions options) {
  TextArray pieces;
  const std::string_view bytes = text.view();
  if (bytes.empty() || (options.maxCount && *options.maxCount <= 0)) return pieces;
  if (delimiter.isEmpty()) {
    pieces.append(text);
    return pieces;
  }
  const scan::MatchScanner scanner(bytes, delimiter.view(), false);
  std::size_t pieceStart = 0;
  for (std::size_t match = scanner.next(0); match != kNone; match = scanner.next(pieceStart)) {
    pieces.append(textResult(bytes.substr(pieceStart, match - pieceStart)));
    pieceStart = match + delimiter.view().size();
    if (options.maxCount && pieces.size() == *options.maxCount) return pieces;
  }
  if (pieceStart < bytes.size()) pieces.append(textResult(bytes.substr(pieceStart)));
  return pieces;
}

}  // namespace corvalin
