// Operations that count and cut plain bytes.
#include <algorithm>

#include "text/result.h"
#include "text/text.h"

namespace corvalin {
namespace {

std::size_t clampedCount(int count, std::size_t length) {
  return count <= 0 ? 0 : std::min(static_cast<std::size_t>(count), length);
}

}  // namespace

Text textLeft(const Text& text, int count) {
  return textResult(text.view().substr(0, clampedCount(count, text.view().size())));
}

Text textRight(const Text& text, int count) {
  const std::string_view bytes = text.view();
  return textResult(bytes.substr(bytes.size() - clampedCount(count, bytes.size())));
}

Text textMid(const Text& text, int start, int count) {
  // A start below 1 is not moved to 1: it gives nothing, like a start past the end.
  const std::string_view bytes = text.view();
  if (start < 1 || static_cast<std::size_t>(start) > bytes.size() || count <= 0) return Text();
  return textResult(
      bytes.substr(static_cast<std::size_t>(start) - 1, static_cast<std::size_t>(count)));
}

Bytes bytesLeft(const Bytes& bytes, int count) {
  return Bytes::fromBytes(bytes.view().substr(0, clampedCount(count, bytes.view().size())));
}

Bytes toBytes(const Text& text) { return Bytes::fromBytes(text.view()); }

Text blankText(int count) {
  if (count <= 0) return Text();
  TextBuilder builder;
  builder.appendFill(static_cast<std::size_t>(count), ' ');
  return builder.take();
}

Bytes blankBytes(int count) {
  BytesBuilder builder;
  if (count > 0) builder.appendFill(static_cast<std::size_t>(count), '\0');
  return builder.take();
}

Text charFromCode(int code) {
  // Code 0 (and anything that is not a byte) gives the absent text: a null pointer at the
  // platform edge.
  if (code < 1 || code > 255) return Text();
  const char byte = static_cast<char>(code);
  return textResult(std::string_view(&byte, 1));
}

}  // namespace corvalin
