// Text, Bytes and TextArray: the value types every routine of the program is written in,
// with the text and byte operations and the run error.
//
// A Text is a byte string in code page 936 without zero bytes, which may be absent; an absent
// text reads as empty everywhere except at the platform edge, where it is a null pointer.
// Positions are 1-based byte positions; a search that finds nothing yields -1. Scanning
// operations step over a two-byte character (a byte 0x80..0xFF and the byte after it) as one
// unit. Every operation returns a new value and leaves its arguments alone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "text/checked_allocator.h"

namespace corvalin {

using ByteString = std::basic_string<char, std::char_traits<char>, CheckedAllocator<char>>;

class Text {
 public:
  // The absent text.
  Text() = default;
  // A present text holding the bytes of a zero-terminated string; nullptr gives the absent text.
  Text(const char* bytes);  // NOLINT(google-explicit-constructor): literals read as texts
  // A present text holding the bytes before the first zero byte of `bytes`.
  static Text fromBytes(std::string_view bytes);

  bool isAbsent() const { return !present_; }
  bool isEmpty() const { return bytes_.empty(); }
  int length() const { return static_cast<int>(bytes_.size()); }
  std::string_view view() const { return {bytes_.data(), bytes_.size()}; }
  std::string str() const { return std::string(view()); }
  // For the platform edge: nullptr for the absent text, else a zero-terminated string.
  const char* platformPointer() const { return present_ ? bytes_.c_str() : nullptr; }

  friend bool operator==(const Text& a, const Text& b) { return a.view() == b.view(); }

 private:
  friend class TextBuilder;
  ByteString bytes_;
  bool present_ = false;
};

class Bytes {
 public:
  // The absent Bytes.
  Bytes() = default;
  // Present Bytes holding exactly `bytes`, zero bytes included; empty input gives absent Bytes.
  static Bytes fromBytes(std::string_view bytes);

  bool isAbsent() const { return !present_; }
  int length() const { return static_cast<int>(bytes_.size()); }
  std::string_view view() const { return {bytes_.data(), bytes_.size()}; }
  // For the platform edge: nullptr for absent Bytes, else the data (writable, length() bytes).
  const char* platformPointer() const { return present_ ? bytes_.data() : nullptr; }
  char* writableData() { return present_ ? bytes_.data() : nullptr; }

  friend bool operator==(const Bytes& a, const Bytes& b) { return a.view() == b.view(); }

 private:
  friend class BytesBuilder;
  ByteString bytes_;
  bool present_ = false;
};

// Builds a Text piece by piece in amortised linear time; take() yields the result
// (present, possibly empty). A value longer than a 32-bit length can count is exhausted memory.
class TextBuilder {
 public:
  void reserve(std::size_t n);
  void append(std::string_view bytes);
  void append(const Text& t) { append(t.view()); }
  void appendFill(std::size_t count, char byte);
  std::size_t size() const { return text_.bytes_.size(); }
  Text take();

 private:
  Text text_;
};

// Builds Bytes piece by piece in amortised linear time; zero bytes are kept.
class BytesBuilder {
 public:
  void reserve(std::size_t n);
  void append(std::string_view bytes);
  void appendFill(std::size_t count, char byte);
  std::size_t size() const { return bytes_.bytes_.size(); }
  Bytes take();  // absent when nothing was appended

 private:
  Bytes bytes_;
};

class TextArray {
 public:
  int size() const { return static_cast<int>(members_.size()); }
  // Unchecked 1-based access; arrayMember() is the checked one.
  const Text& member(int index) const { return members_[static_cast<std::size_t>(index - 1)]; }
  void append(const Text& t) { members_.push_back(t); }
  const Text* begin() const { return members_.data(); }
  const Text* end() const { return members_.data() + members_.size(); }
  void clear() { members_.clear(); }

 private:
  std::vector<Text, CheckedAllocator<Text>> members_;
};

// ---- Values, arrays and the run error ----

int textLength(const Text& text);
Text toText(std::int32_t value);
Text toText(const Bytes& bytes);  // the bytes before the first zero byte
int bytesLength(const Bytes& bytes);
// Always present, possibly empty.
Text concatText(std::initializer_list<std::string_view> parts);
template <class... More>
Text concatText(const Text& a, const Text& b, const More&... more) {
  return concatText({a.view(), b.view(), Text(more).view()...});
}
Bytes concatBytes(const Bytes& a, const Bytes& b);
int compareText(const Text& a, const Text& b);  // -1, 0 or 1, bytes compared unsigned
bool bytesEqual(const Bytes& a, const Bytes& b);

int arraySize(const TextArray& array);
const Text& arrayMember(const TextArray& array, int index);  // run error 4 below 1, 1 above size
void arrayAppend(TextArray& array, const Text& text);
void makeArrayWritable(TextArray& array);

[[noreturn]] void raiseRunError(int code, const Text& message);

// ---- Text and byte operations ----

Text textLeft(const Text& text, int count);
Text textRight(const Text& text, int count);
Text textMid(const Text& text, int start, int count);

struct FindOptions {
  int start = 1;
  bool ignoreCase = false;
};
int findText(const Text& text, const Text& sought, FindOptions options = {});

struct FindReverseOptions {
  std::optional<int> limit;  // omitted: the whole text
  bool ignoreCase = false;
};
int findTextReverse(const Text& text, const Text& sought, FindReverseOptions options = {});

struct ReplaceOptions {
  int start = 1;
  std::optional<int> maxCount;  // omitted or negative: all occurrences
  bool caseSensitive = false;
};
Text replaceText(const Text& text, const Text& sought, const Text& replacement = Text(),
                 ReplaceOptions options = {});

struct SplitOptions {
  std::optional<int> maxCount;  // omitted: no limit
};
TextArray splitText(const Text& text, const Text& delimiter = ",", SplitOptions options = {});

Text trimBoth(const Text& text);
Text toLowerCase(const Text& text);
std::int32_t toInt(const Text& text);
Bytes toBytes(const Text& text);
Text blankText(int count);
Bytes blankBytes(int count);
Bytes bytesLeft(const Bytes& bytes, int count);
Text charFromCode(int code);

template <class... More>
std::int32_t bitOr(std::int32_t a, std::int32_t b, More... more) {
  std::uint32_t bits = static_cast<std::uint32_t>(a) | static_cast<std::uint32_t>(b);
  ((bits |= static_cast<std::uint32_t>(more)), ...);
  return static_cast<std::int32_t>(bits);
}

}  // namespace corvalin
