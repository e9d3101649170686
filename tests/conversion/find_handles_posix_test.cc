// The folder enumeration and the copy leave no descriptor open on any path: enumerations run to
// their end, abandoned and closed, restarted while open, on a missing folder, and copies that
// succeed or fail. Counted in /proc/self/fd before and after each.
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

#include "platform/file_system.h"
#include "tests/conversion/temp_folder.h"

namespace platform {
namespace {

using corvalin::testing::TempFolder;

int openDescriptors() {
  int count = 0;
  for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
    (void)entry;
    ++count;
  }
  return count;
}

struct PathCase {
  const char* what;
  std::function<void(const std::string& folder)> run;
};

void enumerateAll(const std::string& pattern) {
  FindHandle handle = nullptr;
  for (std::string name = findFile(pattern.c_str(), handle); !name.empty();
       name = findFile(nullptr, handle)) {
  }
  EXPECT_EQ(handle, nullptr);
}

const PathCase kPaths[] = {
    {"enumeration to its end", [](const std::string& f) { enumerateAll(f + "\\*.uc"); }},
    {"enumeration of a missing folder",
     [](const std::string& f) { enumerateAll(f + "\\no\\*.uc"); }},
    {"enumeration abandoned and closed",
     [](const std::string& f) {
       FindHandle handle = nullptr;
       EXPECT_FALSE(findFile((f + "\\*.uc").c_str(), handle).empty());
       closeFind(handle);
       EXPECT_EQ(handle, nullptr);
     }},
    {"enumeration restarted while open",
     [](const std::string& f) {
       FindHandle handle = nullptr;
       EXPECT_FALSE(findFile((f + "\\*.uc").c_str(), handle).empty());
       EXPECT_FALSE(findFile((f + "\\a*.uc").c_str(), handle).empty());
       closeFind(handle);
     }},
    {"copy",
     [](const std::string& f) {
       EXPECT_TRUE(copyFile((f + "\\a.uc").c_str(), (f + "\\a.mp3").c_str()));
     }},
    {"copy of a missing source",
     [](const std::string& f) {
       EXPECT_FALSE(copyFile((f + "\\none.uc").c_str(), (f + "\\n.mp3").c_str()));
     }},
    {"copy into a missing folder",
     [](const std::string& f) {
       EXPECT_FALSE(copyFile((f + "\\a.uc").c_str(), (f + "\\no\\a.mp3").c_str()));
     }},
    {"copy onto a folder",
     [](const std::string& f) {
       EXPECT_FALSE(copyFile((f + "\\a.uc").c_str(), (f + "\\d.uc").c_str()));
     }},
};

TEST(PosixFileHandles, NoDescriptorStaysOpen) {
  TempFolder folder;
  folder.write("a.uc", "one");
  folder.write("b.uc", "two");
  std::filesystem::create_directory(folder.path() / "d.uc");
  for (const PathCase& c : kPaths) {
    SCOPED_TRACE(c.what);
    const int before = openDescriptors();
    c.run(folder.systemPath());
    EXPECT_EQ(openDescriptors(), before);
  }
}

}  // namespace
}  // namespace platform
