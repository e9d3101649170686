#include "web/web_request.h"

#include <algorithm>
#include <cstdint>
#include <initializer_list>

#include "platform/http_session.h"
#include "web/header_block.h"
#include "web/url.h"

namespace corvalin {
namespace {

using platform::HttpHandle;

const Text kDefaultAgent = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";
constexpr const char* kVerbs[] = {"GET", "POST", "HEAD"};
constexpr std::uint32_t kReadSize = 1024;
constexpr int kResponseHeaderBufferSize = 5000;
constexpr std::size_t kBodyLimit = std::size_t{64} << 20;
constexpr int kLengthDigits = 32;

bool holdsLineBreak(const Text& text) {
  return findText(text, "\r") != -1 || findText(text, "\n") != -1;
}

// The agent named in the caller's headers, else the default one. When the exact-case cut
// finds nothing, a one-line text gives its value; a longer text gives the value of the line
// naming the agent in any case, so that no other line can leak into the agent.
Text userAgent(const Text& headers) {
  if (findText(headers, "User-Agent:", {1, true}) == -1) return kDefaultAgent;
  const Text lines = concatText(headers, "\r\n");
  const Text agent = trimBoth(textBetween(lines, "User-Agent:", "\r\n"));
  if (textLength(agent) > 0) return agent;
  if (findText(headers, "\r\n") == -1) return headerValue(headers);
  return trimBoth(textBetween(lines, "User-Agent:", "\r\n", {0, true}));
}

HttpHandle openRoot(const Text& agent, const Text& proxy, bool secure) {
  if (textLength(proxy) == 0) {
    return platform::httpOpenRoot(agent.platformPointer(), platform::kHttpOpenDirect, nullptr,
                                  nullptr, 0);
  }
  const Text proxyList = secure ? proxy : concatText("http=", proxy);
  return platform::httpOpenRoot(agent.platformPointer(), platform::kHttpOpenProxy,
                                proxyList.platformPointer(), "", 0);
}

std::uint32_t requestFlags(const WebRequestParameters& parameters, bool secure) {
  std::uint32_t flags = platform::kHttpFlagReload | platform::kHttpFlagNeedFile;
  if (parameters.cookies) flags |= platform::kHttpFlagNoCookies;
  if (parameters.noRedirect) flags |= platform::kHttpFlagNoAutoRedirect;
  flags |= secure ? platform::kHttpFlagSecure : platform::kHttpFlagIgnoreRedirectToHttps;
  return flags;
}

void send(HttpHandle request, int verb, WebRequestParameters& parameters) {
  const Text& headers = parameters.headers;
  const auto headersLength = static_cast<std::uint32_t>(textLength(headers));
  if (verb == 0) {
    platform::httpSendRequest(request, headers.platformPointer(), headersLength, "", 0);
    return;
  }
  if (bytesLength(parameters.postBytes) == 0) parameters.postBytes = toBytes(parameters.postText);
  const Bytes& body = parameters.postBytes;
  platform::httpSendRequest(request, headers.platformPointer(), headersLength,
                            body.platformPointer(), static_cast<std::uint32_t>(bytesLength(body)));
}

// The length the response announces, within the body limit; 0 when it names none. Room for
// it is taken at once, so a big body is not copied again as it grows.
std::size_t announcedLength(HttpHandle request) {
  Bytes digits = blankBytes(kLengthDigits);
  std::uint32_t length = kLengthDigits;
  if (!platform::httpQueryInfo(request, platform::kHttpQueryContentLength, digits.writableData(),
                               &length, nullptr)) {
    return 0;
  }
  const std::int32_t announced = toInt(toText(digits));
  return announced > 0 ? std::min(static_cast<std::size_t>(announced), kBodyLimit) : 0;
}

// The body in reads of 1024 bytes, gathered in linear time; empty once it passes the limit.
Bytes readBody(HttpHandle request) {
  BytesBuilder body;
  body.reserve(announcedLength(request));
  Bytes buffer = blankBytes(static_cast<int>(kReadSize));
  for (;;) {
    std::uint32_t count = 0;
    platform::httpReadBody(request, buffer.writableData(), kReadSize, &count);
    if (count == 0) break;
    if (body.size() + count > kBodyLimit) return Bytes();
    body.append(buffer.view().substr(0, std::min(count, kReadSize)));
  }
  return body.take();
}

// The raw header block with every "Set-Cookie", in any case, written "Set-Cookie". When the
// platform gives no block, the buffer's 5000 spaces come back.
Text rawResponseHeaders(HttpHandle request) {
  Bytes buffer = toBytes(blankText(kResponseHeaderBufferSize));
  std::uint32_t length = kResponseHeaderBufferSize;
  platform::httpQueryInfo(request, platform::kHttpQueryRawHeadersCrlf, buffer.writableData(),
                          &length, nullptr);
  return withSetCookieSpelled(toText(buffer));
}

void closeInOrder(std::initializer_list<HttpHandle> handles) {
  for (HttpHandle handle : handles) platform::httpCloseHandle(handle);
}

}  // namespace

Bytes webRequest(const Text& url, WebRequestParameters& parameters) {
  if (holdsLineBreak(url)) return Bytes();
  const int verb = parameters.verb < 0 || parameters.verb > 2 ? 0 : parameters.verb;
  const bool secure = isSecureUrl(url);

  HttpHandle root = openRoot(userAgent(parameters.headers), parameters.proxy, secure);
  if (root == nullptr) {
    closeInOrder({root});
    return Bytes();
  }
  const Text host = urlHost(url);
  HttpHandle connection = platform::httpConnect(root, host.platformPointer(), urlPort(url), nullptr,
                                                nullptr, platform::kHttpServiceHttp, 0, 0);
  if (connection == nullptr) {
    closeInOrder({connection, root});
    return Bytes();
  }
  const Text path = urlPath(url);
  HttpHandle request =
      platform::httpOpenRequest(connection, kVerbs[verb], path.platformPointer(), "HTTP/1.1",
                                nullptr, nullptr, requestFlags(parameters, secure), 0);
  if (request == nullptr) {
    closeInOrder({request, connection, root});
    return Bytes();
  }

  parameters.headers = requestHeaderBlock(parameters.headers, url, parameters.cookies);
  send(request, verb, parameters);
  Bytes body = readBody(request);
  parameters.responseHeaders = rawResponseHeaders(request);
  closeInOrder({request, connection, root});
  parameters.receivedCookies = cookiesSetBy(parameters.responseHeaders);
  return body;
}

Bytes webRequest(const Text& url) {
  WebRequestParameters scratch;
  return webRequest(url, scratch);
}

Text fetchPage(const Text& url) { return toText(webRequest(url)); }

}  // namespace corvalin
