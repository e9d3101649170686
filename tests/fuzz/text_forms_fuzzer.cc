// The cutting and character-form operations against the reference model.
#include "tests/fuzz/fuzz_input.h"

using fuzzing::bytesOf;
using fuzzing::expectSame;
using fuzzing::toText;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzzing::Input input(data, size);
  const auto text = input.text(256);
  const std::string t = bytesOf(text);
  const corvalin::Text value = toText(text);

  switch (input.pick(5)) {
    case 0: {
      const int count = input.position(t.size());
      expectSame("textLeft", corvalin::textLeft(value, count), reference::left(t, count));
      expectSame("textRight", corvalin::textRight(value, count), reference::right(t, count));
      const int start = input.position(t.size());
      expectSame("textMid", corvalin::textMid(value, start, count),
                 reference::mid(t, start, count));
      break;
    }
    case 1:
      expectSame("trimBoth", corvalin::trimBoth(value), reference::trim(t));
      break;
    case 2:
      expectSame("toLowerCase", corvalin::toLowerCase(value), reference::lower(t));
      break;
    case 3:
      expectSame("toInt", corvalin::toInt(value), reference::toInt(t));
      break;
    default: {
      // Round trips through the value conversions.
      expectSame("toText(toBytes)", corvalin::toText(corvalin::toBytes(value)),
                 reference::result(t));
      expectSame("toText(toInt)", corvalin::toInt(corvalin::toText(corvalin::toInt(value))),
                 reference::toInt(t));
      const auto other = input.text(16);
      const std::string o = bytesOf(other);
      expectSame("concatText", corvalin::concatText(value, toText(other)),
                 reference::MaybeText(t + o));
      expectSame("compareText", corvalin::compareText(value, toText(other)),
                 t < o ? -1 : (t > o ? 1 : 0));
    }
  }
  return 0;
}
