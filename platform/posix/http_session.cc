// The HTTP session on libcurl, giving each WinINet setting the routine uses its meaning:
// no cache (curl keeps none), redirects followed unless refused (http requests may move to
// https; https requests stay on https), one cookie store for the whole process unless a
// request refuses cookies, the proxy list applied per scheme, a direct connection that ignores
// proxy environment variables, and the raw header block of the final response.
//
// Time-outs follow WinINet's defaults: 60 s to connect, and a transfer that receives nothing
// for 30 s ends, so a server that never answers cannot hold the caller forever. A redirect
// chain ends after 10 hops.
//
// The transfer runs on a curl multi handle pumped from the calling thread: sending waits for
// the first body bytes (or the end), and each body read pumps only until some bytes are there.
#include "platform/http_session.h"

#include <curl/curl.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <mutex>
#include <string>
#include <string_view>

namespace platform {
namespace {

constexpr long kConnectTimeoutSeconds = 60;
constexpr long kStallTimeoutSeconds = 30;
constexpr long kMaxRedirects = 10;
constexpr int kPollMilliseconds = 1000;
constexpr long kReceiveBufferBytes = 256 * 1024;
// Body bytes held for the reader at most (plus one delivery); beyond it the transfer pauses,
// so a big body is not gathered twice.
constexpr std::size_t kHeldBodyBytes = 1024 * 1024;

enum class HandleKind { root, connection, request };

struct Handle {
  explicit Handle(HandleKind k) : kind(k) {}
  HandleKind kind;
};

struct Root : Handle {
  Root() : Handle(HandleKind::root) {}
  std::string agent;
  bool hasAgent = false;
  std::string proxyList;  // empty: direct
};

struct Connection : Handle {
  Connection() : Handle(HandleKind::connection) {}
  const Root* root = nullptr;
  std::string host;
  int port = 0;
};

struct Request : Handle {
  Request() : Handle(HandleKind::request) {}
  ~Request() {
    if (multi != nullptr && easy != nullptr) curl_multi_remove_handle(multi, easy);
    if (easy != nullptr) curl_easy_cleanup(easy);
    if (multi != nullptr) curl_multi_cleanup(multi);
    curl_slist_free_all(headerLines);
  }
  const Connection* connection = nullptr;
  std::string verb;
  std::string path;
  std::uint32_t flags = 0;
  CURL* easy = nullptr;
  CURLM* multi = nullptr;
  curl_slist* headerLines = nullptr;
  std::string body;         // the request body, kept alive during the transfer
  std::string headerBlock;  // the raw block of the latest response
  std::string received;     // body bytes not yet read
  std::size_t readOffset = 0;
  bool bodyStarted = false;
  bool paused = false;
  bool done = false;
};

// ---- Process-wide state: curl's global set-up and the shared cookie store ----

std::mutex& cookieLock() {
  static std::mutex lock;
  return lock;
}

void lockCookies(CURL*, curl_lock_data, curl_lock_access, void*) { cookieLock().lock(); }
void unlockCookies(CURL*, curl_lock_data, void*) { cookieLock().unlock(); }

CURLSH* sharedCookieStore() {
  static CURLSH* const share = [] {
    curl_global_init(CURL_GLOBAL_DEFAULT);
    CURLSH* s = curl_share_init();
    curl_share_setopt(s, CURLSHOPT_SHARE, CURL_LOCK_DATA_COOKIE);
    curl_share_setopt(s, CURLSHOPT_LOCKFUNC, lockCookies);
    curl_share_setopt(s, CURLSHOPT_UNLOCKFUNC, unlockCookies);
    return s;
  }();
  return share;
}

// ---- Proxy list ----

// The proxy that a WinINet proxy list names for one scheme, as curl wants it: entries are
// separated by spaces or ";", each "scheme=host:port" or a bare "host:port" for every scheme.
// Empty when the list names none for the scheme.
std::string proxyFor(std::string_view list, bool secure) {
  const std::string_view scheme = secure ? "https=" : "http=";
  std::string fallback;
  std::size_t at = 0;
  while (at < list.size()) {
    const std::size_t end = std::min(list.find_first_of(" ;", at), list.size());
    const std::string_view entry = list.substr(at, end - at);
    at = end + 1;
    if (entry.empty()) continue;
    if (entry.substr(0, scheme.size()) == scheme) {
      return "http://" + std::string(entry.substr(scheme.size()));
    }
    if (entry.find('=') == std::string_view::npos && fallback.empty()) {
      fallback = "http://" + std::string(entry);
    }
  }
  return fallback;
}

// ---- Callbacks ----

// Keeps the header block of the latest response only: a status line starts a new block.
std::size_t onHeaderLine(char* data, std::size_t size, std::size_t count, void* context) {
  auto& request = *static_cast<Request*>(context);
  std::string_view line(data, size * count);
  if (line.substr(0, 5) == "HTTP/") request.headerBlock.clear();
  while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.remove_suffix(1);
  request.headerBlock.append(line);
  request.headerBlock.append("\r\n");
  return size * count;
}

std::size_t onBodyBytes(char* data, std::size_t size, std::size_t count, void* context) {
  auto& request = *static_cast<Request*>(context);
  request.bodyStarted = true;
  if (request.received.size() - request.readOffset >= kHeldBodyBytes) {
    request.paused = true;
    return CURL_WRITEFUNC_PAUSE;
  }
  request.received.append(data, size * count);
  return size * count;
}

// ---- Setting up the transfer ----

// The caller's header lines as curl wants them. curl drops a header written "Name:" with
// nothing after it, so such a line goes as "Name;", which curl sends with an empty value.
bool namesHeader(std::string_view line, std::string_view lowerName) {
  if (line.size() <= lowerName.size() || line[lowerName.size()] != ':') return false;
  for (std::size_t i = 0; i < lowerName.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(line[i])) != lowerName[i]) return false;
  }
  return true;
}

curl_slist* headerList(std::string_view block) {
  curl_slist* list = nullptr;
  bool hasAccept = false;
  std::size_t at = 0;
  while (at <= block.size()) {
    const std::size_t end = std::min(block.find("\r\n", at), block.size());
    std::string line(block.substr(at, end - at));
    at = end + 2;
    if (line.empty()) continue;
    hasAccept = hasAccept || namesHeader(line, "accept");
    if (line.back() == ':') line.back() = ';';
    list = curl_slist_append(list, line.c_str());
  }
  // WinINet sends no "Expect: 100-continue", and no Accept line of its own; curl would.
  if (!hasAccept) list = curl_slist_append(list, "Accept:");
  return curl_slist_append(list, "Expect:");
}

std::string requestUrl(const Request& request) {
  const bool secure = (request.flags & kHttpFlagSecure) != 0;
  int port = request.connection->port;
  if (port == 0) port = secure ? 443 : 80;
  return std::string(secure ? "https://" : "http://") + request.connection->host + ":" +
         std::to_string(port) + request.path;
}

void setMethodAndBody(Request& request) {
  CURL* easy = request.easy;
  if (request.verb == "GET") {
    curl_easy_setopt(easy, CURLOPT_HTTPGET, 1L);
    return;
  }
  if (request.verb == "HEAD") {
    curl_easy_setopt(easy, CURLOPT_NOBODY, 1L);
    return;
  }
  curl_easy_setopt(easy, CURLOPT_POST, 1L);
  curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE, static_cast<curl_off_t>(request.body.size()));
  curl_easy_setopt(easy, CURLOPT_POSTFIELDS, request.body.data());
  if (request.verb != "POST") curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, request.verb.c_str());
}

void setConnectionRules(Request& request) {
  CURL* easy = request.easy;
  const Root& root = *request.connection->root;
  const bool secure = (request.flags & kHttpFlagSecure) != 0;
  // An empty proxy makes curl ignore the proxy environment variables.
  curl_easy_setopt(easy, CURLOPT_PROXY, proxyFor(root.proxyList, secure).c_str());
  if (root.hasAgent) curl_easy_setopt(easy, CURLOPT_USERAGENT, root.agent.c_str());
  curl_easy_setopt(easy, CURLOPT_HTTP_VERSION, static_cast<long>(CURL_HTTP_VERSION_1_1));
  curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT, kConnectTimeoutSeconds);
  curl_easy_setopt(easy, CURLOPT_LOW_SPEED_LIMIT, 1L);
  curl_easy_setopt(easy, CURLOPT_LOW_SPEED_TIME, kStallTimeoutSeconds);
  curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
  curl_easy_setopt(easy, CURLOPT_BUFFERSIZE, kReceiveBufferBytes);
  const bool follow = (request.flags & kHttpFlagNoAutoRedirect) == 0;
  curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, follow ? 1L : 0L);
  curl_easy_setopt(easy, CURLOPT_MAXREDIRS, kMaxRedirects);
  // An https request never falls back to http; an http one may move to https when allowed.
  const bool mayMoveToHttps = (request.flags & kHttpFlagIgnoreRedirectToHttps) != 0;
  const char* redirectSchemes = secure ? "https" : mayMoveToHttps ? "http,https" : "http";
  curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, redirectSchemes);
  if ((request.flags & kHttpFlagNoCookies) == 0) {
    curl_easy_setopt(easy, CURLOPT_SHARE, sharedCookieStore());
    curl_easy_setopt(easy, CURLOPT_COOKIEFILE, "");
  }
}

// Runs the transfer a little; marks it done when it has ended, well or not. Waits for the
// socket only when nothing new arrived.
void pump(Request& request) {
  const std::size_t before = request.received.size();
  int running = 0;
  curl_multi_perform(request.multi, &running);
  if (running == 0) {
    request.done = true;
    return;
  }
  if (request.received.size() == before) {
    curl_multi_poll(request.multi, nullptr, 0, kPollMilliseconds, nullptr);
  }
}

template <class T>
T* handleOf(HttpHandle handle, HandleKind kind) {
  auto* base = static_cast<Handle*>(handle);
  return base != nullptr && base->kind == kind ? static_cast<T*>(base) : nullptr;
}

}  // namespace

HttpHandle httpOpenRoot(const char* agent, std::uint32_t accessType, const char* proxy,
                        const char* /*proxyBypass*/, std::uint32_t /*flags*/) {
  if (accessType != kHttpOpenDirect && accessType != kHttpOpenProxy) return nullptr;
  sharedCookieStore();
  auto* root = new Root;
  root->hasAgent = agent != nullptr;
  if (agent != nullptr) root->agent = agent;
  if (accessType == kHttpOpenProxy && proxy != nullptr) root->proxyList = proxy;
  return root;
}

HttpHandle httpConnect(HttpHandle rootHandle, const char* host, int port, const char* /*user*/,
                       const char* /*password*/, std::uint32_t service, std::uint32_t /*flags*/,
                       std::uintptr_t /*context*/) {
  const Root* root = handleOf<Root>(rootHandle, HandleKind::root);
  if (root == nullptr || host == nullptr || host[0] == '\0' || service != kHttpServiceHttp) {
    return nullptr;
  }
  auto* connection = new Connection;
  connection->root = root;
  connection->host = host;
  connection->port = port;
  return connection;
}

HttpHandle httpOpenRequest(HttpHandle connectionHandle, const char* verb, const char* path,
                           const char* /*version*/, const char* /*referrer*/,
                           const char** /*acceptTypes*/, std::uint32_t flags,
                           std::uintptr_t /*context*/) {
  const Connection* connection = handleOf<Connection>(connectionHandle, HandleKind::connection);
  if (connection == nullptr) return nullptr;
  auto* request = new Request;
  request->connection = connection;
  request->verb = verb != nullptr ? verb : "GET";
  request->path = path != nullptr && path[0] != '\0' ? path : "/";
  request->flags = flags;
  request->easy = curl_easy_init();
  request->multi = curl_multi_init();
  if (request->easy == nullptr || request->multi == nullptr) {
    delete request;
    return nullptr;
  }
  return request;
}

bool httpSendRequest(HttpHandle requestHandle, const char* headers, std::uint32_t headersLength,
                     const void* body, std::uint32_t bodyLength) {
  Request* request = handleOf<Request>(requestHandle, HandleKind::request);
  if (request == nullptr || request->multi == nullptr) return false;
  CURL* easy = request->easy;
  if (body != nullptr) request->body.assign(static_cast<const char*>(body), bodyLength);
  const std::string url = requestUrl(*request);
  curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
  setMethodAndBody(*request);
  setConnectionRules(*request);
  request->headerLines = headerList(headers != nullptr ? std::string_view(headers, headersLength)
                                                       : std::string_view());
  curl_easy_setopt(easy, CURLOPT_HTTPHEADER, request->headerLines);
  curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, onHeaderLine);
  curl_easy_setopt(easy, CURLOPT_HEADERDATA, request);
  curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, onBodyBytes);
  curl_easy_setopt(easy, CURLOPT_WRITEDATA, request);
  if (curl_multi_add_handle(request->multi, easy) != CURLM_OK) return false;
  while (!request->bodyStarted && !request->done) pump(*request);
  return !request->headerBlock.empty();
}

bool httpReadBody(HttpHandle requestHandle, void* buffer, std::uint32_t size,
                  std::uint32_t* count) {
  *count = 0;
  Request* request = handleOf<Request>(requestHandle, HandleKind::request);
  if (request == nullptr || request->easy == nullptr) return false;
  if (request->paused && request->readOffset == request->received.size()) {
    request->paused = false;
    curl_easy_pause(request->easy, CURLPAUSE_CONT);
  }
  while (request->readOffset == request->received.size() && !request->done) pump(*request);
  const std::size_t available = request->received.size() - request->readOffset;
  const std::size_t n = std::min<std::size_t>(available, size);
  std::memcpy(buffer, request->received.data() + request->readOffset, n);
  request->readOffset += n;
  if (request->readOffset == request->received.size()) {
    request->received.clear();
    request->readOffset = 0;
  }
  *count = static_cast<std::uint32_t>(n);
  return true;
}

namespace {

// The announced length of the final response as digits; empty when it names none.
std::string contentLengthOf(const Request& request) {
  curl_off_t length = -1;
  curl_easy_getinfo(request.easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &length);
  return length >= 0 ? std::to_string(length) : std::string();
}

}  // namespace

bool httpQueryInfo(HttpHandle requestHandle, std::uint32_t infoLevel, void* buffer,
                   std::uint32_t* length, std::uint32_t* /*index*/) {
  const Request* request = handleOf<Request>(requestHandle, HandleKind::request);
  if (request == nullptr) return false;
  std::string answer;
  if (infoLevel == kHttpQueryRawHeadersCrlf) answer = request->headerBlock;
  if (infoLevel == kHttpQueryContentLength) answer = contentLengthOf(*request);
  if (answer.empty()) return false;
  if (answer.size() + 1 > *length) {
    *length = static_cast<std::uint32_t>(answer.size() + 1);
    return false;
  }
  std::memcpy(buffer, answer.c_str(), answer.size() + 1);
  *length = static_cast<std::uint32_t>(answer.size());
  return true;
}

bool httpCloseHandle(HttpHandle handle) {
  auto* base = static_cast<Handle*>(handle);
  if (base == nullptr) return false;
  switch (base->kind) {
    case HandleKind::root:
      delete static_cast<Root*>(base);
      break;
    case HandleKind::connection:
      delete static_cast<Connection*>(base);
      break;
    case HandleKind::request:
      delete static_cast<Request*>(base);
      break;
  }
  return true;
}

}  // namespace platform
