// The project's own song service, for tests, the demo and the benchmarks.
//
//   corvalin_song_service [--port N] [--port-file PATH] [--catalogue PATH] [--lifetime SECONDS]
//                         [--background]
//
// Listens on 127.0.0.1 only. Port 0 (the default) picks a free one; the port is printed as
// "port N" and written to the port file. The service stops by itself after its lifetime
// (default 600 s) or as soon as its port file is removed. --background returns once the
// service listens, leaving it running detached.
//
// Catalogue: UTF-8, one entry a line, fields separated by a tab; "#" starts a comment line.
//   <id> <name> <author>     /m/song?id=<id> serves a page with data-res-name and
//                            data-res-author set to the name and the author, verbatim
//   <id> @<path>             /m/song?id=<id> answers as a request for <path> would, e.g.
//                            "@/stall?s=40" or "@/file?name=page.html"
// An unknown id gets a 404 page without the two attributes. Every song page request is kept
// under the key "song-<id>" (see /recorded), so a test can see the URL that arrived.
//
// Paths (query values in brackets are defaults):
//   /echo...               200, the body is the request exactly as received (any path that
//                          begins with /echo, so a test can give its cookies a path of their own)
//   /record?key=K          the echo, and keeps the request under K (useful for HEAD)
//   /recorded?key=K        200 with the request kept under K, or 404 when none was
//   /setcookie?c=N=V       sets the cookie N=V with Path=/echo/jar
// A request through a proxy is served by its path; a tunnel request (CONNECT host:port) is
// refused and kept under the key "connect-host:port".
//   /file?name=F           200, the bytes of F from the catalogue's folder
//   /cookies               Set-Cookie lines in mixed case: a=1, b=2, c=3
//   /zero                  a body holding a zero byte: "ab", 0x00, "cd"
//   /nobody                200 with an empty body
//   /slow?ms=[2000]        the echo, after a delay
//   /never?s=[45]          reads the request, answers nothing, closes after s seconds
//   /stall?s=[45]          the status line and headers, then nothing; closes after s seconds
//   /endless               a body that never ends (until the client goes)
//   /bigheaders?bytes=[6000]  a header block of about that size
//   /redirect?to=URL&code=[302]   a redirect to URL
//   /loop                  a redirect to itself
//   /reset?bytes=[1000]    announces twice that many bytes, sends that many, then resets
//   /big?bytes=[4000000]   a page of that size without the song attributes
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <map>
#include <mutex>
#include <sstream>
#include <string>
#include <string_view>
#include <thread>

namespace {

struct Options {
  int port = 0;
  std::string portFile;
  std::string catalogue;
  int lifetimeSeconds = 600;
  bool background = false;
};

struct Song {
  std::string name;
  std::string author;
  std::string behaviour;  // a service path, when the entry stands for a misbehaviour
};

std::map<std::string, Song> gCatalogue;
std::filesystem::path gCatalogueFolder;
std::mutex gRecordedLock;
std::map<std::string, std::string> gRecorded;  // requests kept by /record

// ---- Sockets ----

bool sendAll(int fd, std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = ::send(fd, data.data(), data.size(), MSG_NOSIGNAL);
    if (n <= 0) return false;
    data.remove_prefix(static_cast<std::size_t>(n));
  }
  return true;
}

// Waits `seconds`, or less when the client closes first.
void holdOpen(int fd, int seconds) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(seconds);
  char scratch[256];
  while (std::chrono::steady_clock::now() < end) {
    pollfd p{fd, POLLIN, 0};
    if (::poll(&p, 1, 200) > 0 && ::recv(fd, scratch, sizeof scratch, 0) <= 0) return;
  }
}

struct Request {
  std::string raw;  // request line, header block, blank line and body, as received
  std::string method;
  std::string target;
  std::string path;
  std::map<std::string, std::string> query;
};

std::string lowerCase(std::string s) {
  for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  return s;
}

std::map<std::string, std::string> parseQuery(std::string_view query) {
  std::map<std::string, std::string> values;
  std::size_t at = 0;
  while (at < query.size()) {
    const std::size_t end = std::min(query.find('&', at), query.size());
    const std::string_view pair = query.substr(at, end - at);
    const std::size_t eq = pair.find('=');
    if (eq == std::string_view::npos) {
      values[std::string(pair)] = "";
    } else {
      values[std::string(pair.substr(0, eq))] = std::string(pair.substr(eq + 1));
    }
    at = end + 1;
  }
  return values;
}

void splitTarget(std::string_view target, Request& request) {
  if (target.substr(0, 7) == "http://") {
    const std::size_t slash = target.find('/', 7);
    target = slash == std::string_view::npos ? std::string_view("/") : target.substr(slash);
  }
  const std::size_t mark = target.find('?');
  request.path = std::string(target.substr(0, mark));
  request.query = mark == std::string_view::npos ? std::map<std::string, std::string>{}
                                                 : parseQuery(target.substr(mark + 1));
}

std::size_t contentLength(std::string_view head) {
  const std::string lower = lowerCase(std::string(head));
  const std::size_t at = lower.find("\r\ncontent-length:");
  if (at == std::string::npos) return 0;
  return std::strtoul(lower.c_str() + at + 17, nullptr, 10);
}

// Reads one request: up to the blank line, then the announced body.
bool readRequest(int fd, Request& request) {
  constexpr std::size_t kMaxHead = 1 << 20;
  char chunk[4096];
  std::size_t headEnd = std::string::npos;
  while ((headEnd = request.raw.find("\r\n\r\n")) == std::string::npos) {
    if (request.raw.size() > kMaxHead) return false;
    const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
    if (n <= 0) return false;
    request.raw.append(chunk, static_cast<std::size_t>(n));
  }
  const std::size_t total =
      headEnd + 4 + contentLength(std::string_view(request.raw).substr(0, headEnd));
  while (request.raw.size() < total) {
    const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
    if (n <= 0) return false;
    request.raw.append(chunk, static_cast<std::size_t>(n));
  }
  const std::size_t lineEnd = request.raw.find("\r\n");
  std::istringstream line(request.raw.substr(0, lineEnd));
  line >> request.method >> request.target;
  splitTarget(request.target, request);
  return true;
}

int queryInt(const Request& request, const char* name, int fallback) {
  const auto it = request.query.find(name);
  return it == request.query.end() ? fallback : std::atoi(it->second.c_str());
}

std::string queryText(const Request& request, const char* name) {
  const auto it = request.query.find(name);
  return it == request.query.end() ? std::string() : it->second;
}

// ---- Responses ----

std::string head(int status, std::string_view reason, std::string_view extraLines,
                 std::string_view contentType, long long length) {
  std::string h = "HTTP/1.1 " + std::to_string(status) + " " + std::string(reason) + "\r\n";
  h += "Content-Type: " + std::string(contentType) + "\r\n";
  if (length >= 0) h += "Content-Length: " + std::to_string(length) + "\r\n";
  h += extraLines;
  h += "Connection: close\r\n\r\n";
  return h;
}

void answer(int fd, int status, std::string_view reason, std::string_view body,
            std::string_view extraLines = {}, std::string_view type = "text/plain") {
  sendAll(fd, head(status, reason, extraLines, type, static_cast<long long>(body.size())) +
                  std::string(body));
}

std::string songPage(const Song& song) {
  return "<!DOCTYPE html>\n<html><head><meta charset=\"utf-8\"><title>" + song.name +
         "</title></head>\n<body><div class=\"song\" data-res-id=\"\" data-res-name=\"" +
         song.name + "\" data-res-author=\"" + song.author + "\"></div></body></html>\n";
}

void sendFiller(int fd, long long bytes) {
  static const std::string block = [] {
    std::string b;
    while (b.size() < 65536) b += "<p>lorem ipsum dolor sit amet</p>\n";
    return b;
  }();
  while (bytes > 0) {
    const auto n =
        static_cast<std::size_t>(std::min<long long>(bytes, static_cast<long long>(block.size())));
    if (!sendAll(fd, std::string_view(block).substr(0, n))) return;
    bytes -= static_cast<long long>(n);
  }
}

void resetConnection(int fd) {
  linger hard{1, 0};
  ::setsockopt(fd, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
}

void serveFile(int fd, const Request& request) {
  const std::string name = queryText(request, "name");
  if (name.empty() || name.find('/') != std::string::npos || name.find("..") != std::string::npos) {
    answer(fd, 400, "Bad Request", "bad file name");
    return;
  }
  std::ifstream in(gCatalogueFolder / name, std::ios::binary);
  if (!in) {
    answer(fd, 404, "Not Found", "no such file");
    return;
  }
  std::ostringstream bytes;
  bytes << in.rdbuf();
  answer(fd, 200, "OK", bytes.str(), {}, "text/html; charset=utf-8");
}

void route(int fd, Request& request);

void keepRequest(const std::string& key, const std::string& raw) {
  const std::lock_guard<std::mutex> hold(gRecordedLock);
  gRecorded[key] = raw;
}

void serveSong(int fd, Request& request) {
  keepRequest("song-" + queryText(request, "id"), request.raw);
  const auto it = gCatalogue.find(queryText(request, "id"));
  if (it == gCatalogue.end()) {
    answer(fd, 404, "Not Found", "<html><body>no such song</body></html>", {}, "text/html");
    return;
  }
  const Song& song = it->second;
  if (song.behaviour.empty()) {
    answer(fd, 200, "OK", songPage(song), {}, "text/html; charset=utf-8");
    return;
  }
  splitTarget(song.behaviour, request);
  if (request.path == "/m/song") return answer(fd, 508, "Loop Detected", "behaviour loop");
  route(fd, request);
}

void serveBigHeaders(int fd, const Request& request) {
  const int bytes = queryInt(request, "bytes", 6000);
  std::string lines = "Set-Cookie: big=1\r\n";
  for (int i = 0; static_cast<int>(lines.size()) < bytes; ++i) {
    lines += "X-Filler-" + std::to_string(i) + ": " + std::string(90, 'f') + "\r\n";
  }
  answer(fd, 200, "OK", "big headers", lines);
}

void record(int fd, const Request& request) {
  keepRequest(queryText(request, "key"), request.raw);
  answer(fd, 200, "OK", request.raw);
}

void recorded(int fd, const Request& request) {
  std::string raw;
  {
    const std::lock_guard<std::mutex> hold(gRecordedLock);
    const auto it = gRecorded.find(queryText(request, "key"));
    if (it == gRecorded.end()) return answer(fd, 404, "Not Found", "");
    raw = it->second;
  }
  answer(fd, 200, "OK", raw);
}

void route(int fd, Request& request) {
  const std::string& p = request.path;
  if (request.method == "CONNECT") {
    keepRequest("connect-" + request.target, request.raw);
    return answer(fd, 405, "Method Not Allowed", "no tunnels");
  }
  if (p == "/m/song") return serveSong(fd, request);
  if (p.rfind("/echo", 0) == 0) return answer(fd, 200, "OK", request.raw);
  if (p == "/record") return record(fd, request);
  if (p == "/recorded") return recorded(fd, request);
  if (p == "/setcookie") {
    return answer(fd, 200, "OK", "set",
                  "Set-Cookie: " + queryText(request, "c") + "; Path=/echo/jar\r\n");
  }
  if (p == "/file") return serveFile(fd, request);
  if (p == "/cookies") {
    return answer(fd, 200, "OK", "cookies",
                  "Set-Cookie: a=1; Path=/\r\nSET-COOKIE: b=2; HttpOnly\r\nSet-Cookie: c=3\r\n");
  }
  if (p == "/zero") return answer(fd, 200, "OK", std::string_view("ab\0cd", 5));
  if (p == "/nobody") return answer(fd, 200, "OK", "");
  if (p == "/slow") {
    std::this_thread::sleep_for(std::chrono::milliseconds(queryInt(request, "ms", 2000)));
    return answer(fd, 200, "OK", request.raw);
  }
  if (p == "/never") return holdOpen(fd, queryInt(request, "s", 45));
  if (p == "/stall") {
    sendAll(fd, head(200, "OK", {}, "text/html", 100));
    return holdOpen(fd, queryInt(request, "s", 45));
  }
  if (p == "/endless") {
    sendAll(fd, head(200, "OK", {}, "text/html", -1));
    return sendFiller(fd, 1LL << 62);
  }
  if (p == "/bigheaders") return serveBigHeaders(fd, request);
  if (p == "/redirect") {
    const int code = queryInt(request, "code", 302);
    return answer(fd, code, "Found", "moved", "Location: " + queryText(request, "to") + "\r\n");
  }
  if (p == "/loop") return answer(fd, 302, "Found", "again", "Location: /loop\r\n");
  if (p == "/reset") {
    const int bytes = queryInt(request, "bytes", 1000);
    sendAll(fd, head(200, "OK", {}, "text/html", 2LL * bytes));
    sendFiller(fd, bytes);
    return resetConnection(fd);
  }
  if (p == "/big") {
    const long long bytes = std::atoll(queryText(request, "bytes").c_str());
    const long long size = bytes > 0 ? bytes : 4000000;
    sendAll(fd, head(200, "OK", {}, "text/html", size));
    return sendFiller(fd, size);
  }
  answer(fd, 404, "Not Found", "unknown path");
}

void serveConnection(int fd) {
  Request request;
  if (readRequest(fd, request)) route(fd, request);
  ::close(fd);
}

// ---- Start-up ----

bool loadCatalogue(const std::string& path) {
  std::ifstream in(path);
  if (!in) return false;
  gCatalogueFolder = std::filesystem::path(path).parent_path();
  std::string line;
  while (std::getline(in, line)) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (line.empty() || line[0] == '#') continue;
    const std::size_t tab1 = line.find('\t');
    if (tab1 == std::string::npos) continue;
    const std::string id = line.substr(0, tab1);
    const std::string rest = line.substr(tab1 + 1);
    if (!rest.empty() && rest[0] == '@') {
      gCatalogue[id] = Song{{}, {}, rest.substr(1)};
      continue;
    }
    const std::size_t tab2 = rest.find('\t');
    gCatalogue[id] =
        Song{rest.substr(0, tab2), tab2 == std::string::npos ? "" : rest.substr(tab2 + 1), {}};
  }
  return true;
}

bool parseOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--background") {
      options.background = true;
    } else if (arg == "--port" && hasValue) {
      options.port = std::atoi(argv[++i]);
    } else if (arg == "--port-file" && hasValue) {
      options.portFile = argv[++i];
    } else if (arg == "--catalogue" && hasValue) {
      options.catalogue = argv[++i];
    } else if (arg == "--lifetime" && hasValue) {
      options.lifetimeSeconds = std::atoi(argv[++i]);
    } else {
      return false;
    }
  }
  return true;
}

int listenOnLoopback(int port) {
  const int fd = ::socket(AF_INET, SOCK_STREAM, 0);
  if (fd < 0) return -1;
  const int yes = 1;
  ::setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<std::uint16_t>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (::bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(fd, 64) != 0) {
    ::close(fd);
    return -1;
  }
  return fd;
}

int boundPort(int fd) {
  sockaddr_in address{};
  socklen_t length = sizeof address;
  ::getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
  return ntohs(address.sin_port);
}

// Written whole under a temporary name first, so a reader never sees half a number.
bool writePortFile(const std::string& path, int port) {
  const std::string temporary = path + ".tmp";
  {
    std::ofstream out(temporary, std::ios::trunc);
    if (!(out << port << "\n")) return false;
  }
  std::error_code error;
  std::filesystem::rename(temporary, path, error);
  return !error;
}

void detach() {
  if (::fork() != 0) std::_Exit(0);
  ::setsid();
  const int null = ::open("/dev/null", O_RDWR);
  ::dup2(null, 0);
  ::dup2(null, 1);
  ::dup2(null, 2);
}

void serve(int listener, const Options& options) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(options.lifetimeSeconds);
  while (std::chrono::steady_clock::now() < end) {
    if (!options.portFile.empty() && !std::filesystem::exists(options.portFile)) return;
    pollfd p{listener, POLLIN, 0};
    if (::poll(&p, 1, 200) <= 0) continue;
    const int fd = ::accept(listener, nullptr, nullptr);
    if (fd >= 0) std::thread(serveConnection, fd).detach();
  }
}

}  // namespace

int main(int argc, char** argv) {
  Options options;
  if (!parseOptions(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: %s [--port N] [--port-file PATH] [--catalogue PATH] "
                 "[--lifetime SECONDS] [--background]\n",
                 argv[0]);
    return 2;
  }
  if (!options.catalogue.empty() && !loadCatalogue(options.catalogue)) {
    std::fprintf(stderr, "cannot read catalogue %s\n", options.catalogue.c_str());
    return 1;
  }
  const int listener = listenOnLoopback(options.port);
  if (listener < 0) {
    std::fprintf(stderr, "cannot listen on 127.0.0.1:%d\n", options.port);
    return 1;
  }
  const int port = boundPort(listener);
  if (!options.portFile.empty() && !writePortFile(options.portFile, port)) {
    std::fprintf(stderr, "cannot write %s\n", options.portFile.c_str());
    return 1;
  }
  std::printf("port %d\n", port);
  std::fflush(stdout);
  std::signal(SIGPIPE, SIG_IGN);
  if (options.background) detach();
  serve(listener, options);
  std::_Exit(0);
}
