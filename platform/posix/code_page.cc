// The two code page conversions on POSIX, with glibc's iconv, for a system whose ANSI code page
// is 936. What iconv refuses is replaced as Windows does it: an unreadable sequence by one
// default character, an unwritable UTF-16 unit by "?" (so a character outside the BMP that 936
// cannot hold becomes "??", one per surrogate). Every BMP character that glibc's CP936 writes
// comes out in the same bytes as on Windows. Windows also writes about 400 more by best fit (a
// near character) and maps 936's user-defined area (and the byte 0xFF) to private-use
// characters; here those are "?" both ways.
#include "platform/code_page.h"

#include <iconv.h>

#include <cerrno>
#include <cstddef>
#include <cstring>
#include <string_view>

namespace platform {
namespace {

using SequenceLength = std::size_t (*)(const unsigned char* at, std::size_t left);

// One character of code page 936 as Windows splits the bytes: a lead byte 0x81..0xFE takes the
// next byte with it unless that is the end; every other byte stands alone.
std::size_t gbkCharacterLength(const unsigned char* at, std::size_t left) {
  const bool lead = at[0] >= 0x81 && at[0] <= 0xFE;
  return lead && left > 1 && at[1] != 0 ? 2 : 1;
}

// The continuation bytes a UTF-8 lead byte announces; 0 for a byte that starts no sequence.
std::size_t continuationBytesAfter(unsigned char lead) {
  if (lead >= 0xC2 && lead <= 0xDF) return 1;
  if (lead >= 0xE0 && lead <= 0xEF) return 2;
  if (lead >= 0xF0 && lead <= 0xF4) return 3;
  return 0;
}

// The bytes of an ill-formed UTF-8 sequence that become one U+FFFD, split as Windows (Wine)
// splits them: a lead byte takes the continuation bytes that follow it, up to its length, and
// the second byte ends the sequence when it shows an overlong form, a surrogate or a value
// above U+10FFFF.
std::size_t invalidUtf8Length(const unsigned char* at, std::size_t left) {
  const unsigned char lead = at[0];
  const std::size_t followers = continuationBytesAfter(lead);
  if (followers == 0) return 1;
  unsigned value = lead & (0x3Fu >> followers);
  std::size_t length = 1;
  while (length <= followers && length < left && (at[length] & 0xC0) == 0x80) {
    value = (value << 6) | (at[length] & 0x3Fu);
    ++length;
    if (length != 2) continue;
    const bool threeByteOutOfRange =
        followers == 2 && (value < 0x20 || (value >= 0x360 && value < 0x380));
    const bool fourByteOutOfRange = followers == 3 && (value < 0x10 || value >= 0x110);
    if (threeByteOutOfRange || fourByteOutOfRange) break;
  }
  return length;
}

// A UTF-16 unit that cannot be written is replaced on its own.
std::size_t oneUnit(const unsigned char*, std::size_t) { return 2; }

struct CodePage {
  const char* iconvName;
  SequenceLength unreadableLength;  // bytes that become one default character when reading
  std::string_view unreadableAs;    // that default character, as UTF-16LE
  std::string_view unwritableAs;    // what a UTF-16 unit that cannot be written becomes
};

// Code page 936 is GBK ("CP936": GBK with the euro sign at 0x80), not GB18030: Windows' 936
// writes "?" where GB18030 would write a four-byte sequence.
constexpr CodePage kGbk{"CP936", gbkCharacterLength, {"\x3F\x00", 2}, "?"};
constexpr CodePage kUtf8{"UTF-8", invalidUtf8Length, "\xFD\xFF", "\xEF\xBF\xBD"};
constexpr char kUtf16[] = "UTF-16LE";

const CodePage* codePageNumbered(int number) {
  switch (number) {
    case 0:  // the system's ANSI code page
    case 936:
      return &kGbk;
    case 65001:
      return &kUtf8;
    default:
      return nullptr;
  }
}

// Collects the converted bytes: writes them while they fit in the room and counts them all.
// With no room (or no buffer) it only counts.
class Output {
 public:
  Output(char* data, int room)
      : data_(data), room_(data != nullptr && room > 0 ? static_cast<std::size_t>(room) : 0) {}

  void put(std::string_view bytes) {
    if (room_ != 0 && size_ + bytes.size() <= room_) {
      std::memcpy(data_ + size_, bytes.data(), bytes.size());
    }
    size_ += bytes.size();
  }

  // The size in units of `unitBytes`: needed when counting, else written, or 0 when too big.
  int result(std::size_t unitBytes) const {
    if (room_ != 0 && size_ > room_) return 0;
    return static_cast<int>(size_ / unitBytes);
  }

 private:
  char* data_;
  std::size_t room_;
  std::size_t size_ = 0;
};

// Converts `input` with iconv, putting `replacement` for each sequence iconv cannot convert and
// going on after it (`unconvertible` tells how many bytes that sequence has). False when iconv
// does not know the pair of encodings.
bool convert(const char* to, const char* from, std::string_view input, SequenceLength unconvertible,
             std::string_view replacement, Output& out) {
  iconv_t cd = iconv_open(to, from);
  if (cd == reinterpret_cast<iconv_t>(-1)) return false;
  char* in = const_cast<char*>(input.data());
  std::size_t inLeft = input.size();
  char chunk[256];
  while (inLeft > 0) {
    char* chunkEnd = chunk;
    std::size_t chunkLeft = sizeof chunk;
    const std::size_t done = iconv(cd, &in, &inLeft, &chunkEnd, &chunkLeft);
    const int error = errno;
    out.put({chunk, static_cast<std::size_t>(chunkEnd - chunk)});
    if (done != static_cast<std::size_t>(-1) || error == E2BIG) continue;
    // EILSEQ, or EINVAL for a sequence cut off by the end of the input.
    std::size_t skip = unconvertible(reinterpret_cast<const unsigned char*>(in), inLeft);
    if (skip > inLeft) skip = inLeft;
    out.put(replacement);
    in += skip;
    inLeft -= skip;
  }
  iconv_close(cd);
  return true;
}

// The bytes of zero-terminated UTF-16, its zero unit included.
std::size_t wideBytesThroughZero(const char* wide) {
  std::size_t at = 0;
  while (wide[at] != 0 || wide[at + 1] != 0) at += 2;
  return at + 2;
}

}  // namespace

// No flags are known here; the program passes 0.
int multiByteToWideChar(int codePage, std::uint32_t /*flags*/, const char* input, int inputLength,
                        char* wideOutput, int outputUnits) {
  const CodePage* page = codePageNumbered(codePage);
  if (page == nullptr || input == nullptr) return 0;
  const std::size_t length =
      inputLength < 0 ? std::strlen(input) + 1 : static_cast<std::size_t>(inputLength);
  Output out(wideOutput, outputUnits > 0 ? outputUnits * 2 : 0);
  if (!convert(kUtf16, page->iconvName, {input, length}, page->unreadableLength, page->unreadableAs,
               out)) {
    return 0;
  }
  return out.result(2);
}

int wideCharToMultiByte(int codePage, std::uint32_t /*flags*/, const char* wideInput,
                        int inputUnits, char* output, int outputBytes) {
  const CodePage* page = codePageNumbered(codePage);
  if (page == nullptr || wideInput == nullptr) return 0;
  const std::size_t length =
      inputUnits < 0 ? wideBytesThroughZero(wideInput) : static_cast<std::size_t>(inputUnits) * 2;
  Output out(output, outputBytes);
  if (!convert(page->iconvName, kUtf16, {wideInput, length}, oneUnit, page->unwritableAs, out)) {
    return 0;
  }
  return out.result(1);
}

}  // namespace platform
