// The Start button's handler: convert every member of CacheFileList into an MP3 file named
// after the song's title, in the folder that 编辑框1 holds.
#pragma once

#include "text/text.h"

namespace corvalin {

enum class EntryResult {
  Copied,      // the target was written
  NotCopied,   // a dry run: the target was named but not written
  NoTitle,     // the lookup found neither name nor artist; nothing written
  CopyFailed,  // the copy did not succeed; the cache file is unchanged
};

// What became of one member of the list.
struct EntryOutcome {
  int index = 0;  // 1-based position in the list
  int bound = 0;  // the run's bound
  Text sourceName;
  Text songId;
  Text targetName;  // title and ".mp3"
  EntryResult result = EntryResult::Copied;
};

struct RunOptions {
  bool copy = true;  // false: look the titles up and name the targets without writing
  void (*onEntry)(const EntryOutcome& outcome) = nullptr;  // after each entry, before the bar moves
};

// The Start handler: a run with the default options.
void convertAll();
// The run: sets the bar's maximum, converts members 1 to the list's size taken now, moves the
// bar and lets pending events run after each, then writes 完成 into 标签2.
void runConversion(const RunOptions& options);
// Converts member i of CacheFileList (an index outside the list is a run error).
EntryOutcome convertEntry(int i, const RunOptions& options = {});
// The text before the name's first "-" (the whole name when it has none).
Text songIdFromFileName(const Text& name);
// True while a run (possibly nested) is under way.
bool conversionRunUnderWay();

}  // namespace corvalin
