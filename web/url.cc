#include "web/url.h"

namespace corvalin {
namespace {

// #引号: the placeholder for a double quote inside the markers of textBetween.
const ReplaceOptions kExactCase{1, std::nullopt, true};
const Text kQuotePlaceholder = "#\xD2\xFD\xBA\xC5";  // #引号

Text withQuotes(const Text& marker) {
  return replaceText(marker, kQuotePlaceholder, "\"", kExactCase);
}

// The host in the standard way: the text between the scheme and the next "/".
Text standardHost(Text v, bool domainOnly) {
  if (compareText(textRight(v, 1), "/") != 0) v = concatText(v, "/");
  if (isSecureUrl(v)) {
    v = textBetween(v, "https://", "/");
  } else {
    if (findText(v, "http://") == -1) v = concatText("http://", v);
    v = textBetween(v, "http://", "/");
  }
  if (domainOnly) {
    const TextArray labels = splitText(v, ".");
    const int count = arraySize(labels);
    if (count >= 2) v = concatText(arrayMember(labels, count - 1), ".", arrayMember(labels, count));
  }
  return v;
}

// The host in the dot-count way: the trailing part with dotCount dots (one more without
// domainOnly); a host with no more dots than that comes back whole.
Text dotCountHost(Text v, bool domainOnly, int dotCount) {
  v = replaceText(v, "http://", Text(), kExactCase);
  v = replaceText(v, "https://", Text(), kExactCase);
  const int slash = findText(v, "/");
  if (slash != -1) v = textLeft(v, slash - 1);
  const int length = textLength(v);
  int pos = length;
  // Once no dot is left none ever is: a count larger than the host's dots stops there instead
  // of running on for up to 2^31 searches.
  for (int i = 0; i < dotCount && pos != -1; ++i) pos = findTextReverse(v, ".", {pos, false});
  const int d = findTextReverse(v, ".", {pos, false});
  if (domainOnly) return textRight(v, length - d);
  if (d != -1) {
    const int d2 = findTextReverse(v, ".", {d, false});
    if (d2 != -1) return textRight(v, length - d2);
  }
  return v;
}

}  // namespace

bool isSecureUrl(const Text& url) {
  return compareText(toLowerCase(textLeft(url, 8)), "https://") == 0;
}

Text textBetween(const Text& source, const Text& startMarker, const Text& endMarker,
                 BetweenOptions options) {
  const Text m1 = withQuotes(startMarker);
  const Text m2 = withQuotes(endMarker);
  int p = findText(source, m1, {options.startPosition, options.ignoreCase});
  if (p != -1) p += textLength(m1);
  const int q = findText(source, m2, {p, options.ignoreCase});
  if (p == -1 || q == -1) return Text();
  return textMid(source, p, q - p);
}

Text headerValue(const Text& line) {
  const int colon = findText(line, ":");
  const Text rest = colon == -1 ? Text() : textRight(line, textLength(line) - colon);
  return trimBoth(rest);
}

Text urlHost(const Text& url, HostOptions options) {
  const Text lower = toLowerCase(url);
  const Text v = options.dotCount ? dotCountHost(lower, options.domainOnly, *options.dotCount)
                                  : standardHost(lower, options.domainOnly);
  if (options.keepPort) return v;
  const int colon = findText(v, ":");
  return colon == -1 ? v : textLeft(v, colon - 1);
}

int urlPort(const Text& url) {
  const Text host = urlHost(url, {false, true, std::nullopt});
  const int colon = findTextReverse(host, ":");
  if (colon == -1) return compareText(textLeft(toLowerCase(url), 5), "https") == 0 ? 443 : 80;
  return toInt(textRight(host, textLength(host) - colon));
}

Text urlPath(const Text& url) {
  const int hostAt = findText(url, urlHost(url), {1, true});
  const int slash = findText(url, "/", {hostAt, true});
  if (slash <= 0) return "/";
  return textRight(url, textLength(url) - slash + 1);
}

}  // namespace corvalin
