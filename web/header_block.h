// The header blocks of one HTTP request: the block that is sent, and what is read out of the
// block that comes back. Pure functions of their arguments, so they can be tried without a
// network.
#pragma once

#include <optional>

#include "text/text.h"

namespace corvalin {

// The caller's lines followed by every default line whose name, with its colon, they do not
// hold (exact case, anywhere): Accept, Referer (the URL as given), Accept-Language and
// Content-Type; then a non-empty `cookies` as a Cookie line, or as it comes when it already
// holds "Cookie:". Each appended line has "\r\n" in front of it and none after it.
Text requestHeaderBlock(const Text& callerLines, const Text& url,
                        const std::optional<Text>& cookies);

// The raw response block with every "Set-Cookie", in any case, written "Set-Cookie".
Text withSetCookieSpelled(const Text& rawBlock);

// The name=value pair of every Set-Cookie line of `responseHeaders`, joined by "; ".
Text cookiesSetBy(const Text& responseHeaders);

}  // namespace corvalin
