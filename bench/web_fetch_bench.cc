// Fetches a 50 MB body from the song service over loopback with webRequest and with the curl
// command-line tool in the same run, and prints webRequest's throughput as a ratio of curl's.
//
// Two curl baselines: discarding the body (-o /dev/null), and keeping it in memory like
// webRequest does (-o a file on the memory file system /dev/shm). Where first touches of fresh
// memory are dear (some virtual machines), keeping 50 MB costs about as much as the transfer;
// the second baseline pays that too.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "tests/support/song_service.h"
#include "web/web_request.h"

namespace {

constexpr long long kBodyBytes = 50LL * 1024 * 1024;
constexpr int kRounds = 3;

using Clock = std::chrono::steady_clock;

double secondsSince(Clock::time_point start) {
  return std::chrono::duration<double>(Clock::now() - start).count();
}

// Best time of kRounds runs of `command`; a negative value when it failed.
double bestCurlSeconds(const std::string& command) {
  double best = 1e9;
  for (int round = 0; round < kRounds; ++round) {
    const auto start = Clock::now();
    if (std::system(command.c_str()) != 0) return -1;
    best = std::min(best, secondsSince(start));
  }
  return best;
}

double megabytesPerSecond(double seconds) {
  return static_cast<double>(kBodyBytes) / (1024.0 * 1024.0) / seconds;
}

}  // namespace

int main() {
  auto service = corvalin::testing::SongService::start(CORVALIN_FIXTURES_DIR "/songs.tsv");
  if (!service) {
    std::fprintf(stderr, "the song service did not start\n");
    return 1;
  }
  const std::string url = "http://" + service->host() + "/big?bytes=" + std::to_string(kBodyBytes);

  double bestWeb = 1e9;
  for (int round = 0; round < kRounds; ++round) {
    const auto start = Clock::now();
    const corvalin::Bytes body = corvalin::webRequest(url.c_str());
    const double seconds = secondsSince(start);
    if (body.length() != kBodyBytes) {
      std::fprintf(stderr, "webRequest got %d bytes, expected %lld\n", body.length(), kBodyBytes);
      return 1;
    }
    bestWeb = std::min(bestWeb, seconds);
  }

  const std::filesystem::path memoryFolder = std::filesystem::is_directory("/dev/shm")
                                                 ? "/dev/shm"
                                                 : std::filesystem::temp_directory_path();
  const std::filesystem::path kept = memoryFolder / "corvalin-web-bench.body";
  const double discarding = bestCurlSeconds("curl -s -o /dev/null \"" + url + "\"");
  const double keeping = bestCurlSeconds("curl -s -o \"" + kept.string() + "\" \"" + url + "\"");
  std::error_code ignored;
  std::filesystem::remove(kept, ignored);
  if (discarding < 0 || keeping < 0) {
    std::fprintf(stderr, "curl failed\n");
    return 1;
  }

  std::printf("body %lld bytes, best of %d runs each\n", kBodyBytes, kRounds);
  std::printf("webRequest               %6.0f MB/s\n", megabytesPerSecond(bestWeb));
  std::printf("curl -o /dev/null        %6.0f MB/s   ratio webRequest/curl %.2f\n",
              megabytesPerSecond(discarding), discarding / bestWeb);
  std::printf("curl -o %-16s %6.0f MB/s   ratio webRequest/curl %.2f\n", memoryFolder.c_str(),
              megabytesPerSecond(keeping), keeping / bestWeb);
  return 0;
}
