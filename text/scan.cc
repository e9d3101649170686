#include "text/scan.h"

#include <cstdint>
#include <cstring>

namespace corvalin::scan {

bool startsCharacter(std::string_view text, std::size_t from, std::size_t pos) {
  // Text of two-byte characters is one long run of such bytes: step back over it eight bytes
  // at a time while all eight are 0x80..0xFF, then byte by byte.
  constexpr std::uint64_t kTopBits = 0x8080808080808080ull;
  std::size_t runStart = pos;
  while (runStart - from >= sizeof(std::uint64_t)) {
    std::uint64_t word;
    std::memcpy(&word, text.data() + runStart - sizeof word, sizeof word);
    if ((word & kTopBits) != kTopBits) break;
    runStart -= sizeof word;
  }
  while (runStart > from && isLeadByte(text[runStart - 1])) --runStart;
  return (pos - runStart) % 2 == 0;
}

std::size_t MatchScanner::next(std::size_t from) const {
  while (from + sought_.size() <= text_.size()) {
    const std::size_t candidate = nextCandidate(from);
    if (candidate == kNone) return kNone;
    if (startsCharacter(text_, from, candidate)) {
      return isLoneLeadByte(text_, candidate) ? kNone : candidate;
    }
    // The candidate is the second byte of a character, so the next byte starts one.
    from = candidate + 1;
  }
  return kNone;
}

std::size_t MatchScanner::nextCandidate(std::size_t from) const {
  if (!ignoreCase_) return text_.find(sought_, from);
  for (std::size_t pos = from; pos + sought_.size() <= text_.size(); ++pos) {
    if (equalsFoldedAt(pos)) return pos;
  }
  return kNone;
}

bool MatchScanner::equalsFoldedAt(std::size_t pos) const {
  for (std::size_t i = 0; i < sought_.size(); ++i) {
    if (foldCase(text_[pos + i]) != foldCase(sought_[i])) return false;
  }
  return true;
}

}  // namespace corvalin::scan
