// Helpers for the web tests: URLs on the shared song service and the request it echoed.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "text/text.h"

namespace corvalin::testing {

// "http://127.0.0.1:<port>" followed by `path`, on the shared song service.
Text serviceUrl(std::string_view path);

// A request as the service received it (the body of its /echo answer).
struct EchoedRequest {
  std::string requestLine;
  std::vector<std::string> headerLines;
  std::string body;
};
EchoedRequest parseEcho(std::string_view raw);

// The values of every header line named `name` (any case), trimmed of leading spaces.
std::vector<std::string> headerValues(const EchoedRequest& request, std::string_view name);

// responseHeaders when no response came: the query fails and leaves the buffer's 5000 spaces.
// Wine's WinINet (8.0) answers that query with an empty block, "\r\n", where Windows fails it.
std::string headersWithoutResponse();

// `block` split at "\r\n".
std::vector<std::string> linesOf(std::string_view block);

}  // namespace corvalin::testing
