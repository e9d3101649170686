// Taking URLs and header lines apart: the host, port and path of a URL, the value of a header
// line, and the text between two markers. Pure functions of their arguments.
#pragma once

#include <optional>

#include "text/text.h"

namespace corvalin {

struct BetweenOptions {
  int startPosition = 0;  // below 1 searches from the first byte
  bool ignoreCase = false;
};

// The text strictly between the first `startMarker` found at or after the start position and
// the next `endMarker`; empty when either is missing. Inside both markers "#引号" stands for a
// double quote, so a caller can write a marker that holds one.
Text textBetween(const Text& source, const Text& startMarker, const Text& endMarker,
                 BetweenOptions options = {});

// The trimmed text after the first ":" of `line`; empty without a colon.
Text headerValue(const Text& line);

struct HostOptions {
  bool domainOnly = false;  // standard way: only the last two labels
  bool keepPort = false;
  // Omitted: the standard way. Given: the trailing part of the host that holds dotCount dots
  // (dotCount + 1 without domainOnly).
  std::optional<int> dotCount;
};

// The host of `url` in lower case, without its port unless keepPort is set.
Text urlHost(const Text& url, HostOptions options = {});

// The port named in `url`, else 443 for "https" and 80 for anything else.
int urlPort(const Text& url);

// Whether the first eight bytes of `url`, in lower case, are "https://".
bool isSecureUrl(const Text& url);

// The path and query of `url` in the caller's case, or "/" when it has none.
Text urlPath(const Text& url);

}  // namespace corvalin
