#include "conversion/folder_scan.h"

#include "conversion/cache_file_list.h"
#include "conversion/conversion_run.h"
#include "conversion/main_window_controls.h"
#include "platform/file_system.h"
#include "platform/window_system.h"

namespace corvalin {
namespace {

constexpr const char* kPickerTitle =
    "\xD1\xA1\xD4\xF1\xBB\xBA\xB4\xE6\xC4\xBF\xC2\xBC";  // 选择缓存目录
constexpr const char* kCountPrefix = "\xB9\xB2";         // 共
constexpr const char* kCountSuffix = "\xCA\xD7\xB8\xE8\xC7\xFA\xBB\xBA\xB4\xE6";  // 首歌曲缓存

Text findFile(const Text& pattern, platform::FindHandle& handle) {
  return Text::fromBytes(platform::findFile(pattern.platformPointer(), handle));
}

}  // namespace

void scanCacheFolder() {
  setFolderEditText(Text::fromBytes(platform::browseForFolder(kPickerTitle, false)));
  // From here on the text read back from the edit box is the folder, not the picker's answer.
  const Text folder = folderEditText();
  const Text pattern = concatText(folder, "\\*.uc");

  if (!conversionRunUnderWay()) cacheFileList().clear();
  platform::FindHandle handle = nullptr;
  for (Text name = findFile(pattern, handle); compareText(name, Text()) != 0;
       name = findFile(Text(), handle)) {
    appendCacheFileName(name);
  }
  setStatusLabelText(
      concatText(Text(kCountPrefix), toText(arraySize(cacheFileList())), kCountSuffix));
  platform::closeFind(handle);
}

}  // namespace corvalin
