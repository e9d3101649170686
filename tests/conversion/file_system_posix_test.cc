// What crosses the Linux file system edge: names that code page 936 cannot hold keep their
// identity (GB18030 inside), names the system could not address again are not listed.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "platform/file_system.h"
#include "tests/conversion/enumerate.h"
#include "tests/conversion/temp_folder.h"

namespace platform {
namespace {

using corvalin::testing::enumerate;
using corvalin::testing::TempFolder;

TEST(PosixFileSystemEdge, NamesOutsideCodePage936AreFoundAndCopied) {
  TempFolder folder;
  folder.write("\xF0\x9F\x98\x80-1.uc", "smile");           // U+1F600, not in code page 936
  folder.write("\xE2\x82\xAC\xE2\x84\xA2.uc", "signs");     // U+20AC U+2122
  const std::string smile = "\x94\x39\xFC\x36-1.uc";        // U+1F600 in GB18030
  const std::string signs = "\xA2\xE3\x81\x36\xBE\x34.uc";  // U+20AC U+2122 in GB18030
  EXPECT_EQ(enumerate(folder.systemPath() + "\\*.uc"), (std::set<std::string>{smile, signs}));
  ASSERT_TRUE(copyFile((folder.systemPath() + "\\" + smile).c_str(),
                       (folder.systemPath() + "\\" + signs + ".mp3").c_str()));
  EXPECT_EQ(folder.read("\xE2\x82\xAC\xE2\x84\xA2.uc.mp3"), "smile");
}

TEST(PosixFileSystemEdge, NamesThatWouldComeBackAsAnotherNameAreNotListed) {
  TempFolder folder;
  folder.write("plain.uc", "");
  folder.write("back\\slash.uc", "");  // inside, "\" would split it into folder and name
  folder.write("bad\xFF.uc", "");      // not UTF-8: it could only come back as "bad?.uc"
  folder.write("bad?.uc", "");
  EXPECT_EQ(enumerate(folder.systemPath() + "\\*.uc"),
            (std::set<std::string>{"plain.uc", "bad?.uc"}));
}

TEST(PosixFileSystemEdge, APathWithAnEmptyFolderPartIsOnTheRoot) {
  EXPECT_TRUE(isFolder("\\"));
  EXPECT_TRUE(isFolder("\\tmp"));
}

TEST(PosixFileSystemEdge, ATargetWithoutWriteBitsIsNotReplacedEvenByTheSuperuser) {
  TempFolder folder;
  folder.write("1.uc", "new");
  folder.write("t.mp3", "kept");
  std::filesystem::permissions(folder.path() / "t.mp3", std::filesystem::perms::owner_read);
  EXPECT_FALSE(copyFile((folder.systemPath() + "\\1.uc").c_str(),
                        (folder.systemPath() + "\\t.mp3").c_str()));
  EXPECT_EQ(folder.read("t.mp3"), "kept");
  EXPECT_EQ(folder.entries(), (std::set<std::string>{"1.uc", "t.mp3"}));
}

}  // namespace
}  // namespace platform
