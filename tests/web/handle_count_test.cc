// Every handle the web request routine opens is closed: once, in the reverse order of opening,
// on success and on every failure, and none is used after it was closed. The platform's HTTP
// session is replaced at link time by a stand-in that counts handles and fails where told.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

#include "platform/http_session.h"
#include "web/web_request.h"

namespace {

using platform::HttpHandle;

enum class Failure {
  kNone,
  kOpenRoot,           // no root handle
  kConnect,            // no connection handle
  kOpenRequest,        // no request handle
  kSend,               // no response: reads and queries fail too
  kReadAfterOneBlock,  // the connection breaks after the first block of the body
  kHeadersTooLong,     // the raw header block does not fit the buffer
};

struct StandInSession {
  Failure failure = Failure::kNone;
  std::uintptr_t lastHandle = 0;
  std::vector<HttpHandle> open;  // in opening order
  int opened = 0;
  int closed = 0;
  int readsMade = 0;
  std::vector<std::string> faults;

  void reset(Failure f) { *this = StandInSession{.failure = f, .lastHandle = lastHandle}; }

  bool isOpen(HttpHandle handle) const {
    for (HttpHandle h : open) {
      if (h == handle) return true;
    }
    return false;
  }

  HttpHandle openUnder(HttpHandle parent, bool fails) {
    if (parent != nullptr && (open.empty() || parent != open.back())) {
      faults.push_back("opened under a handle that is not the last one open");
    }
    if (fails) return nullptr;
    auto* handle = reinterpret_cast<HttpHandle>(++lastHandle * 16);
    open.push_back(handle);
    ++opened;
    return handle;
  }

  bool use(HttpHandle request) {
    if (!isOpen(request)) faults.push_back("used a handle that is not open");
    return failure != Failure::kSend;
  }
};

StandInSession& session() {
  static StandInSession s;
  return s;
}

}  // namespace

namespace platform {

HttpHandle httpOpenRoot(const char*, std::uint32_t, const char*, const char*, std::uint32_t) {
  return session().openUnder(nullptr, session().failure == Failure::kOpenRoot);
}

HttpHandle httpConnect(HttpHandle root, const char*, int, const char*, const char*, std::uint32_t,
                       std::uint32_t, std::uintptr_t) {
  return session().openUnder(root, session().failure == Failure::kConnect);
}

HttpHandle httpOpenRequest(HttpHandle connection, const char*, const char*, const char*,
                           const char*, const char**, std::uint32_t, std::uintptr_t) {
  return session().openUnder(connection, session().failure == Failure::kOpenRequest);
}

bool httpSendRequest(HttpHandle request, const char*, std::uint32_t, const void*, std::uint32_t) {
  return session().use(request);
}

bool httpReadBody(HttpHandle request, void* buffer, std::uint32_t size, std::uint32_t* count) {
  StandInSession& s = session();
  *count = 0;
  if (!s.use(request)) return false;
  const int read = ++s.readsMade;
  if (read > 1) return s.failure != Failure::kReadAfterOneBlock;  // end of the body, or broken
  std::memset(buffer, 'b', size);
  *count = size;
  return true;
}

bool httpQueryInfo(HttpHandle request, std::uint32_t infoLevel, void* buffer, std::uint32_t* length,
                   std::uint32_t*) {
  StandInSession& s = session();
  if (!s.use(request)) return false;
  if (infoLevel != kHttpQueryRawHeadersCrlf || s.failure == Failure::kHeadersTooLong) return false;
  const char block[] = "HTTP/1.1 200 OK\r\nSet-Cookie: a=1; Path=/\r\n\r\n";
  if (*length < sizeof block) return false;
  std::memcpy(buffer, block, sizeof block);
  *length = sizeof block - 1;
  return true;
}

bool httpCloseHandle(HttpHandle handle) {
  StandInSession& s = session();
  if (handle == nullptr) return false;
  if (!s.isOpen(handle)) {
    s.faults.push_back("closed a handle that is not open");
  } else if (handle != s.open.back()) {
    s.faults.push_back("closed before a handle opened after it");
  }
  std::erase(s.open, handle);
  ++s.closed;
  return true;
}

}  // namespace platform

namespace corvalin {
namespace {

struct PathCase {
  const char* what;
  Failure failure;
  int handlesOpened;
  int bodyLength;
};

const PathCase kPaths[] = {
    {"success", Failure::kNone, 3, 1024},
    {"no root handle", Failure::kOpenRoot, 0, 0},
    {"connection refused", Failure::kConnect, 1, 0},
    {"request not opened", Failure::kOpenRequest, 2, 0},
    {"no response", Failure::kSend, 3, 0},
    {"connection broken in the body", Failure::kReadAfterOneBlock, 3, 1024},
    {"header block too long", Failure::kHeadersTooLong, 3, 1024},
};

void expectEveryHandleClosed(const PathCase& c) {
  const StandInSession& s = session();
  EXPECT_EQ(s.opened, c.handlesOpened);
  EXPECT_EQ(s.closed, s.opened);
  EXPECT_TRUE(s.open.empty()) << s.open.size() << " handles left open";
  EXPECT_TRUE(s.faults.empty()) << s.faults.front();
}

TEST(WebRequestHandles, EveryHandleIsClosedOnEveryPath) {
  for (const PathCase& c : kPaths) {
    SCOPED_TRACE(c.what);
    session().reset(c.failure);
    EXPECT_EQ(textLength(fetchPage("http://127.0.0.1:1/m/song?id=1")), c.bodyLength);
    expectEveryHandleClosed(c);

    // A POST through a proxy with cookies of its own takes the other branches of the routine.
    session().reset(c.failure);
    WebRequestParameters parameters;
    parameters.verb = 1;
    parameters.postText = "a=1";
    parameters.cookies = Text("b=2");
    parameters.proxy = "127.0.0.1:1";
    EXPECT_EQ(bytesLength(webRequest("https://127.0.0.1:1/p", parameters)), c.bodyLength);
    expectEveryHandleClosed(c);
  }
}

TEST(WebRequestHandles, RefusedUrlOpensNothing) {
  session().reset(Failure::kNone);
  EXPECT_EQ(textLength(fetchPage("http://127.0.0.1:1/\r\nX-A: 1")), 0);
  expectEveryHandleClosed({"refused URL", Failure::kNone, 0, 0});
}

}  // namespace
}  // namespace corvalin
