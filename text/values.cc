#include <algorithm>
#include <charconv>
#include <climits>
#include <cstring>

#include "platform/run_error.h"
#include "text/result.h"
#include "text/text.h"

namespace corvalin {
namespace {

// Lengths are 32-bit signed: a value that would not fit is treated as memory that cannot be had.
void requireRoom(std::size_t current, std::size_t added) {
  constexpr std::size_t kMaxLength = INT_MAX;
  if (added > kMaxLength - std::min(current, kMaxLength)) {
    platform::endWithAllocationFailure(current + added + 1);
  }
}

}  // namespace

Text::Text(const char* bytes) : present_(bytes != nullptr) {
  if (bytes != nullptr) {
    const std::size_t n = std::strlen(bytes);
    requireRoom(0, n);
    bytes_.assign(bytes, n);
  }
}

Text Text::fromBytes(std::string_view bytes) {
  TextBuilder builder;
  builder.append(bytes.substr(0, bytes.find('\0')));
  return builder.take();
}

Bytes Bytes::fromBytes(std::string_view bytes) {
  BytesBuilder builder;
  builder.append(bytes);
  return builder.take();
}

void TextBuilder::reserve(std::size_t n) {
  requireRoom(0, n);
  text_.bytes_.reserve(n);
}

void TextBuilder::append(std::string_view bytes) {
  requireRoom(text_.bytes_.size(), bytes.size());
  text_.bytes_.append(bytes.data(), bytes.size());
}

void TextBuilder::appendFill(std::size_t count, char byte) {
  requireRoom(text_.bytes_.size(), count);
  text_.bytes_.append(count, byte);
}

Text TextBuilder::take() {
  text_.present_ = true;
  Text result = std::move(text_);
  text_ = Text();
  return result;
}

void BytesBuilder::reserve(std::size_t n) {
  requireRoom(0, n);
  bytes_.bytes_.reserve(n);
}

void BytesBuilder::append(std::string_view bytes) {
  requireRoom(bytes_.bytes_.size(), bytes.size());
  bytes_.bytes_.append(bytes.data(), bytes.size());
}

void BytesBuilder::appendFill(std::size_t count, char byte) {
  requireRoom(bytes_.bytes_.size(), count);
  bytes_.bytes_.append(count, byte);
}

Bytes BytesBuilder::take() {
  Bytes result;
  if (!bytes_.bytes_.empty()) {
    bytes_.present_ = true;
    result = std::move(bytes_);
  }
  bytes_ = Bytes();
  return result;
}

int textLength(const Text& text) { return text.length(); }

int bytesLength(const Bytes& bytes) { return bytes.length(); }

Text toText(std::int32_t value) {
  char digits[16];
  const auto end = std::to_chars(digits, digits + sizeof digits, value).ptr;
  return textResult(std::string_view(digits, static_cast<std::size_t>(end - digits)));
}

Text toText(const Bytes& bytes) {
  const std::string_view all = bytes.view();
  return textResult(all.substr(0, all.find('\0')));
}

Text concatText(std::initializer_list<std::string_view> parts) {
  std::size_t total = 0;
  for (std::string_view part : parts) {
    requireRoom(total, part.size());
    total += part.size();
  }
  TextBuilder builder;
  builder.reserve(total);
  for (std::string_view part : parts) builder.append(part);
  return builder.take();
}

Bytes concatBytes(const Bytes& a, const Bytes& b) {
  BytesBuilder builder;
  requireRoom(a.view().size(), b.view().size());
  builder.reserve(a.view().size() + b.view().size());
  builder.append(a.view());
  builder.append(b.view());
  return builder.take();
}

int compareText(const Text& a, const Text& b) {
  // char_traits<char>::compare compares as unsigned char.
  const int order = a.view().compare(b.view());
  return (order > 0) - (order < 0);
}

bool bytesEqual(const Bytes& a, const Bytes& b) { return a.view() == b.view(); }

}  // namespace corvalin
