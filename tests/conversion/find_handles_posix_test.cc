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

struct EnumerationCase {
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

const EnumerationCase kEnumerations[] = {
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
};

struct CopyCase {
  const char* source;  // names inside the folder
  const char* target;
  bool copied;
};

const CopyCase kCopies[] = {
    {"a.uc", "a.mp3", true},
    {"none.uc", "n.mp3", false},   // missing source
    {"a.uc", "no\\a.mp3", false},  // missing target folder
    {"a.uc", "d.uc", false},       // target is a folder
};

TEST(PosixFileHandles, NoDescriptorStaysOpen) {
  TempFolder folder;
  folder.write("a.uc", "one");
  folder.write("b.uc", "two");
  std::filesystem::create_directory(folder.path() / "d.uc");
  for (const EnumerationCase& c : kEnumerations) {
    SCOPED_TRACE(c.what);
    const int before = openDescriptors();
    c.run(folder.systemPath());
    EXPECT_EQ(openDescriptors(), before);
  }
  for (const CopyCase& c : kCopies) {
    SCOPED_TRACE(std::string(c.source) + " to " + c.target);
    const int before = openDescriptors();
    const std::string from = folder.systemPath() + "\\" + c.source;
    const std::string to = folder.systemPath() + "\\" + c.target;
    EXPECT_EQ(copyFile(from.c_str(), to.c_str()), c.copied);
    EXPECT_EQ(openDescriptors(), before);
  }
}

}  // namespace
}  // namespace platform
