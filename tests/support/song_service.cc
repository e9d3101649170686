#include "tests/support/song_service.h"

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace corvalin::testing {
namespace {

int readPort(const std::string& portFile) {
  std::ifstream in(portFile);
  int port = 0;
  in >> port;
  return port;
}

}  // namespace

std::string sharedSongServiceHost() {
  const int port = readPort(CORVALIN_SONG_SERVICE_PORT_FILE);
  return port > 0 ? "127.0.0.1:" + std::to_string(port) : std::string();
}

#ifdef CORVALIN_SONG_SERVICE_PROGRAM
std::optional<SongService> SongService::start(const std::string& catalogue, int lifetimeSeconds) {
  static std::atomic<int> counter{0};
  const auto folder = std::filesystem::temp_directory_path();
  const std::string portFile =
      (folder / ("corvalin-song-service-" +
                 std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + "-" +
                 std::to_string(counter++) + ".port"))
          .string();
  // --background returns once the service listens and its port file is written.
  const std::string command = std::string("\"") + CORVALIN_SONG_SERVICE_PROGRAM +
                              "\" --background --port 0 --port-file \"" + portFile +
                              "\" --catalogue \"" + catalogue + "\" --lifetime " +
                              std::to_string(lifetimeSeconds) + " >/dev/null";
  if (std::system(command.c_str()) != 0) return std::nullopt;
  const int port = readPort(portFile);
  if (port <= 0) return std::nullopt;
  return SongService(portFile, port);
}

SongService::SongService(SongService&& other) noexcept
    : portFile_(std::move(other.portFile_)), port_(other.port_) {
  other.portFile_.clear();
}

SongService::~SongService() {
  if (portFile_.empty()) return;
  std::error_code ignored;
  std::filesystem::remove(portFile_, ignored);
}
#endif

}  // namespace corvalin::testing
