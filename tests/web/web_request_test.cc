// The web request routine against the project's song service: what is sent (request line,
// header block, user agent, body, cookies) and what comes back (body, raw header block,
// received cookies, out-values on failure). Runs natively (libcurl) and under Wine (WinINet).
#include "web/web_request.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <optional>
#include <string>
#include <vector>

#include "tests/support/song_service.h"
#include "tests/web/web_test_support.h"

namespace corvalin {
namespace {

using testing::headerValues;
using testing::linesOf;
using testing::parseEcho;
using testing::serviceUrl;

constexpr const char* kDefaultAgent = "Mozilla/4.0 (compatible; MSIE 9.0; Windows NT 6.1)";
constexpr const char* kDefaultTail =
    "\r\nAccept-Language: zh-cn\r\nContent-Type: application/x-www-form-urlencoded";

std::string replaceUrl(std::string block, const std::string& url) {
  const std::size_t at = block.find("{URL}");
  if (at != std::string::npos) block.replace(at, 5, url);
  return block;
}

std::string lowerName(const std::string& line) {
  std::string name = line.substr(0, line.find(':'));
  std::transform(name.begin(), name.end(), name.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return name;
}

// The lines that the HTTP client adds or rewrites on its own (host, agent, connection
// handling, body length), and the store's cookies when the request uses the store.
std::vector<std::string> withoutClientLines(const std::vector<std::string>& lines,
                                            bool storeCookies) {
  std::vector<std::string> kept;
  for (const std::string& line : lines) {
    const std::string name = lowerName(line);
    const bool clientLine = name == "host" || name == "user-agent" || name == "connection" ||
                            name == "cache-control" || name == "pragma" ||
                            name == "content-length" || (storeCookies && name == "cookie");
    if (!clientLine && !line.empty()) kept.push_back(line);
  }
  return kept;
}

struct HeaderCase {
  const char* name;
  const char* callerHeaders;
  std::optional<const char*> cookies;
  const char* expectedBlock;  // {URL} stands for the request's URL
  const char* expectedAgent;
};

const HeaderCase kHeaderCases[] = {
    {"defaults", "", std::nullopt,
     "Accept: */*\r\nReferer: {URL}\r\nAccept-Language: zh-cn\r\n"
     "Content-Type: application/x-www-form-urlencoded",
     kDefaultAgent},
    {"own line first", "X-A: 1", std::nullopt,
     "X-A: 1\r\nAccept: */*\r\nReferer: {URL}\r\nAccept-Language: zh-cn\r\n"
     "Content-Type: application/x-www-form-urlencoded",
     kDefaultAgent},
    {"substring suppresses Accept", "X-Accept: y", std::nullopt,
     "X-Accept: y\r\nReferer: {URL}\r\nAccept-Language: zh-cn\r\n"
     "Content-Type: application/x-www-form-urlencoded",
     kDefaultAgent},
    {"all given, nothing appended",
     "Accept: text/html\r\nReferer: r\r\nAccept-Language: en\r\n"
     "Content-Type: text/plain",
     std::nullopt,
     "Accept: text/html\r\nReferer: r\r\nAccept-Language: en\r\nContent-Type: text/plain",
     kDefaultAgent},
    {"agent in exact case", "User-Agent: Foo/2\r\nX-B: 2", std::nullopt,
     "User-Agent: Foo/2\r\nX-B: 2\r\nAccept: */*\r\nReferer: {URL}\r\nAccept-Language: zh-cn\r\n"
     "Content-Type: application/x-www-form-urlencoded",
     "Foo/2"},
    {"agent of one line in other case", "user-agent: Bot/1", std::nullopt,
     "user-agent: Bot/1\r\nAccept: */*\r\nReferer: {URL}\r\nAccept-Language: zh-cn\r\n"
     "Content-Type: application/x-www-form-urlencoded",
     "Bot/1"},
    // Of several lines, only the agent's own line gives the agent: no other line leaks into it.
    {"agent of several lines in other case", "X-B: 2\r\nuser-agent: Bot/3", std::nullopt,
     "X-B: 2\r\nuser-agent: Bot/3\r\nAccept: */*\r\nReferer: {URL}\r\nAccept-Language: zh-cn\r\n"
     "Content-Type: application/x-www-form-urlencoded",
     "Bot/3"},
    {"cookie pairs", "", "a=1",
     "Accept: */*\r\nReferer: {URL}\r\nAccept-Language: zh-cn\r\n"
     "Content-Type: application/x-www-form-urlencoded\r\nCookie: a=1",
     kDefaultAgent},
    {"cookie line", "", "Cookie: a=1",
     "Accept: */*\r\nReferer: {URL}\r\nAccept-Language: zh-cn\r\n"
     "Content-Type: application/x-www-form-urlencoded\r\nCookie: a=1",
     kDefaultAgent},
    {"cookies given empty", "", "",
     "Accept: */*\r\nReferer: {URL}\r\nAccept-Language: zh-cn\r\n"
     "Content-Type: application/x-www-form-urlencoded",
     kDefaultAgent},
};

TEST(WebRequest, SendsTheHeaderBlockAndAgent) {
  for (const HeaderCase& c : kHeaderCases) {
    SCOPED_TRACE(c.name);
    const Text url = serviceUrl("/echo/headers");
    WebRequestParameters p;
    p.headers = c.callerHeaders;
    if (c.cookies) p.cookies = Text(*c.cookies);
    const Bytes body = webRequest(url, p);
    const std::string expected = replaceUrl(c.expectedBlock, url.str());
    EXPECT_EQ(p.headers.str(), expected);

    const auto echo = parseEcho(body.view());
    EXPECT_EQ(echo.requestLine, "GET /echo/headers HTTP/1.1");
    const bool storeCookies = !c.cookies.has_value();
    EXPECT_EQ(withoutClientLines(echo.headerLines, storeCookies),
              withoutClientLines(linesOf(expected), storeCookies));
    EXPECT_EQ(headerValues(echo, "User-Agent"), std::vector<std::string>{c.expectedAgent});
  }
}

// A caller line in another case does not suppress the default line; both are sent.
TEST(WebRequest, LowerCaseRefererKeepsTheDefaultOne) {
  const Text url = serviceUrl("/echo/referer");
  WebRequestParameters p;
  p.headers = "referer: x";
  const auto echo = parseEcho(webRequest(url, p).view());
  EXPECT_EQ(p.headers.str(), "referer: x\r\nAccept: */*\r\nReferer: " + url.str() + kDefaultTail);
  const auto referers = headerValues(echo, "Referer");
#ifdef _WIN32
  // Wine's WinINet keeps one line per header name: the later value replaces the earlier one.
  EXPECT_EQ(referers, std::vector<std::string>{url.str()});
#else
  EXPECT_EQ(referers, (std::vector<std::string>{"x", url.str()}));
#endif
}

struct VerbCase {
  int verb;
  const char* postText;
  std::optional<std::string> postBytes;
  const char* method;
  std::string sentBody;
  std::string postBytesAfter;
};

TEST(WebRequest, VerbAndBody) {
  const VerbCase cases[] = {
      {5, "", std::nullopt, "GET", "", ""},
      {-1, "a=1", std::nullopt, "GET", "", ""},
      {0, "a=1", std::string("q"), "GET", "", "q"},
      {1, "a=1", std::nullopt, "POST", "a=1", "a=1"},
      {1, "a=1", std::string("xy\0z", 4), "POST", std::string("xy\0z", 4), std::string("xy\0z", 4)},
      {1, "", std::nullopt, "POST", "", ""},
      {2, "", std::nullopt, "HEAD", "", ""},
  };
  int n = 0;
  for (const VerbCase& c : cases) {
    const std::string key = "verb" + std::to_string(n++);
    SCOPED_TRACE(key);
    WebRequestParameters p;
    p.verb = c.verb;
    p.postText = c.postText;
    if (c.postBytes) p.postBytes = Bytes::fromBytes(*c.postBytes);
    webRequest(serviceUrl("/record?key=" + key), p);
    EXPECT_EQ(std::string(p.postBytes.view()), c.postBytesAfter);

    const auto sent = parseEcho(webRequest(serviceUrl("/recorded?key=" + key)).view());
    EXPECT_EQ(sent.requestLine, std::string(c.method) + " /record?key=" + key + " HTTP/1.1");
    EXPECT_EQ(sent.body, c.sentBody);
    const auto lengths = headerValues(sent, "Content-Length");
    if (!c.sentBody.empty()) {
      EXPECT_EQ(lengths, std::vector<std::string>{std::to_string(c.sentBody.size())});
    }
  }
}

TEST(WebRequest, ReceivedCookiesFromMixedCaseSetCookieLines) {
  WebRequestParameters p;
  p.cookies = Text("");  // keeps the store out of it
  EXPECT_EQ(std::string(webRequest(serviceUrl("/cookies"), p).view()), "cookies");
  EXPECT_EQ(p.receivedCookies.str(), "a=1; b=2; c=3");
  const std::string block = p.responseHeaders.str();
  EXPECT_NE(block.find("\r\nSet-Cookie: b=2; HttpOnly\r\n"), std::string::npos) << block;
  EXPECT_EQ(block.find("SET-COOKIE"), std::string::npos) << block;
}

TEST(WebRequest, RawHeaderBlockOfAResponseWithoutCookies) {
  WebRequestParameters p;
  p.receivedCookies = "stale";
  EXPECT_EQ(webRequest(serviceUrl("/nobody"), p).length(), 0);
  const std::string block = p.responseHeaders.str();
  EXPECT_EQ(block.rfind("HTTP/1.1 200 OK\r\n", 0), 0u) << block;
  EXPECT_GE(block.size(), 4u);
  EXPECT_EQ(block.substr(block.size() - 4), "\r\n\r\n") << block;
  EXPECT_NE(block.find("\r\nContent-Length: 0\r\n"), std::string::npos) << block;
  EXPECT_EQ(textLength(p.receivedCookies), 0);
}

TEST(WebRequest, CookieStoreUnlessCookiesAreGiven) {
  WebRequestParameters setByStore;
  webRequest(serviceUrl("/setcookie?c=jar=1"), setByStore);
  WebRequestParameters setWithoutStore;
  setWithoutStore.cookies = Text("");
  webRequest(serviceUrl("/setcookie?c=kept=0"), setWithoutStore);

  const struct {
    const char* name;
    std::optional<const char*> cookies;
    std::vector<std::string> sent;
  } cases[] = {
      {"store on", std::nullopt, {"jar=1"}},
      {"given empty", "", {}},
      {"given", "x=9", {"x=9"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    WebRequestParameters p;
    if (c.cookies) p.cookies = Text(*c.cookies);
    const auto echo = parseEcho(webRequest(serviceUrl("/echo/jar"), p).view());
    EXPECT_EQ(headerValues(echo, "Cookie"), c.sent);
  }
}

TEST(WebRequest, BodyWithZeroByteIsWholeButPageStopsAtIt) {
  EXPECT_EQ(std::string(webRequest(serviceUrl("/zero")).view()), std::string("ab\0cd", 5));
  EXPECT_EQ(fetchPage(serviceUrl("/zero")).str(), "ab");
}

TEST(WebRequest, FetchPageGetsTheSongPage) {
  const std::string page = fetchPage(serviceUrl("/m/song?id=1")).str();
  EXPECT_NE(page.find("data-res-name=\"Song One\" data-res-author=\"Artist One\""),
            std::string::npos)
      << page;
}

TEST(WebRequest, RedirectsAreFollowedUnlessRefused) {
  WebRequestParameters followed;
  const auto echo = parseEcho(webRequest(serviceUrl("/redirect?to=/echo/moved"), followed).view());
  EXPECT_EQ(echo.requestLine, "GET /echo/moved HTTP/1.1");
  EXPECT_EQ(followed.responseHeaders.str().rfind("HTTP/1.1 200 OK\r\n", 0), 0u)
      << followed.responseHeaders.str();
  EXPECT_EQ(followed.responseHeaders.str().find("Location:"), std::string::npos);

  WebRequestParameters refused;
  refused.noRedirect = true;
  EXPECT_EQ(std::string(webRequest(serviceUrl("/redirect?to=/echo/moved"), refused).view()),
            "moved");
  EXPECT_EQ(refused.responseHeaders.str().rfind("HTTP/1.1 302 Found\r\n", 0), 0u)
      << refused.responseHeaders.str();
}

// An http request names the proxy for http only ("http=" + proxy): the proxy receives the
// absolute URL. The service plays the proxy.
TEST(WebRequest, ProxyCarriesHttpRequests) {
  WebRequestParameters p;
  p.proxy = Text(testing::sharedSongServiceHost().c_str());
  const auto echo = parseEcho(webRequest("http://songs.example.invalid/echo/proxied", p).view());
#ifdef _WIN32
  // Wine's WinINet writes the default port into the absolute URL.
  EXPECT_EQ(echo.requestLine, "GET http://songs.example.invalid:80/echo/proxied HTTP/1.1");
#else
  EXPECT_EQ(echo.requestLine, "GET http://songs.example.invalid/echo/proxied HTTP/1.1");
#endif
}

// An https request names the proxy as given, for every scheme: the client asks it for a tunnel.
TEST(WebRequest, ProxyCarriesHttpsRequestsAsGiven) {
  WebRequestParameters p;
  p.proxy = Text(testing::sharedSongServiceHost().c_str());
  const Bytes body = webRequest("https://songs.example.invalid/x", p);
#ifdef _WIN32
  // Wine's WinINet hands back the proxy's refusal of the tunnel as the response.
  EXPECT_EQ(std::string(body.view()), "no tunnels");
#else
  EXPECT_EQ(body.length(), 0);  // the proxy gives no tunnel
#endif
  const auto tunnel =
      parseEcho(webRequest(serviceUrl("/recorded?key=connect-songs.example.invalid:443")).view());
  EXPECT_EQ(tunnel.requestLine, "CONNECT songs.example.invalid:443 HTTP/1.1");
}

TEST(WebRequest, UnreachableServerGivesEmptyResults) {
  const Text url = "http://127.0.0.1:1/m/song?id=1";
  EXPECT_EQ(textLength(fetchPage(url)), 0);

  WebRequestParameters p;
  p.headers = "X-A: 1";
  p.receivedCookies = "stale";
  p.responseHeaders = "stale";
  EXPECT_EQ(webRequest(url, p).length(), 0);
  EXPECT_EQ(p.headers.str(), "X-A: 1\r\nAccept: */*\r\nReferer: " + url.str() + kDefaultTail);
  EXPECT_EQ(textLength(p.receivedCookies), 0);
  EXPECT_EQ(p.responseHeaders.str(), testing::headersWithoutResponse());
}

// A response header block that does not fit in 5000 bytes: the body still comes, the block
// does not, and so no cookies are read from it.
TEST(WebRequest, HeaderBlockTooBigForTheBuffer) {
  WebRequestParameters p;
  EXPECT_EQ(std::string(webRequest(serviceUrl("/bigheaders?bytes=6000"), p).view()), "big headers");
  EXPECT_EQ(p.responseHeaders.str(), std::string(5000, ' '));
  EXPECT_EQ(textLength(p.receivedCookies), 0);

  WebRequestParameters fits;
  webRequest(serviceUrl("/bigheaders?bytes=4000"), fits);
  EXPECT_EQ(fits.receivedCookies.str(), "big=1");
}

// Nothing is opened when the connection cannot be made (no host): every out-value stays.
TEST(WebRequest, FailureBeforeSendingLeavesOutValuesAlone) {
  WebRequestParameters p;
  p.verb = 1;
  p.postText = "p=1";
  p.headers = "X-A: 1";
  p.receivedCookies = "stale";
  p.responseHeaders = "stale";
  EXPECT_EQ(webRequest("", p).length(), 0);
  EXPECT_EQ(p.headers.str(), "X-A: 1");
  EXPECT_TRUE(p.postBytes.isAbsent());
  EXPECT_EQ(p.receivedCookies.str(), "stale");
  EXPECT_EQ(p.responseHeaders.str(), "stale");
}

// A line break in the URL would put lines of the caller's choosing into the request (after
// the request line and in the Referer line): such a URL is refused before anything is sent.
TEST(WebRequest, UrlWithLineBreakIsRefused) {
  const struct {
    const char* key;
    const char* rest;
  } cases[] = {{"crlf1", "\r\nX-Injected: 1"}, {"crlf2", "\nX-Injected: 1"}, {"crlf3", "\r"}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.key);
    WebRequestParameters p;
    p.headers = "X-A: 1";
    const Text url = serviceUrl(std::string("/record?key=") + c.key + c.rest);
    EXPECT_EQ(webRequest(url, p).length(), 0);
    EXPECT_EQ(p.headers.str(), "X-A: 1");
    WebRequestParameters check;
    webRequest(serviceUrl(std::string("/recorded?key=") + c.key), check);
    EXPECT_EQ(check.responseHeaders.str().rfind("HTTP/1.1 404", 0), 0u) << "the request was sent";
  }
  EXPECT_EQ(textLength(fetchPage(serviceUrl("/m/song?id=1\r\nX-Injected: 1"))), 0);
  EXPECT_GT(textLength(fetchPage(serviceUrl("/m/song?id=1"))), 0);
}

}  // namespace
}  // namespace corvalin
