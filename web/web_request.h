// One HTTP request through the platform's HTTP client: the body, the raw response header block
// and the cookies the response set. fetchPage is the plain GET the song lookup uses.
#pragma once

#include <optional>

#include "text/text.h"

namespace corvalin {

// The nine optional parameters of webRequest. A default-constructed record is "all omitted".
// headers and postBytes are read and written back; receivedCookies and responseHeaders are
// only written.
struct WebRequestParameters {
  int verb = 0;   // 0 GET, 1 POST, 2 HEAD; any other value is GET
  Text postText;  // body for POST and HEAD when postBytes is empty
  // Given at all (even empty): the platform's cookie store is off for this request; a
  // non-empty value adds a Cookie line.
  std::optional<Text> cookies;
  Text receivedCookies;  // out: name=value pairs joined by "; "
  Text headers;          // in: extra lines joined by "\r\n"; out: the whole block sent
  Text responseHeaders;  // out: the raw block, every line ended by "\r\n"
  bool noRedirect = false;
  Bytes postBytes;  // in: body for POST and HEAD; out: the body sent
  Text proxy;       // proxy-list form, e.g. host:port; empty: direct connection
};

// The response body; empty on every failure. A URL holding CR or LF is refused before anything
// is opened, like a request that could not be opened. A body above 64 MiB is given up as a
// failed request, so a response that never ends cannot exhaust memory.
Bytes webRequest(const Text& url, WebRequestParameters& parameters);
Bytes webRequest(const Text& url);

// The page at `url` as text: the body up to its first zero byte; empty on every failure.
Text fetchPage(const Text& url);

}  // namespace corvalin
