// Operations that rewrite or read a text character by character.
#include <cstdint>

#include "text/result.h"
#include "text/scan.h"
#include "text/text.h"

namespace corvalin {
namespace {

using scan::charWidth;
using scan::isLoneLeadByte;

// 0x20, or the full-width space 0xA1 0xA1.
bool isBlankAt(std::string_view bytes, std::size_t pos, std::size_t width) {
  return width == 1 ? bytes[pos] == ' ' : bytes.substr(pos, 2) == "\xA1\xA1";
}

// The byte a full-width form maps to before a number is read, or 0 when the two-byte character
// is not one of them (it then stays as it is, and no number reads on past it).
unsigned char halfWidthOf(unsigned char first, unsigned char second) {
  if (first == 0xA3 && second >= 0xA1 && second <= 0xFE)
    return static_cast<unsigned char>(second - 0x80);
  if (first != 0xA1) return 0;
  switch (second) {
    case 0xA1:
      return ' ';
    case 0xAB:
      return '~';
    case 0xEE:
    case 0xEF:
      return '*';
    default:
      return 0;
  }
}

// Reads a text as the bytes it has once full-width forms are mapped to ASCII.
class HalfWidthReader {
 public:
  explicit HalfWidthReader(std::string_view bytes) : bytes_(bytes) {}

  // The current mapped byte; 0 at the end, at a lone first byte there, and at a two-byte
  // character that is not a full-width form (none of them is a blank, sign or digit).
  unsigned char peek() const {
    if (pos_ >= bytes_.size() || isLoneLeadByte(bytes_, pos_)) return 0;
    const auto first = static_cast<unsigned char>(bytes_[pos_]);
    if (charWidth(bytes_, pos_) == 1) return first;
    return halfWidthOf(first, static_cast<unsigned char>(bytes_[pos_ + 1]));
  }
  void advance() { pos_ += charWidth(bytes_, pos_); }

 private:
  std::string_view bytes_;
  std::size_t pos_ = 0;
};

bool isLeadingSpace(unsigned char byte) { return byte == ' ' || (byte >= 0x09 && byte <= 0x0D); }

}  // namespace

Text trimBoth(const Text& text) {
  const std::string_view bytes = text.view();
  std::size_t pos = 0;
  while (pos < bytes.size() && !isLoneLeadByte(bytes, pos) &&
         isBlankAt(bytes, pos, charWidth(bytes, pos))) {
    pos += charWidth(bytes, pos);
  }
  const std::size_t start = pos;
  std::size_t end = pos;
  // A lone first byte at the end is dropped; blanks before it count as inside the text.
  while (pos < bytes.size() && !isLoneLeadByte(bytes, pos)) {
    const std::size_t width = charWidth(bytes, pos);
    if (!isBlankAt(bytes, pos, width)) end = pos + width;
    pos += width;
  }
  if (pos < bytes.size()) end = pos;
  return textResult(bytes.substr(start, end - start));
}

Text toLowerCase(const Text& text) {
  const std::string_view bytes = text.view();
  TextBuilder out;
  out.reserve(bytes.size());
  std::size_t copiedUpTo = 0;
  for (std::size_t pos = 0; pos < bytes.size(); pos += charWidth(bytes, pos)) {
    const char lower = scan::foldCase(bytes[pos]);
    if (lower == bytes[pos] || charWidth(bytes, pos) != 1) continue;
    out.append(bytes.substr(copiedUpTo, pos - copiedUpTo));
    out.append(std::string_view(&lower, 1));
    copiedUpTo = pos + 1;
  }
  out.append(bytes.substr(copiedUpTo));
  return textResult(out);
}

std::int32_t toInt(const Text& text) {
  HalfWidthReader reader(text.view());
  while (isLeadingSpace(reader.peek())) reader.advance();
  const bool negative = reader.peek() == '-';
  if (negative || reader.peek() == '+') reader.advance();
  // Accumulated modulo 2^32, then read as signed: no saturation.
  std::uint32_t value = 0;
  for (unsigned char c = reader.peek(); c >= '0' && c <= '9'; c = reader.peek()) {
    value = value * 10u + static_cast<std::uint32_t>(c - '0');
    reader.advance();
  }
  if (negative) value = 0u - value;
  return static_cast<std::int32_t>(value);
}

}  // namespace corvalin
