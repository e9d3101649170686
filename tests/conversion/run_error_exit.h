// How a death test recognises the end of a process by a run error: exit code -1, which a
// POSIX parent sees as 255.
#pragma once

#include <gtest/gtest.h>

namespace corvalin::testing {

inline bool endedByRunError(int status) {
  return ::testing::ExitedWithCode(255)(status) || ::testing::ExitedWithCode(-1)(status);
}

}  // namespace corvalin::testing
