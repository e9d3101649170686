#include "web/url.h"

#include <gtest/gtest.h>

#include <limits>
#include <optional>
#include <string>

namespace corvalin {
namespace {

std::string str(const Text& t) { return t.str(); }

struct UrlCase {
  const char* url;
  const char* host;
  const char* hostWithPort;
  const char* domain;
  int port;
  const char* path;
};

const UrlCase kUrlCases[] = {
    {"http://a.example.com/p/q?k=5", "a.example.com", "a.example.com", "example.com", 80,
     "/p/q?k=5"},
    {"https://a.example.com/x/y", "a.example.com", "a.example.com", "example.com", 443, "/x/y"},
    {"a.example.com/x", "a.example.com", "a.example.com", "example.com", 80, "/x"},
    {"example.com", "example.com", "example.com", "example.com", 80, "/"},
    {"http://example.com:8080/x", "example.com", "example.com:8080", "example.com", 8080, "/x"},
    {"https://example.com:8443", "example.com", "example.com:8443", "example.com", 8443, "/"},
    {"HTTPS://EXAMPLE.COM:443/A?B=C", "example.com", "example.com:443", "example.com", 443,
     "/A?B=C"},
    {"", "", "", "", 80, "/"},
    // A "?" does not end the host.
    {"https://example.com?x=1", "example.com?x=1", "example.com?x=1", "example.com?x=1", 443, "/"},
    // Without a scheme, a later "http://" names the host.
    {"example.com/go?to=http://example.org/x", "example.org", "example.org", "example.org", 80,
     "/x"},
    // An empty port is 0.
    {"http://example.com:/x", "example.com", "example.com:", "example.com", 0, "/x"},
    // The host is found in any case when the path is cut; the path keeps the caller's case.
    {"HTTP://Example.COM/Path", "example.com", "example.com", "example.com", 80, "/Path"},
    // A host of one label has no domain to cut down to.
    {"http://localhost:8000/m/song?id=7", "localhost", "localhost:8000", "localhost", 8000,
     "/m/song?id=7"},
    // The first colon ends the host, the last one names the port.
    {"http://a:b:99/", "a", "a:b:99", "a", 99, "/"},
};

TEST(UrlRoutines, TakeTypicalUrlsApart) {
  for (const UrlCase& c : kUrlCases) {
    SCOPED_TRACE(c.url);
    EXPECT_EQ(str(urlHost(c.url)), c.host);
    EXPECT_EQ(str(urlHost(c.url, {false, true, std::nullopt})), c.hostWithPort);
    EXPECT_EQ(str(urlHost(c.url, {true, false, std::nullopt})), c.domain);
    EXPECT_EQ(urlPort(c.url), c.port);
    EXPECT_EQ(str(urlPath(c.url)), c.path);
  }
}

struct DotCountCase {
  const char* url;
  int dotCount;
  const char* withDomainOnly;
  const char* withoutDomainOnly;
};

const DotCountCase kDotCountCases[] = {
    {"http://a.b.example.com/x", 0, "com", "example.com"},
    {"http://a.b.example.com/x", 1, "example.com", "b.example.com"},
    {"http://a.b.example.com/x", 2, "b.example.com", "a.b.example.com"},
    {"http://a.b.example.com/x", 3, "a.b.example.com", "a.b.example.com"},
    {"http://a.b.example.com/x", -4, "com", "example.com"},
    // A host with no more dots than asked for comes back whole.
    {"example.com", 1, "example.com", "example.com"},
    {"example.com", 2, "example.com", "example.com"},
    // Both schemes are removed wherever they stand; the port stays until the end.
    {"https://www.example.com:8443/x", 1, "example.com", "www.example.com"},
    {"xhttp://y.example.org", 1, "example.org", "xy.example.org"},
    // The largest count is answered at once: the steps stop when no dot is left.
    {"http://a.b.example.com/x", std::numeric_limits<int>::max(), "a.b.example.com",
     "a.b.example.com"},
    // A dot in the very last byte is never counted.
    {"a.b.", 0, "b.", "a.b."},
};

TEST(UrlRoutines, DotCountWayKeepsTrailingLabels) {
  for (const DotCountCase& c : kDotCountCases) {
    SCOPED_TRACE(std::string(c.url) + " dotCount " + std::to_string(c.dotCount));
    EXPECT_EQ(str(urlHost(c.url, {true, false, c.dotCount})), c.withDomainOnly);
    EXPECT_EQ(str(urlHost(c.url, {false, false, c.dotCount})), c.withoutDomainOnly);
  }
}

TEST(UrlRoutines, OmittedDotCountIsNotZero) {
  const Text url = "http://a.b.example.com:81/x";
  EXPECT_EQ(str(urlHost(url, {true, false, std::nullopt})), "example.com");
  EXPECT_EQ(str(urlHost(url, {true, false, 0})), "com");
  EXPECT_EQ(str(urlHost(url, {false, true, 0})), "example.com:81");
  EXPECT_EQ(str(urlHost(url, {false, false, 0})), "example.com");
}

struct BetweenCase {
  const char* source;
  const char* start;
  const char* end;
  BetweenOptions options;
  const char* expected;
};

const BetweenCase kBetweenCases[] = {
    {"a=1;b=2", "a=", ";", {}, "1"},
    {"a=1;b=2", "b=", ";", {}, ""},  // the end marker only occurs before the start marker
    {"xyzxyz", "y", "z", {3, false}, ""},
    {"xyzxyz", "y", "z", {-3, false}, ""},
    {"xyab", "y", "b", {2, false}, "a"},
    {"abc", "bc", "c", {}, ""},  // the start marker ends at the last byte
    {"title=\"Song\"", "title=#\xD2\xFD\xBA\xC5", "#\xD2\xFD\xBA\xC5", {}, "Song"},  // #引号
    {"title=#\xD2\xFD\xBA\xC5"
     "x#\xD2\xFD\xBA\xC5",
     "title=#\xD2\xFD\xBA\xC5",
     "#\xD2\xFD\xBA\xC5",
     {},
     ""},
    {"xyz", "", "z", {2, false}, "xy"},
    {"xyz", "", "z", {4, false}, ""},
    {"xyz", "x", "", {}, ""},
    {"aXyb", "x", "b", {0, true}, "y"},
    {"aXyb", "x", "b", {}, ""},
    {"aXyB", "x", "b", {0, true}, "y"},
    // Two-byte characters are stepped over whole: 中文 holds the bytes D0 CE of 形 at byte 2.
    {"\xD6\xD0\xCE\xC4"
     "b",
     "\xD0\xCE",
     "b",
     {},
     ""},
    {"\xD6\xD0\xCE\xC4"
     "a\xD0\xCE"
     "b",
     "a",
     "b",
     {},
     "\xD0\xCE"},
    {"User-Agent: Bot/1\r\nX: y\r\n", "User-Agent:", "\r\n", {}, " Bot/1"},
};

TEST(TextBetween, CutsBetweenMarkers) {
  for (const BetweenCase& c : kBetweenCases) {
    SCOPED_TRACE(std::string(c.source) + " | " + c.start + " | " + c.end);
    EXPECT_EQ(str(textBetween(c.source, c.start, c.end, c.options)), c.expected);
  }
}

TEST(HeaderValue, TrimsTheTextAfterTheFirstColon) {
  const struct {
    const char* line;
    const char* expected;
  } cases[] = {
      {"User-Agent:  Foo/1.0 ", "Foo/1.0"},
      {"no colon here", ""},
      {"k: v: w", "v: w"},
      {"k:", ""},
      {":\xA1\xA1v\xA1\xA1", "v"},  // full-width spaces are blanks
      {"k:\tv\t", "\tv\t"},         // tabs are not
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.line);
    EXPECT_EQ(str(headerValue(c.line)), c.expected);
  }
}

TEST(UrlRoutines, SecureSchemeIsTheFirstEightBytesInAnyCase) {
  EXPECT_TRUE(isSecureUrl("https://x"));
  EXPECT_TRUE(isSecureUrl("HtTpS://x"));
  EXPECT_FALSE(isSecureUrl("http://x"));
  EXPECT_FALSE(isSecureUrl(" https://x"));
  EXPECT_FALSE(isSecureUrl("https:/"));
}

}  // namespace
}  // namespace corvalin
