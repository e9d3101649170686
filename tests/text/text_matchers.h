// Expectations on Text and Bytes that tell the absent value from a present empty one.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "text/text.h"

namespace corvalin {

// `expected` is nullptr for the absent text.
inline ::testing::AssertionResult isText(const Text& actual, const char* expected) {
  if (expected == nullptr) {
    if (actual.isAbsent()) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "expected the absent text, got \"" << actual.str() << "\"";
  }
  if (actual.isAbsent())
    return ::testing::AssertionFailure() << "expected \"" << expected << "\", got the absent text";
  if (actual.str() != expected) {
    return ::testing::AssertionFailure()
           << "expected \"" << expected << "\", got \"" << actual.str() << "\"";
  }
  return ::testing::AssertionSuccess();
}

inline ::testing::AssertionResult isAbsentBytes(const Bytes& actual) {
  if (actual.isAbsent() && actual.length() == 0) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure()
         << "expected the absent Bytes, got " << actual.length() << " bytes";
}

}  // namespace corvalin
