// Every name a folder enumeration yields for a pattern, through the platform's findFile.
#pragma once

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "platform/file_system.h"

namespace corvalin::testing {

inline std::set<std::string> enumerate(const std::string& pattern) {
  std::set<std::string> names;
  platform::FindHandle handle = nullptr;
  for (std::string name = platform::findFile(pattern.c_str(), handle); !name.empty();
       name = platform::findFile(nullptr, handle)) {
    names.insert(name);
  }
  EXPECT_EQ(handle, nullptr) << "an exhausted enumeration closes itself";
  return names;
}

}  // namespace corvalin::testing
