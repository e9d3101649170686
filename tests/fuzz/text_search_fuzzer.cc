// findText, findTextReverse, replaceText and splitText against the reference model.
#include "tests/fuzz/fuzz_input.h"

using fuzzing::bytesOf;
using fuzzing::expectSame;
using fuzzing::toText;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::Input input(data, size);
  const auto text = input.text(256);
  const auto sought = input.text(8);
  const std::string t = bytesOf(text);
  const std::string s = bytesOf(sought);
  const bool flag = input.flag();

  switch (input.pick(4)) {
    case 0: {
      const int start = input.position(t.size());
      expectSame(
          "findText",
          corvalin::findText(toText(text), toText(sought), {.start = start, .ignoreCase = flag}),
          reference::find(t, s, start, flag));
      break;
    }
    case 1: {
      const auto limit = input.optionalPosition(t.size());
      expectSame("findTextReverse",
                 corvalin::findTextReverse(toText(text), toText(sought),
                                           {.limit = limit, .ignoreCase = flag}),
                 reference::findReverse(t, s, limit, flag));
      break;
    }
    case 2: {
      const auto replacement = input.text(8);
      const int start = input.flag() ? 1 : input.position(t.size());
      const auto maxCount = input.optionalPosition(4);
      expectSame(
          "replaceText",
          corvalin::replaceText(toText(text), toText(sought), toText(replacement),
                                {.start = start, .maxCount = maxCount, .caseSensitive = flag}),
          reference::replace(t, s, bytesOf(replacement), start, maxCount, flag));
      break;
    }
    default: {
      const auto maxCount = input.optionalPosition(4);
      const corvalin::TextArray pieces =
          corvalin::splitText(toText(text), toText(sought), {.maxCount = maxCount});
      const auto expected = reference::split(t, s, maxCount);
      expectSame("splitText size", corvalin::arraySize(pieces),
                 static_cast<long long>(expected.size()));
      for (int i = 1; i <= corvalin::arraySize(pieces); ++i) {
        expectSame("splitText member", corvalin::arrayMember(pieces, i),
                   expected[static_cast<std::size_t>(i - 1)]);
      }
    }
  }
  return 0;
}
