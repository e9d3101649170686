// cacheconv-cli [--host HOST[:PORT]] [--dry-run] FOLDER
//
// Converts the cache files of FOLDER with the same scan and run as the window: prints the count
// line, one line per entry, and 完成. Exit status 0 when every entry was converted, 1 when any
// was not, 2 for a usage error.
#include <optional>
#include <string>
#include <string_view>

#include "cli/command_line_window.h"
#include "conversion/cache_file_list.h"
#include "conversion/conversion_run.h"
#include "conversion/folder_scan.h"
#include "lookup/song_title.h"
#include "platform/file_system.h"
#include "platform/terminal.h"
#include "platform/window_system.h"

namespace corvalin::cli {
namespace {

constexpr int kAllConverted = 0;
constexpr int kSomeNotConverted = 1;
constexpr int kUsageError = 2;

constexpr std::string_view kUsage =
    "usage: cacheconv-cli [--host HOST[:PORT]] [--dry-run] FOLDER\n"
    "  Copies every *.uc cache file of FOLDER to \"artist - song name.mp3\" in FOLDER,\n"
    "  looking the titles up on the song service.\n"
    "  --host HOST[:PORT]  song service host instead of the built-in one\n"
    "  --dry-run           look the titles up and print the names, write nothing\n"
    "  --help              this text\n"
    "Exit status: 0 every entry converted, 1 some not converted, 2 usage error.\n";

struct Arguments {
  std::optional<std::string> host;
  bool dryRun = false;
  bool help = false;
  std::optional<std::string> folder;
  std::string error;  // not empty: a usage error
};

Arguments parseArguments(int argc, char** argv) {
  Arguments parsed;
  for (int i = 1; i < argc && parsed.error.empty(); ++i) {
    const std::string_view argument = argv[i];
    if (argument == "--help" || argument == "-h") {
      parsed.help = true;
    } else if (argument == "--dry-run") {
      parsed.dryRun = true;
    } else if (argument == "--host") {
      if (i + 1 < argc) {
        parsed.host = platform::argumentText(argv[++i]);
      } else {
        parsed.error = "--host needs a value";
      }
    } else if (argument.starts_with("--host=")) {
      parsed.host = platform::argumentText(argv[i] + 7);
    } else if (argument.starts_with("-") && argument != "-") {
      parsed.error = "unknown option " + std::string(argument);
    } else if (parsed.folder) {
      parsed.error = "only one FOLDER may be given";
    } else {
      parsed.folder = platform::argumentText(argv[i]);
    }
  }
  if (parsed.error.empty() && !parsed.help && !parsed.folder) parsed.error = "FOLDER is missing";
  if (parsed.error.empty() && parsed.folder && !parsed.help &&
      !platform::isFolder(parsed.folder->c_str())) {
    parsed.error = "no such folder: " + *parsed.folder;
  }
  return parsed;
}

void writeLine(platform::Stream stream, std::string_view text) {
  platform::writeText(stream, std::string(text) + "\n");
}

// Progress on standard error, only when a person watches it there: "i/N" on a line of its
// own that each entry's report line replaces.
void clearProgress() {
  if (platform::isTerminal(platform::Stream::Error))
    platform::writeText(platform::Stream::Error, "\r\x1b[K");
}

void drawProgress(int index, int bound) {
  if (!platform::isTerminal(platform::Stream::Error) || index >= bound) return;
  platform::writeText(platform::Stream::Error, std::to_string(index) + "/" + std::to_string(bound));
}

bool anyNotConverted = false;

void reportEntry(const EntryOutcome& outcome) {
  clearProgress();
  const std::string source(outcome.sourceName.view());
  const std::string target(outcome.targetName.view());
  switch (outcome.result) {
    case EntryResult::Copied:
      writeLine(platform::Stream::Output, source + " -> " + target);
      break;
    case EntryResult::NotCopied:
      writeLine(platform::Stream::Output, source + " -> " + target + " (dry run, not written)");
      break;
    case EntryResult::NoTitle:
      anyNotConverted = true;
      writeLine(platform::Stream::Output, source + ": not converted: no title found for song \"" +
                                              std::string(outcome.songId.view()) + "\"");
      break;
    case EntryResult::CopyFailed:
      anyNotConverted = true;
      writeLine(platform::Stream::Output, source + ": not converted: could not write " + target);
      break;
  }
  drawProgress(outcome.index, outcome.bound);
}

int convertFolder(const Arguments& arguments) {
  if (arguments.host) useSongServiceHost(Text::fromBytes(*arguments.host));
  createCacheFileList();
  platform::registerExitRoutine(releaseCacheFileList);
  answerFolderPicker(*arguments.folder);
  scanCacheFolder();
  runConversion({.copy = !arguments.dryRun, .onEntry = reportEntry});
  platform::runExitRoutines();
  return anyNotConverted ? kSomeNotConverted : kAllConverted;
}

}  // namespace
}  // namespace corvalin::cli

int main(int argc, char** argv) {
  using namespace corvalin::cli;
  const Arguments arguments = parseArguments(argc, argv);
  if (!arguments.error.empty()) {
    writeLine(platform::Stream::Error, "cacheconv-cli: " + arguments.error);
    platform::writeText(platform::Stream::Error, kUsage);
    return kUsageError;
  }
  if (arguments.help) {
    platform::writeText(platform::Stream::Output, kUsage);
    return kAllConverted;
  }
  return convertFolder(arguments);
}
