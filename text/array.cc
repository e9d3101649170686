#include "platform/run_error.h"
#include "text/text.h"

namespace corvalin {
namespace {

constexpr int kIndexAboveSize = 1;
constexpr int kIndexBelowOne = 4;
// 数组成员引用下标超出定义范围
constexpr const char* kIndexAboveSizeMessage =
    "\xCA\xFD\xD7\xE9\xB3\xC9\xD4\xB1\xD2\xFD\xD3\xC3\xCF\xC2\xB1\xEA"
    "\xB3\xAC\xB3\xF6\xB6\xA8\xD2\xE5\xB7\xB6\xCE\xA7";
// 数组成员引用下标必须大于等于1
constexpr const char* kIndexBelowOneMessage =
    "\xCA\xFD\xD7\xE9\xB3\xC9\xD4\xB1\xD2\xFD\xD3\xC3\xCF\xC2\xB1\xEA"
    "\xB1\xD8\xD0\xEB\xB4\xF3\xD3\xDA\xB5\xC8\xD3\xDA"
    "1";

}  // namespace

int arraySize(const TextArray& array) { return array.size(); }

const Text& arrayMember(const TextArray& array, int index) {
  // The lower bound is tested first: index 0 of an empty array is error 4, not 1.
  if (index < 1) raiseRunError(kIndexBelowOne, kIndexBelowOneMessage);
  if (index > array.size()) raiseRunError(kIndexAboveSize, kIndexAboveSizeMessage);
  return array.member(index);
}

void arrayAppend(TextArray& array, const Text& text) { array.append(text); }

// Every TextArray owns its storage from the moment it exists, so there is nothing to copy;
// kept so that callers state the step where a shared empty array would need it.
void makeArrayWritable(TextArray&) {}

void raiseRunError(int code, const Text& message) {
  platform::endWithRunError(code, message.view());
}

}  // namespace corvalin
