// A real folder under the temporary directory for one test, removed afterwards, with helpers to
// lay out files and to read them back. Names and paths given here are plain ASCII or UTF-8
// (as the operating system takes them); systemPath() is the same path as a text of the system.
#pragma once

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <string>

namespace corvalin::testing {

class TempFolder {
 public:
  TempFolder() {
    static int counter = 0;
    path_ = std::filesystem::temp_directory_path() /
            ("corvalin-conv-" +
             std::to_string(std::chrono::steady_clock::now().time_since_epoch().count()) + "-" +
             std::to_string(counter++));
    std::filesystem::create_directories(path_);
  }
  ~TempFolder() {
    std::error_code ignored;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;

  const std::filesystem::path& path() const { return path_; }
  // The folder as the system's texts name it (the temporary path is ASCII on every build).
  std::string systemPath() const { return path_.string(); }

  std::filesystem::path write(const std::filesystem::path& name, const std::string& bytes) const {
    std::ofstream out(path_ / name, std::ios::binary);
    out << bytes;
    return path_ / name;
  }
  void makeFolder(const std::filesystem::path& name) const {
    std::filesystem::create_directories(path_ / name);
  }
  std::string read(const std::filesystem::path& name) const {
    std::ifstream in(path_ / name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  bool has(const std::filesystem::path& name) const {
    return std::filesystem::exists(path_ / name);
  }
  // Every entry's name (u8 form), sub-folders included.
  std::set<std::string> entries() const {
    std::set<std::string> names;
    for (const auto& entry : std::filesystem::directory_iterator(path_)) {
      const std::u8string name = entry.path().filename().u8string();
      names.insert(std::string(name.begin(), name.end()));
    }
    return names;
  }

 private:
  std::filesystem::path path_;
};

}  // namespace corvalin::testing
