// Results of the text operations: every empty result is the absent text or Bytes.
#pragma once

#include <string_view>

#include "text/text.h"

namespace corvalin {

inline Text textResult(std::string_view bytes) {
  if (bytes.empty()) return Text();
  TextBuilder builder;
  builder.reserve(bytes.size());
  builder.append(bytes);
  return builder.take();
}

inline Text textResult(TextBuilder& builder) {
  return builder.size() == 0 ? Text() : builder.take();
}

}  // namespace corvalin
