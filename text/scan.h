// Scanning a code page 936 text by character: a byte 0x80..0xFF starts a two-byte character
// together with the byte after it; every other byte is a character of its own. Internal to
// the text operations.
#pragma once

#include <cstddef>
#include <string_view>

namespace corvalin::scan {

constexpr std::size_t kNone = std::string_view::npos;

inline bool isLeadByte(char byte) { return static_cast<unsigned char>(byte) >= 0x80; }

inline char foldCase(char byte) {
  return (byte >= 'A' && byte <= 'Z') ? static_cast<char>(byte + 0x20) : byte;
}

// A first byte with nothing after it: a scan by character stops there.
inline bool isLoneLeadByte(std::string_view text, std::size_t pos) {
  return pos + 1 == text.size() && isLeadByte(text[pos]);
}

// Width of the character that starts at `pos`: 2 for a two-byte character, else 1.
inline std::size_t charWidth(std::string_view text, std::size_t pos) {
  return isLeadByte(text[pos]) && pos + 1 < text.size() ? 2 : 1;
}

// Whether `pos` is a character start of `text` scanned by character from `from` (a character
// start, from <= pos). Looks back only over the run of bytes 0x80..0xFF before `pos`: the byte
// after a byte below 0x80 always starts a character, and such a run pairs up from its start.
bool startsCharacter(std::string_view text, std::size_t from, std::size_t pos);

// Finds the occurrences of a sought text (not empty) that begin at character starts of a text
// scanned by character, comparing exactly or with ASCII letters folded. Candidates come from a
// plain byte search, so a scan costs about what one byte search costs.
class MatchScanner {
 public:
  MatchScanner(std::string_view text, std::string_view sought, bool ignoreCase)
      : text_(text), sought_(sought), ignoreCase_(ignoreCase) {}

  // The first match when scanning by character from `from`, which counts as a character start
  // whatever byte it holds; kNone when there is none.
  std::size_t next(std::size_t from) const;

 private:
  std::size_t nextCandidate(std::size_t from) const;
  bool equalsFoldedAt(std::size_t pos) const;

  std::string_view text_;
  std::string_view sought_;
  bool ignoreCase_;
};

}  // namespace corvalin::scan
