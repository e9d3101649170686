#include "tests/web/web_test_support.h"

#include <algorithm>
#include <cctype>

#include "tests/support/song_service.h"

namespace corvalin::testing {
namespace {

bool sameName(std::string_view line, std::string_view name) {
  if (line.size() <= name.size() || line[name.size()] != ':') return false;
  return std::equal(name.begin(), name.end(), line.begin(), [](char a, char b) {
    return std::tolower(static_cast<unsigned char>(a)) ==
           std::tolower(static_cast<unsigned char>(b));
  });
}

}  // namespace

Text serviceUrl(std::string_view path) {
  return Text(("http://" + sharedSongServiceHost() + std::string(path)).c_str());
}

std::string headersWithoutResponse() {
#ifdef _WIN32
  return "\r\n";
#else
  return std::string(5000, ' ');
#endif
}

std::vector<std::string> linesOf(std::string_view block) {
  std::vector<std::string> lines;
  std::size_t at = 0;
  while (at <= block.size()) {
    const std::size_t end = std::min(block.find("\r\n", at), block.size());
    lines.emplace_back(block.substr(at, end - at));
    at = end + 2;
  }
  return lines;
}

EchoedRequest parseEcho(std::string_view raw) {
  EchoedRequest request;
  const std::size_t headEnd = raw.find("\r\n\r\n");
  if (headEnd == std::string_view::npos) return request;
  std::vector<std::string> lines = linesOf(raw.substr(0, headEnd));
  request.requestLine = lines.front();
  request.headerLines.assign(lines.begin() + 1, lines.end());
  request.body = std::string(raw.substr(headEnd + 4));
  return request;
}

std::vector<std::string> headerValues(const EchoedRequest& request, std::string_view name) {
  std::vector<std::string> values;
  for (const std::string& line : request.headerLines) {
    if (!sameName(line, name)) continue;
    const std::size_t start = line.find_first_not_of(' ', name.size() + 1);
    values.push_back(start == std::string::npos ? std::string() : line.substr(start));
  }
  return values;
}

}  // namespace corvalin::testing
