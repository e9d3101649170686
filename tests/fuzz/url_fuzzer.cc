// urlHost (every option), urlPort, urlPath and textBetween against a model written from their
// rules over the reference text operations, and against properties that hold for any URL.
#include <string_view>

#include "tests/fuzz/fuzz_input.h"
#include "web/url.h"

using fuzzing::bytesOf;
using fuzzing::expectSame;
using fuzzing::fail;
using fuzzing::toText;
using reference::MaybeText;

namespace {

// URL parts: schemes in both cases, separators, a port, and two-byte characters whose second
// byte is a separator or an upper-case letter.
constexpr std::string_view kUrlAlphabet =
    "hHtTpPsS:/.?=#ax9\x81\xA3\xD6\x80\xFF"
    "\x22"
    "\xD2\xFD\xBA\xC5";  // the second bytes of 引号

const std::string kQuotePlaceholder = "#\xD2\xFD\xBA\xC5";  // #引号

std::string plain(const MaybeText& t) { return t.value_or(std::string()); }

MaybeText between(const std::string& source, const std::string& startMarker,
                  const std::string& endMarker, int startPosition, bool ignoreCase) {
  const std::string m1 =
      plain(reference::replace(startMarker, kQuotePlaceholder, "\"", 1, {}, true));
  const std::string m2 = plain(reference::replace(endMarker, kQuotePlaceholder, "\"", 1, {}, true));
  int p = reference::find(source, m1, startPosition, ignoreCase);
  if (p != -1) p += static_cast<int>(m1.size());
  const int q = reference::find(source, m2, p, ignoreCase);
  if (p == -1 || q == -1) return std::nullopt;
  return reference::mid(source, p, q - p);
}

bool startsWith(const std::string& t, std::string_view prefix) {
  return t.compare(0, prefix.size(), prefix) == 0;
}

std::string standardHost(std::string v, bool domainOnly) {
  if (v.empty() || v.back() != '/') v += '/';
  if (startsWith(v, "https://")) {
    v = plain(between(v, "https://", "/", 0, false));
  } else {
    if (reference::find(v, "http://", 1, false) == -1) v = "http://" + v;
    v = plain(between(v, "http://", "/", 0, false));
  }
  if (domainOnly) {
    const auto labels = reference::split(v, ".", std::nullopt);
    const std::size_t n = labels.size();
    if (n >= 2) v = plain(labels[n - 2]) + "." + plain(labels[n - 1]);
  }
  return v;
}

std::string dotCountHost(std::string v, bool domainOnly, int dotCount) {
  v = plain(reference::replace(v, "http://", "", 1, {}, true));
  v = plain(reference::replace(v, "https://", "", 1, {}, true));
  const int slash = reference::find(v, "/", 1, false);
  if (slash != -1) v = plain(reference::left(v, slash - 1));
  const int length = static_cast<int>(v.size());
  int pos = length;
  // Once nothing is found nothing ever is, so the rest of a long count changes nothing.
  for (int i = 0; i < dotCount && pos != -1; ++i) pos = reference::findReverse(v, ".", pos, false);
  const int d = reference::findReverse(v, ".", pos, false);
  if (domainOnly) return plain(reference::right(v, length - d));
  if (d != -1) {
    const int d2 = reference::findReverse(v, ".", d, false);
    if (d2 != -1) return plain(reference::right(v, length - d2));
  }
  return v;
}

std::string host(const std::string& url, const corvalin::HostOptions& options) {
  const std::string lower = plain(reference::lower(url));
  std::string v = options.dotCount ? dotCountHost(lower, options.domainOnly, *options.dotCount)
                                   : standardHost(lower, options.domainOnly);
  if (options.keepPort) return v;
  const int colon = reference::find(v, ":", 1, false);
  return colon == -1 ? v : plain(reference::left(v, colon - 1));
}

// Whether `sought` starts at a character start of `t` (the two-byte reading of the text
// operations).
bool holdsCharacter(const std::string& t, char sought) {
  return reference::find(t, std::string(1, sought), 1, false) != -1;
}

bool holdsUpperCaseLetter(const std::string& t) {
  for (std::size_t i = 0; i < t.size(); i += reference::width(t, i)) {
    if (reference::width(t, i) == 1 && t[i] >= 'A' && t[i] <= 'Z') return true;
  }
  return false;
}

void checkHost(const std::string& url, const corvalin::HostOptions& options) {
  const corvalin::Text actual = corvalin::urlHost(corvalin::Text(url.c_str()), options);
  const std::string got = actual.str();
  expectSame("urlHost", actual, reference::result(host(url, options)));
  if (holdsUpperCaseLetter(got)) fail("urlHost is not lower case", got);
  if (!options.keepPort && holdsCharacter(got, ':')) fail("urlHost kept a port", got);
  if (!options.dotCount && holdsCharacter(got, '/')) fail("urlHost holds a path", got);
}

void checkPortAndPath(const std::string& url) {
  const corvalin::Text text(url.c_str());
  const std::string withPort = host(url, {.keepPort = true});
  const int port = corvalin::urlPort(text);
  const int colon = reference::findReverse(withPort, ":", std::nullopt, false);
  if (colon == -1) {
    const bool https = startsWith(plain(reference::lower(url)), "https");
    expectSame("urlPort without a colon", port, https ? 443 : 80);
  } else {
    const std::string digits = withPort.substr(static_cast<std::size_t>(colon));
    expectSame("urlPort", port, reference::toInt(digits));
  }

  const std::string path = corvalin::urlPath(text).str();
  if (path.empty() || path[0] != '/') fail("urlPath does not start with /", path);
  const int hostAt = reference::find(url, host(url, {}), 1, true);
  const int slash = reference::find(url, "/", hostAt, true);
  expectSame("urlPath", corvalin::urlPath(text),
             slash <= 0 ? std::string("/") : url.substr(static_cast<std::size_t>(slash - 1)));
}

void checkBetween(fuzzing::Input& input, const std::string& source) {
  const std::string m1 = bytesOf(input.text(8, kUrlAlphabet));
  const std::string m2 = bytesOf(input.text(8, kUrlAlphabet));
  const int start = input.position(source.size());
  const bool ignoreCase = input.flag();
  const corvalin::Text actual =
      corvalin::textBetween(corvalin::Text(source.c_str()), corvalin::Text(m1.c_str()),
                            corvalin::Text(m2.c_str()), {start, ignoreCase});
  expectSame("textBetween", actual, between(source, m1, m2, start, ignoreCase));
  if (actual.isEmpty()) return;
  // A non-empty result stands in the source right after a start marker, and holds no end
  // marker at a character start.
  const std::string got = actual.str();
  const std::string startMarker =
      plain(reference::replace(m1, kQuotePlaceholder, "\"", 1, {}, true));
  const std::string endMarker = plain(reference::replace(m2, kQuotePlaceholder, "\"", 1, {}, true));
  const int at = reference::find(source, startMarker, start, ignoreCase);
  if (at == -1) fail("textBetween found no start marker", got);
  const std::size_t from = static_cast<std::size_t>(at - 1) + startMarker.size();
  if (source.compare(from, got.size(), got) != 0) {
    fail("textBetween is not the text after the start marker", got);
  }
  if (reference::find(got, endMarker, 1, ignoreCase) != -1) {
    fail("textBetween holds the end marker", got);
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::Input input(data, size);
  const std::string url = bytesOf(input.text(96, kUrlAlphabet));
  corvalin::HostOptions options;
  options.domainOnly = input.flag();
  options.keepPort = input.flag();
  if (input.flag()) options.dotCount = input.position(4);
  checkHost(url, options);
  checkPortAndPath(url);
  checkBetween(input, url);
  return 0;
}
