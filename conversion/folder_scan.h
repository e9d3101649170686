// The Browse button's handler: pick the cache folder, list its cache files, show the count.
#pragma once

namespace corvalin {

// Asks for a folder, shows it in 编辑框1 and lists the folder's "*.uc" files (directories
// skipped) in CacheFileList, then writes 共N首歌曲缓存 into 标签2. The list starts empty,
// except while a conversion run is under way: then the names are appended, so that the run's
// bound never exceeds the list's size.
void scanCacheFolder();

}  // namespace corvalin
