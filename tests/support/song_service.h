// The song service (tools/song_service.cc) for tests.
//
// sharedSongServiceHost(): "127.0.0.1:<port>" of the service that ctest's fixture
//   "song_service" started for this build with tests/fixtures/songs.tsv; works in the native
//   and in the Windows build (under Wine the native service runs beside the tests). A test
//   that uses it is registered with corvalin_requires_song_service(<test>).
// SongService::start(catalogue) (native builds only): a private service on a free port with
//   its own catalogue, stopped when the object goes.
#pragma once

#include <optional>
#include <string>

namespace corvalin::testing {

// Empty when no shared service runs (the test then fails on its requests).
std::string sharedSongServiceHost();

#ifdef CORVALIN_SONG_SERVICE_PROGRAM
class SongService {
 public:
  // Starts the service with `catalogue` (see the service's header comment for its format);
  // nullopt when it did not come up.
  static std::optional<SongService> start(const std::string& catalogue, int lifetimeSeconds = 600);
  SongService(SongService&& other) noexcept;
  SongService& operator=(SongService&&) = delete;
  ~SongService();

  int port() const { return port_; }
  std::string host() const { return "127.0.0.1:" + std::to_string(port_); }

 private:
  SongService(std::string portFile, int port) : portFile_(std::move(portFile)), port_(port) {}
  std::string portFile_;  // the service stops when this file is removed
  int port_ = 0;
};
#endif

}  // namespace corvalin::testing
