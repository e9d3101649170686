// Turns a fuzzer's bytes into texts and numbers for the text operations, and checks results
// against the reference model, stopping the fuzzer with the case on the first difference.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <limits>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "tests/fuzz/text_reference.h"
#include "text/text.h"

namespace fuzzing {

// Bytes that matter to the operations: letters of both cases, blanks, signs, digits, the path
// and field separators, and first and second bytes of two-byte characters (the full-width
// space A1 A1, full-width forms A3 xx, and 0x80 and 0xFF at the ends of the first-byte range).
constexpr char kAlphabet[] = {'a',    'A',    'b',    ' ',    '\t',   '-',   '+',
                              '1',    '0',    '\\',   '|',    ',',    '.',   '\x80',
                              '\xA1', '\xA3', '\xB1', '\xD6', '\xFF', '\x5C'};

class Input {
 public:
  Input(const std::uint8_t* data, std::size_t size) : provider_(data, size) {}

  // A text without zero bytes; absent or present when empty, as the input says. Drawn either
  // from `alphabet` or from any bytes.
  std::optional<std::string> text(std::size_t maxLength = 64,
                                  std::string_view alphabet = {kAlphabet, sizeof kAlphabet}) {
    const bool fromAlphabet = provider_.ConsumeBool();
    std::string bytes = provider_.ConsumeRandomLengthString(maxLength);
    for (char& c : bytes) {
      if (fromAlphabet) c = alphabet[static_cast<unsigned char>(c) % alphabet.size()];
      if (c == '\0') c = '\x01';
    }
    if (bytes.empty() && provider_.ConsumeBool()) return std::nullopt;
    return bytes;
  }

  // Up to `maxPieces` pieces, each one of `pieces` or a stretch of any bytes, so that the shapes
  // that matter to an operation are common in its input.
  std::string joinedPieces(std::span<const std::string_view> pieces, int maxPieces) {
    std::string joined;
    const int count = pick(maxPieces);
    for (int i = 0; i < count; ++i) {
      if (flag()) {
        joined += pieces[static_cast<std::size_t>(pick(static_cast<int>(pieces.size())))];
      } else {
        joined += text(16).value_or(std::string());
      }
    }
    return joined;
  }

  // Mostly near the text's edges, sometimes anything.
  int position(std::size_t length) {
    if (provider_.ConsumeBool()) return provider_.ConsumeIntegral<int>();
    return provider_.ConsumeIntegralInRange<int>(-2, static_cast<int>(length) + 2);
  }

  std::optional<int> optionalPosition(std::size_t length) {
    if (provider_.ConsumeBool()) return std::nullopt;
    return position(length);
  }

  bool flag() { return provider_.ConsumeBool(); }
  int pick(int count) { return provider_.ConsumeIntegralInRange<int>(0, count - 1); }

 private:
  FuzzedDataProvider provider_;
};

inline corvalin::Text toText(const std::optional<std::string>& t) {
  return t ? corvalin::Text(t->c_str()) : corvalin::Text();
}

inline std::string bytesOf(const std::optional<std::string>& t) {
  return t.value_or(std::string());
}

[[noreturn]] inline void fail(const char* what, const std::string& detail) {
  std::fprintf(stderr, "MISMATCH in %s: %s\n", what, detail.c_str());
  std::abort();
}

inline std::string show(const reference::MaybeText& t) { return t ? "\"" + *t + "\"" : "<absent>"; }
inline std::string show(const corvalin::Text& t) {
  return t.isAbsent() ? "<absent>" : "\"" + t.str() + "\"";
}

inline void expectSame(const char* what, const corvalin::Text& actual,
                       const reference::MaybeText& expected) {
  const bool same = expected ? !actual.isAbsent() && actual.str() == *expected : actual.isAbsent();
  if (!same) fail(what, "got " + show(actual) + ", expected " + show(expected));
}

inline void expectSame(const char* what, long long actual, long long expected) {
  if (actual != expected)
    fail(what, "got " + std::to_string(actual) + ", expected " + std::to_string(expected));
}

}  // namespace fuzzing
