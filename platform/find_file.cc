#include "platform/find_enumeration.h"

namespace platform {

std::string findFile(const char* pattern, FindHandle& handle) {
  if (pattern != nullptr && *pattern != '\0') {
    closeFind(handle);
    handle = openFind(pattern);
  }
  if (handle == nullptr) return {};
  std::string name = nextMatch(*handle);
  if (name.empty()) closeFind(handle);
  return name;
}

}  // namespace platform
