// Times findText, replaceText and splitText over a 10 MB text against std::string doing the
// same work in the same run, and prints each ratio (operation time / baseline time). Exits 1 when
// an operation and its baseline disagree.
#include <algorithm>
#include <cstdio>
#include <ctime>
#include <functional>
#include <string>
#include <vector>

#include "text/text.h"

namespace {

using corvalin::Text;

// One line of a song page as it looks after conversion: ASCII markup around code page 936
// names (中文歌曲 and 歌手), about 100 bytes.
constexpr const char* kLine =
    "<a data-res-id=\"1234567\" data-res-name=\"\xD6\xD0\xCE\xC4\xB8\xE8\xC7\xFA\" "
    "data-res-author=\"\xB8\xE8\xCA\xD6\">x</a>\r\n";

// A text of two-byte characters only (中文歌曲 over and over) with an ASCII marker every
// kLine-length bytes: each match sits right after a long run of bytes 0x80..0xFF, the worst
// case for telling where a character starts.
constexpr const char* kWideLine =
    "\xD6\xD0\xCE\xC4\xB8\xE8\xC7\xFA\xD6\xD0\xCE\xC4\xB8\xE8\xC7\xFA\xD6\xD0\xCE\xC4\xB8\xE8"
    "\xC7\xFA\xD6\xD0\xCE\xC4\xB8\xE8\xC7\xFA\xD6\xD0\xCE\xC4\xB8\xE8\xC7\xFA\xD6\xD0\xCE\xC4"
    "\xB8\xE8\xC7\xFA\xD6\xD0\xCE\xC4\xB8\xE8\xC7\xFA"
    "data-res-author";

std::string makePage(const char* line, std::size_t bytes) {
  std::string page;
  page.reserve(bytes + 128);
  while (page.size() < bytes) page += line;
  return page;
}

// Processor time of this process, not wall time: time spent waiting while other programs
// run on a shared machine does not count.
double secondsFor(const std::function<std::size_t()>& work, std::size_t& result) {
  const std::clock_t start = std::clock();
  result = work();
  return static_cast<double>(std::clock() - start) / CLOCKS_PER_SEC;
}

// Rounds alternate between the operation and its baseline, and each keeps its best round, so
// that other load on the machine weighs on both alike and mostly drops out.
bool compare(const char* name, const std::function<std::size_t()>& operation,
             const std::function<std::size_t()>& baseline) {
  constexpr int kRounds = 15;
  std::size_t operationResult = 0;
  std::size_t baselineResult = 0;
  double operationTime = 1e30;
  double baselineTime = 1e30;
  for (int round = 0; round < kRounds; ++round) {
    operationTime = std::min(operationTime, secondsFor(operation, operationResult));
    baselineTime = std::min(baselineTime, secondsFor(baseline, baselineResult));
  }
  std::printf("%-12s ratio %5.2f  (%.1f ms vs baseline %.1f ms, result %zu)\n", name,
              operationTime / baselineTime, operationTime * 1e3, baselineTime * 1e3,
              operationResult);
  if (operationResult != baselineResult) {
    std::printf("%-12s MISMATCH: baseline result %zu\n", name, baselineResult);
    return false;
  }
  return true;
}

bool compareFind(const char* name, const std::string& page, const std::string& sought) {
  const Text text = Text::fromBytes(page);
  const Text soughtText = sought.c_str();
  return compare(
      name,
      [&] {
        std::size_t found = 0;
        for (int at = corvalin::findText(text, soughtText); at != -1;
             at = corvalin::findText(text, soughtText, {.start = at + 1})) {
          ++found;
        }
        return found;
      },
      [&] {
        std::size_t found = 0;
        for (std::size_t at = page.find(sought); at != std::string::npos;
             at = page.find(sought, at + 1)) {
          ++found;
        }
        return found;
      });
}

}  // namespace

int main() {
  const std::string page = makePage(kLine, 10u << 20);
  const Text text = Text::fromBytes(page);
  bool agree = true;

  agree &= compareFind("findText", page, "data-res-author");
  agree &= compareFind("findText/wide", makePage(kWideLine, 10u << 20), "data-res-author");

  agree &= compare(
      "replaceText",
      [&] {
        return static_cast<std::size_t>(corvalin::textLength(
            corvalin::replaceText(text, "data-res-", "x-", {.caseSensitive = true})));
      },
      [&] {
        std::string out;
        out.reserve(page.size());
        std::size_t from = 0;
        for (std::size_t at = page.find("data-res-"); at != std::string::npos;
             at = page.find("data-res-", from)) {
          out.append(page, from, at - from);
          out += "x-";
          from = at + 9;
        }
        out.append(page, from, std::string::npos);
        return out.size();
      });

  agree &= compare(
      "splitText",
      [&] {
        return static_cast<std::size_t>(corvalin::arraySize(corvalin::splitText(text, "\r\n")));
      },
      [&] {
        std::vector<std::string> pieces;
        const std::string delimiter = "\r\n";
        std::size_t from = 0;
        for (auto at = std::search(page.begin(), page.end(), delimiter.begin(), delimiter.end());
             at != page.end(); at = std::search(page.begin() + static_cast<std::ptrdiff_t>(from),
                                                page.end(), delimiter.begin(), delimiter.end())) {
          const auto offset = static_cast<std::size_t>(at - page.begin());
          pieces.emplace_back(page, from, offset - from);
          from = offset + delimiter.size();
        }
        if (from < page.size()) pieces.emplace_back(page, from, std::string::npos);
        return pieces.size();
      });

  return agree ? 0 : 1;
}
