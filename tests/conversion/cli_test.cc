// cacheconv-cli end to end: the program run on real folders against the song service, its
// output (UTF-8) and its exit status.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "tests/conversion/temp_folder.h"
#include "tests/conversion/test_catalogue.h"

namespace corvalin::testing {
namespace {

struct CliResult {
  int status = -1;
  std::string out;
  std::string err;
};

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> result;
  std::istringstream in(text);
  for (std::string line; std::getline(in, line);) result.push_back(line);
  return result;
}

class Cli : public WithSuiteSongService {
 protected:
  // Runs the program with the arguments (already quoted for the shell).
  CliResult run(const std::string& arguments) {
    const std::string prefix = (outputs.path() / "run").string();
    const std::string command = std::string("'") + CACHECONV_CLI + "' " + arguments + " >'" +
                                prefix + ".out' 2>'" + prefix + ".err'; echo $? >'" + prefix +
                                ".status'";
    EXPECT_EQ(std::system(command.c_str()), 0);
    CliResult result;
    result.status = std::stoi(outputs.read("run.status"));
    result.out = outputs.read("run.out");
    result.err = outputs.read("run.err");
    return result;
  }
  std::string withService(const std::string& folder) {
    return "--host " + serviceHost() + " '" + folder + "'";
  }

  TempFolder outputs;
};

TEST_F(Cli, ConvertsEveryEntryAndExitsZero) {
  TempFolder folder;
  folder.write("1001-320-a.uc", "sunny");
  folder.write("3001-9.UC", "chinese");
  folder.write("notes.txt", "");
  folder.makeFolder("old.uc");
  const CliResult result = run(withService(folder.systemPath()));
  EXPECT_EQ(result.status, 0) << result.out << result.err;
  const std::vector<std::string> out = lines(result.out);
  ASSERT_EQ(out.size(), 4u) << result.out;
  EXPECT_EQ(out.front(),
            "\xE5\x85\xB1"
            "2\xE9\xA6\x96\xE6\xAD\x8C\xE6\x9B\xB2\xE7\xBC\x93\xE5\xAD\x98");  // 共2首歌曲缓存
  EXPECT_EQ(out.back(), "\xE5\xAE\x8C\xE6\x88\x90");                           // 完成
  const std::set<std::string> entryLines(out.begin() + 1, out.end() - 1);
  EXPECT_EQ(entryLines,
            (std::set<std::string>{
                "1001-320-a.uc -> " + kSunny,
                "3001-9.UC -> \xE5\x91\xA8\xE6\x9D\xB0\xE4\xBC\xA6 - \xE6\x99\xB4\xE5\xA4\xA9.mp3",
            }));
  EXPECT_EQ(result.err, "") << "no progress when standard error is not a terminal";
  EXPECT_EQ(folder.read(kSunny), "sunny");
  EXPECT_EQ(folder.read(kChineseOnDisk), "chinese");
}

TEST_F(Cli, AnEntryNotConvertedIsReportedAndMakesTheStatusOne) {
  TempFolder folder;
  folder.write("4001-a.uc", "unsafe title");
  folder.write("999999-b.uc", "unknown");
  folder.write("1002-c.uc", "rain");
  folder.write(kRain, "read-only");
  std::filesystem::permissions(folder.path() / kRain, std::filesystem::perms::owner_read);
  const CliResult result = run(withService(folder.systemPath()));
  EXPECT_EQ(result.status, 1);
  const std::vector<std::string> out = lines(result.out);
  ASSERT_EQ(out.size(), 5u) << result.out;
  EXPECT_EQ(std::set<std::string>(out.begin() + 1, out.end() - 1),
            (std::set<std::string>{"4001-a.uc -> " + kUnsafe,
                                   "999999-b.uc: not converted: no title found for song \"999999\"",
                                   "1002-c.uc: not converted: could not write " + kRain}));
  EXPECT_EQ(folder.entries(),
            (std::set<std::string>{"4001-a.uc", "999999-b.uc", "1002-c.uc", kRain, kUnsafe}));
  EXPECT_EQ(folder.read(kRain), "read-only");
}

TEST_F(Cli, ADryRunWritesNothing) {
  TempFolder folder;
  folder.write("1002-a.uc", "rain");
  const CliResult result = run("--dry-run " + withService(folder.systemPath()));
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(lines(result.out).at(1), "1002-a.uc -> " + kRain + " (dry run, not written)");
  EXPECT_EQ(folder.entries(), std::set<std::string>{"1002-a.uc"});
}

TEST_F(Cli, AnEmptyFolderCountsZeroAndSucceeds) {
  TempFolder folder;
  const CliResult result = run(withService(folder.systemPath()));
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(lines(result.out), (std::vector<std::string>{
                                   "\xE5\x85\xB1"
                                   "0\xE9\xA6\x96\xE6\xAD\x8C\xE6\x9B\xB2\xE7\xBC\x93\xE5\xAD\x98",
                                   "\xE5\xAE\x8C\xE6\x88\x90"}));  // 共0首歌曲缓存, 完成
}

TEST_F(Cli, UsageErrorsExitTwoWithAOneLineMessageAndTheUsage) {
  TempFolder folder;
  const std::string cases[] = {
      "",                                                             // no folder
      "--bogus '" + folder.systemPath() + "'",                        // unknown option
      "'" + folder.systemPath() + "/missing'",                        // no such folder
      "'" + folder.systemPath() + "' '" + folder.systemPath() + "'",  // two folders
      "'" + folder.systemPath() + "' --host",                         // option without its value
  };
  for (const std::string& arguments : cases) {
    const CliResult result = run(arguments);
    EXPECT_EQ(result.status, 2) << arguments;
    EXPECT_EQ(result.out, "") << arguments;
    const std::vector<std::string> err = lines(result.err);
    ASSERT_GE(err.size(), 2u) << arguments;
    EXPECT_EQ(err[0].rfind("cacheconv-cli: ", 0), 0u) << err[0];
    EXPECT_EQ(err[1].rfind("usage: cacheconv-cli", 0), 0u) << err[1];
  }
  EXPECT_TRUE(folder.entries().empty());
}

TEST_F(Cli, HelpPrintsTheUsageAndSucceeds) {
  const CliResult result = run("--help");
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out.rfind("usage: cacheconv-cli [--host HOST[:PORT]] [--dry-run] FOLDER\n", 0),
            0u);
  EXPECT_EQ(result.err, "");
}

}  // namespace
}  // namespace corvalin::testing
