#include "platform/posix/gbk_edge.h"

#include <iconv.h>

#include <cerrno>

namespace platform::posix {
namespace {

const iconv_t kNoConverter = reinterpret_cast<iconv_t>(-1);

// One conversion with iconv, replacing each invalid or incomplete sequence by "?" and going on
// after the byte that stopped it. The descriptor is the caller's, kept open for reuse (every
// path of a conversion run crosses this edge, and opening one loads the converter anew).
std::string convert(iconv_t cd, std::string_view in) {
  std::string out;
  if (in.empty()) return out;
  if (cd == kNoConverter) return std::string(in);
  iconv(cd, nullptr, nullptr, nullptr, nullptr);  // back to the initial state
  out.resize(in.size() * 4 + 16);
  char* src = const_cast<char*>(in.data());
  std::size_t srcLeft = in.size();
  char* dst = out.data();
  std::size_t dstLeft = out.size();
  auto grow = [&] {
    const std::size_t used = static_cast<std::size_t>(dst - out.data());
    out.resize(out.size() * 2);
    dst = out.data() + used;
    dstLeft = out.size() - used;
  };
  while (srcLeft > 0) {
    if (iconv(cd, &src, &srcLeft, &dst, &dstLeft) != static_cast<std::size_t>(-1)) break;
    if (errno == E2BIG) {
      grow();
      continue;
    }
    // EILSEQ or EINVAL: skip one byte and put a "?" in its place.
    if (dstLeft == 0) grow();
    *dst++ = '?';
    --dstLeft;
    ++src;
    --srcLeft;
  }
  out.resize(static_cast<std::size_t>(dst - out.data()));
  return out;
}

}  // namespace

std::string systemToUtf8(std::string_view text) {
  static const iconv_t toUtf8 = iconv_open("UTF-8", "GB18030");
  return convert(toUtf8, text);
}

std::string utf8ToSystem(std::string_view text) {
  static const iconv_t fromUtf8 = iconv_open("GB18030", "UTF-8");
  return convert(fromUtf8, text);
}

}  // namespace platform::posix
