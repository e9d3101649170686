// The header blocks of a request: the block sent (caller lines, default lines, cookies) and,
// from a raw response block, the Set-Cookie spelling and the cookies received. Checked against
// a model written from their rules over the reference text operations, and against properties
// that hold for any block.
#include <string_view>

#include "tests/fuzz/fuzz_input.h"
#include "web/header_block.h"

using fuzzing::bytesOf;
using fuzzing::expectSame;
using fuzzing::fail;
using reference::MaybeText;

namespace {

// Pieces of header blocks, so that lines of the shapes that matter are common.
constexpr std::string_view kPieces[] = {"\r\n",
                                        "Set-Cookie:",
                                        "SET-COOKIE: ",
                                        "set-cookie",
                                        "Set-Cookie",
                                        ";",
                                        " ",
                                        "a=1",
                                        "Path=/",
                                        ":",
                                        "Accept:",
                                        "Referer:",
                                        "referer: x",
                                        "Accept-Language:",
                                        "Content-Type:",
                                        "Cookie:",
                                        "\x81",
                                        "\xA1\xA1",
                                        "\r",
                                        "\n",
                                        "\x81;",
                                        "\x80S",
                                        "X-Accept: y"};

std::string plain(const MaybeText& t) { return t.value_or(std::string()); }

bool holds(const std::string& t, std::string_view sought, bool ignoreCase = false) {
  return reference::find(t, std::string(sought), 1, ignoreCase) != -1;
}

// How often `sought` stands at a character start of `t`, matches not overlapping.
int countOf(const std::string& t, const std::string& sought) {
  int count = 0;
  for (int at = reference::find(t, sought, 1, false); at != -1;
       at = reference::find(t, sought, at + static_cast<int>(sought.size()), false)) {
    ++count;
  }
  return count;
}

std::string requestBlock(const std::string& callerLines, const std::string& url,
                         const std::optional<std::string>& cookies) {
  std::string block = callerLines;
  if (block.empty()) {
    block = "Accept: */*";
  } else if (!holds(block, "Accept:")) {
    block += "\r\nAccept: */*";
  }
  if (!holds(block, "Referer:")) block += "\r\nReferer: " + url;
  if (!holds(block, "Accept-Language:")) block += "\r\nAccept-Language: zh-cn";
  if (!holds(block, "Content-Type:")) {
    block += "\r\nContent-Type: application/x-www-form-urlencoded";
  }
  if (cookies && !cookies->empty()) {
    block += (holds(*cookies, "Cookie:") ? "\r\n" : "\r\nCookie: ") + *cookies;
  }
  return block;
}

std::string receivedCookies(const std::string& responseHeaders) {
  std::string joined;
  for (const MaybeText& piece : reference::split(responseHeaders, "\r\n", std::nullopt)) {
    const std::string line = plain(piece);
    if (!holds(line, "Set-Cookie")) continue;
    std::string value;
    if (holds(line, ";")) {
      const int p = reference::find(line, "Set-Cookie:", 1, false);
      const int from = p == -1 ? -1 : p + 11;
      const int q = reference::find(line, ";", from, false);
      if (from != -1 && q != -1) value = plain(reference::mid(line, from, q - from));
    } else {
      value = plain(reference::replace(line, "Set-Cookie:", "", 1, std::nullopt, false));
    }
    joined += plain(reference::trim(value)) + "; ";
  }
  return joined.substr(0, joined.size() - std::min<std::size_t>(2, joined.size()));
}

void checkRequestBlock(fuzzing::Input& input) {
  const std::string callerLines = input.joinedPieces(kPieces, 24);
  const std::string url = bytesOf(input.text(32));
  std::optional<std::string> cookies;
  if (input.flag()) cookies = input.joinedPieces(kPieces, 24);
  std::optional<corvalin::Text> cookiesText;
  if (cookies) cookiesText = corvalin::Text(cookies->c_str());

  const corvalin::Text block = corvalin::requestHeaderBlock(
      corvalin::Text(callerLines.c_str()), corvalin::Text(url.c_str()), cookiesText);
  expectSame("requestHeaderBlock", block,
             reference::result(requestBlock(callerLines, url, cookies)));
  // The caller's lines lead the block, and every default name is in it afterwards.
  const std::string sent = block.str();
  if (sent.compare(0, callerLines.size(), callerLines) != 0) fail("caller lines lost", sent);
  for (std::string_view name : {"Accept:", "Referer:", "Accept-Language:", "Content-Type:"}) {
    if (!holds(sent, name)) fail("default line missing", std::string(name) + " in " + sent);
  }
}

void checkResponseBlock(fuzzing::Input& input) {
  const std::string raw = input.joinedPieces(kPieces, 24);
  const corvalin::Text spelled = corvalin::withSetCookieSpelled(corvalin::Text(raw.c_str()));
  const std::string normal =
      plain(reference::replace(raw, "Set-Cookie", "Set-Cookie", 1, std::nullopt, false));
  expectSame("withSetCookieSpelled", spelled, reference::result(normal));
  // Only the spelling changes: the same length, and the word stands in exact case wherever it
  // stands in any case.
  if (spelled.str().size() != raw.size()) fail("Set-Cookie spelling changed the length", raw);
  for (std::size_t i = 0; i < normal.size(); i += reference::width(normal, i)) {
    if (reference::matchesAt(normal, i, "set-cookie", true) &&
        !reference::matchesAt(normal, i, "Set-Cookie", false)) {
      fail("Set-Cookie left in another case", normal);
    }
  }

  const corvalin::Text cookies = corvalin::cookiesSetBy(spelled);
  expectSame("cookiesSetBy", cookies, reference::result(receivedCookies(normal)));
  // Each Set-Cookie line gives one value, so there are never more separators than lines.
  const std::string got = cookies.str();
  if (countOf(got, "; ") > countOf(normal, "Set-Cookie")) fail("more cookies than lines", got);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::Input input(data, size);
  if (input.flag()) {
    checkRequestBlock(input);
  } else {
    checkResponseBlock(input);
  }
  return 0;
}
