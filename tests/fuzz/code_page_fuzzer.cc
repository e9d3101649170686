// The code page conversions on any bytes: nothing reads or writes past a buffer (the sanitizer
// watches), the UTF-16 buffer always ends in its zero unit and zero fill, and valid UTF-8 comes
// back unchanged from UTF-16.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

#include "lookup/code_page.h"

namespace {

[[noreturn]] void fail(const char* what, std::string_view bytes) {
  std::fprintf(stderr, "MISMATCH in %s for %zu input bytes\n", what, bytes.size());
  std::abort();
}

// The UTF-8 form of a code point (surrogates excluded by the caller).
void appendUtf8(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

std::string validUtf8(FuzzedDataProvider& provider) {
  std::string out;
  while (provider.remaining_bytes() > 0 && out.size() < 256) {
    char32_t c = provider.ConsumeIntegralInRange<char32_t>(1, 0x10FFFF);
    if (c >= 0xD800 && c < 0xE000) c -= 0x800;
    appendUtf8(out, c);
  }
  return out;
}

// Zero bytes after the units and their zero unit, up to the end.
void expectZeroUnitAndFill(const corvalin::Bytes& wide, std::string_view input) {
  const std::string_view units = wide.view();
  if (units.size() < 2 || units.size() % 2 != 0) fail("ansiToWide length", input);
  std::size_t zero = 0;
  while (zero < units.size() && (units[zero] != 0 || units[zero + 1] != 0)) zero += 2;
  if (zero == units.size()) fail("ansiToWide zero unit", input);
  if (units.find_first_not_of('\0', zero) != std::string_view::npos) fail("ansiToWide fill", input);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  FuzzedDataProvider provider(data, size);
  switch (provider.ConsumeIntegralInRange(0, 2)) {
    case 0: {  // any bytes as text, read in each code page
      const std::string bytes = provider.ConsumeRandomLengthString(512);
      const corvalin::Text text = corvalin::Text::fromBytes(bytes);
      for (int page : {0, 936, 65001})
        expectZeroUnitAndFill(corvalin::ansiToWide(text, page), bytes);
      const corvalin::Text gbk = corvalin::utf8ToGbk(text);
      if (gbk.view().find('\0') != std::string_view::npos) fail("utf8ToGbk zero byte", bytes);
      break;
    }
    case 1: {  // any bytes as UTF-16, with or without a zero unit
      const std::string bytes = provider.ConsumeRandomLengthString(512);
      const corvalin::Bytes wide = corvalin::Bytes::fromBytes(bytes);
      for (int page : {0, 936, 65001}) corvalin::wideToAnsi(wide, page);
      break;
    }
    default: {  // valid UTF-8 through UTF-16 and back
      const std::string utf8 = validUtf8(provider);
      const corvalin::Text text = corvalin::Text::fromBytes(utf8);
      const corvalin::Bytes wide = corvalin::ansiToWide(text);
      expectZeroUnitAndFill(wide, utf8);
      if (corvalin::wideToAnsi(wide, 65001).view() != utf8) fail("UTF-8 round trip", utf8);
    }
  }
  return 0;
}
