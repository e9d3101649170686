#include "web/header_block.h"

#include <string_view>

#include "web/url.h"

namespace corvalin {
namespace {

struct DefaultHeaderLine {
  const char* nameWithColon;
  const char* value;  // nullptr: the caller's URL
};
constexpr DefaultHeaderLine kDefaultLinesAfterAccept[] = {
    {"Referer:", nullptr},
    {"Accept-Language:", "zh-cn"},
    {"Content-Type:", "application/x-www-form-urlencoded"},
};

}  // namespace

Text requestHeaderBlock(const Text& callerLines, const Text& url,
                        const std::optional<Text>& cookies) {
  Text block = callerLines;
  if (textLength(block) == 0) {
    block = "Accept: */*";
  } else if (findText(block, "Accept:") == -1) {
    block = concatText(block, "\r\nAccept: */*");
  }
  for (const DefaultHeaderLine& line : kDefaultLinesAfterAccept) {
    if (findText(block, line.nameWithColon) != -1) continue;
    const Text value = line.value != nullptr ? Text(line.value) : url;
    block = concatText(block, "\r\n", line.nameWithColon, " ", value);
  }
  if (cookies && textLength(*cookies) > 0) {
    const Text lead = findText(*cookies, "Cookie:") != -1 ? "\r\n" : "\r\nCookie: ";
    block = concatText(block, lead, *cookies);
  }
  return block;
}

Text withSetCookieSpelled(const Text& rawBlock) {
  return replaceText(rawBlock, "Set-Cookie", "Set-Cookie");
}

Text cookiesSetBy(const Text& responseHeaders) {
  TextBuilder joined;
  for (const Text& line : splitText(responseHeaders, "\r\n")) {
    if (findText(line, "Set-Cookie") == -1) continue;
    const Text value = findText(line, ";") != -1 ? trimBoth(textBetween(line, "Set-Cookie:", ";"))
                                                 : trimBoth(replaceText(line, "Set-Cookie:"));
    joined.append(value);
    joined.append(std::string_view("; "));
  }
  const Text all = joined.take();
  return textLeft(all, textLength(all) - 2);
}

}  // namespace corvalin
