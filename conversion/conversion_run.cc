#include "conversion/conversion_run.h"

#include "conversion/cache_file_list.h"
#include "conversion/main_window_controls.h"
#include "lookup/song_title.h"
#include "platform/file_system.h"
#include "platform/window_rules.h"
#include "platform/window_system.h"

namespace corvalin {
namespace {

constexpr const char* kDone = "\xCD\xEA\xB3\xC9";  // 完成
// The title the lookup gives when it found neither the song's name nor its artist.
constexpr const char* kTitleNotFound = " - ";

int runsUnderWay = 0;

// Counts a run as under way for as long as it lives, nested runs included.
class RunUnderWay {
 public:
  RunUnderWay() { ++runsUnderWay; }
  ~RunUnderWay() { --runsUnderWay; }
  RunUnderWay(const RunUnderWay&) = delete;
  RunUnderWay& operator=(const RunUnderWay&) = delete;
};

EntryResult copyUnlessUntitled(const Text& title, const Text& source, const Text& target,
                               const RunOptions& options) {
  if (compareText(title, kTitleNotFound) == 0) return EntryResult::NoTitle;
  if (!options.copy) return EntryResult::NotCopied;
  return platform::copyFile(source.platformPointer(), target.platformPointer())
             ? EntryResult::Copied
             : EntryResult::CopyFailed;
}

}  // namespace

void convertAll() { runConversion(RunOptions{}); }

void runConversion(const RunOptions& options) {
  const RunUnderWay underWay;
  setProgressMaximum(arraySize(cacheFileList()));
  const int bound = arraySize(cacheFileList());
  for (int i = 1; i <= bound; ++i) {
    EntryOutcome outcome = convertEntry(i, options);
    outcome.bound = bound;
    if (options.onEntry != nullptr) options.onEntry(outcome);
    setProgressPosition(i);
    platform::processPendingEvents();
    // Closing the window ends the program: what is written stays, nothing more is started.
    if (platform::isQuitRequested()) break;
  }
  setStatusLabelText(kDone);
}

EntryOutcome convertEntry(int i, const RunOptions& options) {
  // Read for every entry: a scan nested in the run may have changed the folder.
  const Text folder = folderEditText();
  EntryOutcome outcome;
  outcome.index = i;
  outcome.songId = songIdFromFileName(arrayMember(cacheFileList(), i));
  const Text title = lookUpSongTitle(outcome.songId);
  outcome.sourceName = arrayMember(cacheFileList(), i);
  outcome.targetName = concatText(title, ".mp3");
  const Text source = concatText(folder, "\\", outcome.sourceName);
  const Text target = concatText(folder, "\\", outcome.targetName);
  outcome.result = copyUnlessUntitled(title, source, target, options);
  return outcome;
}

Text songIdFromFileName(const Text& name) {
  const TextArray pieces = splitText(name, "-");
  return Text::fromBytes(arrayMember(pieces, 1).view());
}

bool conversionRunUnderWay() { return runsUnderWay > 0; }

}  // namespace corvalin
