#include "conversion/cache_file_list.h"

#include <cassert>
#include <optional>

namespace corvalin {
namespace {

std::optional<TextArray>& listStorage() {
  static std::optional<TextArray> list;
  return list;
}

}  // namespace

void createCacheFileList() { listStorage().emplace(); }

void releaseCacheFileList() { listStorage().reset(); }

bool cacheFileListExists() { return listStorage().has_value(); }

TextArray& cacheFileList() {
  assert(cacheFileListExists());
  return *listStorage();
}

void appendCacheFileName(const Text& name) {
  TextArray& list = cacheFileList();
  makeArrayWritable(list);
  arrayAppend(list, name);
}

}  // namespace corvalin
