// The file system operations on real folders: which entries the enumeration yields and what a
// copy does to source and target. Runs natively and under Wine against the real Win32 calls.
#include "platform/file_system.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>

#include "tests/conversion/enumerate.h"
#include "tests/conversion/temp_folder.h"

namespace platform {
namespace {

using corvalin::testing::enumerate;
using corvalin::testing::TempFolder;
namespace fs = std::filesystem;

// "癨" and "盶": two-byte characters whose second byte is the byte of "\".
const std::string kBackslashTrailA = "\xB0\x5C";  // 癨
const std::string kBackslashTrailB = "\xB1\x5C";  // 盶
const char8_t* kBackslashTrailAUtf8 = u8"\u7668";
const char8_t* kBackslashTrailBUtf8 = u8"\u76F6";

TEST(FindFile, ListsMatchingFilesWithoutRegardToCaseAndSkipsFolders) {
  TempFolder folder;
  folder.write("123456-320-abc.uc", "a");
  folder.write("789.UC", "b");
  folder.write("notes.txt", "c");
  folder.write("a.ucx", "d");
  folder.write("b.uc.txt", "e");
  folder.makeFolder("old.uc");
  const std::set<std::string> expected = {"123456-320-abc.uc", "789.UC"};
  EXPECT_EQ(enumerate(folder.systemPath() + "\\*.uc"), expected);
  // A folder text that already ends in the separator gives two in a row.
  EXPECT_EQ(enumerate(folder.systemPath() + "\\\\*.uc"), expected);
}

TEST(FindFile, NothingToFindLeavesNoHandle) {
  TempFolder folder;
  folder.makeFolder("only.uc");
  const std::string cases[] = {
      folder.systemPath() + "\\*.uc",           // only a folder matches
      folder.systemPath() + "\\missing\\*.uc",  // no such folder
  };
  for (const std::string& pattern : cases) {
    FindHandle handle = nullptr;
    EXPECT_EQ(findFile(pattern.c_str(), handle), "") << pattern;
    EXPECT_EQ(handle, nullptr) << pattern;
  }
  FindHandle none = nullptr;
  EXPECT_EQ(findFile("", none), "") << "continuing without an open enumeration";
  EXPECT_EQ(findFile(nullptr, none), "");
}

TEST(FindFile, ANewPatternReplacesTheOpenEnumerationAndCloseFindEndsIt) {
  TempFolder first, second;
  first.write("1.uc", "");
  first.write("2.uc", "");
  second.write("3.uc", "");
  FindHandle handle = nullptr;
  EXPECT_FALSE(findFile((first.systemPath() + "\\*.uc").c_str(), handle).empty());
  ASSERT_NE(handle, nullptr);
  EXPECT_EQ(findFile((second.systemPath() + "\\*.uc").c_str(), handle), "3.uc");
  EXPECT_EQ(findFile(nullptr, handle), "");
  EXPECT_EQ(handle, nullptr);

  EXPECT_FALSE(findFile((first.systemPath() + "\\*.uc").c_str(), handle).empty());
  closeFind(handle);
  EXPECT_EQ(handle, nullptr);
  EXPECT_EQ(findFile(nullptr, handle), "");
}

TEST(FindFile, NamesWhoseSecondByteIsTheSeparatorComeBackWhole) {
  TempFolder folder;
  folder.write(fs::path(kBackslashTrailAUtf8).concat(".uc"), "x");
  EXPECT_EQ(enumerate(folder.systemPath() + "\\*.uc"),
            std::set<std::string>{kBackslashTrailA + ".uc"});
  // The enumeration of a folder whose own name holds such a character.
  folder.makeFolder(kBackslashTrailBUtf8);
  fs::copy_file(folder.path() / fs::path(kBackslashTrailAUtf8).concat(".uc"),
                folder.path() / kBackslashTrailBUtf8 / "1.uc");
  EXPECT_EQ(enumerate(folder.systemPath() + "\\" + kBackslashTrailB + "\\*.uc"),
            std::set<std::string>{"1.uc"});
}

TEST(CopyFile, CopiesEveryByteAndReplacesAnExistingTarget) {
  TempFolder folder;
  std::string bytes("ID3\x00\x01\xFF\x5C", 8);
  for (int i = 0; i < 200000; ++i) bytes += static_cast<char>(i * 7);
  folder.write("1-a.uc", bytes);
  folder.write("old.mp3", "an older, longer file that the copy must replace entirely");
  const std::string source = folder.systemPath() + "\\1-a.uc";
  const std::string target = folder.systemPath() + "\\old.mp3";
  ASSERT_TRUE(copyFile(source.c_str(), target.c_str()));
  EXPECT_EQ(folder.read("old.mp3"), bytes);
  EXPECT_EQ(folder.read("1-a.uc"), bytes);
  EXPECT_EQ(folder.entries(), (std::set<std::string>{"1-a.uc", "old.mp3"})) << "no leftovers";
}

TEST(CopyFile, NamesWithTheSeparatorAsSecondByteAreCopiedWhereTheySay) {
  TempFolder folder;
  folder.write(fs::path(kBackslashTrailAUtf8).concat(".uc"), "song");
  const std::string source = folder.systemPath() + "\\" + kBackslashTrailA + ".uc";
  const std::string target = folder.systemPath() + "\\" + kBackslashTrailB + ".mp3";
  ASSERT_TRUE(copyFile(source.c_str(), target.c_str()));
  EXPECT_EQ(folder.read(fs::path(kBackslashTrailBUtf8).concat(".mp3")), "song");
}

TEST(CopyFile, AFailedCopyWritesNothingAndLeavesTheSourceAlone) {
  TempFolder folder;
  folder.write("1.uc", "source bytes");
  folder.makeFolder("taken.mp3");
  const std::string source = folder.systemPath() + "\\1.uc";
  const struct {
    std::string source, target;
  } cases[] = {
      {folder.systemPath() + "\\missing.uc", folder.systemPath() + "\\a.mp3"},
      {source, folder.systemPath() + "\\taken.mp3"},  // a folder holds the name
      {source, folder.systemPath() + "\\no-such-folder\\a.mp3"},
      {source, source},  // onto itself
  };
  for (const auto& c : cases) {
    EXPECT_FALSE(copyFile(c.source.c_str(), c.target.c_str())) << c.source << " -> " << c.target;
  }
  EXPECT_EQ(folder.read("1.uc"), "source bytes");
  EXPECT_EQ(folder.entries(), (std::set<std::string>{"1.uc", "taken.mp3"}));
}

TEST(CopyFile, AReadOnlyTargetIsNotReplaced) {
  TempFolder folder;
  folder.write("1.uc", "new");
  folder.write("t.mp3", "kept");
  fs::permissions(folder.path() / "t.mp3", fs::perms::owner_read | fs::perms::group_read);
  if (std::ofstream(folder.path() / "t.mp3", std::ios::app)) {
    GTEST_SKIP() << "this user may write read-only files";
  }
  EXPECT_FALSE(copyFile((folder.systemPath() + "\\1.uc").c_str(),
                        (folder.systemPath() + "\\t.mp3").c_str()));
  EXPECT_EQ(folder.read("t.mp3"), "kept");
}

TEST(IsFolder, TellsFoldersFromFilesAndMissingPaths) {
  TempFolder folder;
  folder.write("f.uc", "");
  EXPECT_TRUE(isFolder(folder.systemPath().c_str()));
  EXPECT_TRUE(isFolder((folder.systemPath() + "\\").c_str()));
  EXPECT_FALSE(isFolder((folder.systemPath() + "\\f.uc").c_str()));
  EXPECT_FALSE(isFolder((folder.systemPath() + "\\none").c_str()));
}

}  // namespace
}  // namespace platform
