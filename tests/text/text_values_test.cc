// Text and Bytes values, their absent and empty forms, and TextArray.
#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "tests/text/text_matchers.h"
#include "text/text.h"

namespace corvalin {
namespace {

TEST(TextValues, AbsentAndPresentEmptyDifferOnlyAtThePlatformEdge) {
  const Text absent;
  const Text empty = "";
  EXPECT_EQ(absent.platformPointer(), nullptr);
  ASSERT_NE(empty.platformPointer(), nullptr);
  EXPECT_EQ(*empty.platformPointer(), '\0');
  EXPECT_EQ(textLength(absent), 0);
  EXPECT_EQ(textLength(empty), 0);
  EXPECT_EQ(compareText(absent, empty), 0);
  EXPECT_TRUE(isText(Text(static_cast<const char*>(nullptr)), nullptr));
  EXPECT_TRUE(isText(Text::fromBytes(std::string_view("ab\0cd", 5)), "ab"));
}

TEST(TextValues, ToTextOfIntegersAndBytes) {
  struct Case {
    std::int32_t value;
    const char* expected;
  } numbers[] = {
      {0, "0"}, {-5, "-5"}, {42, "42"}, {INT32_MAX, "2147483647"}, {INT32_MIN, "-2147483648"}};
  for (const auto& c : numbers) EXPECT_TRUE(isText(toText(c.value), c.expected)) << c.value;

  EXPECT_TRUE(isText(toText(Bytes::fromBytes(std::string_view("ab\0c", 4))), "ab"));
  EXPECT_TRUE(isText(toText(Bytes::fromBytes("\xD6\xD0")), "\xD6\xD0"));
  EXPECT_TRUE(isText(toText(Bytes::fromBytes(std::string_view("\0a", 2))), nullptr));
  EXPECT_TRUE(isText(toText(Bytes()), nullptr));
}

TEST(TextValues, ConcatTextIsAlwaysPresent) {
  EXPECT_TRUE(isText(concatText(Text(), Text()), ""));
  EXPECT_TRUE(isText(concatText("a", Text(), "b"), "ab"));
  EXPECT_TRUE(isText(concatText("a", "b", "c", "d"), "abcd"));
  const Text artist = "\xD6\xD0";  // 中
  EXPECT_TRUE(isText(concatText(artist, " - ", "x", ".mp3"), "\xD6\xD0 - x.mp3"));
}

TEST(TextValues, ConcatBytesKeepsZeroBytesAndGivesAbsentWhenEmpty) {
  const Bytes a = Bytes::fromBytes(std::string_view("a\0", 2));
  const Bytes b = Bytes::fromBytes(std::string_view("\0b", 2));
  EXPECT_EQ(concatBytes(a, b).view(), std::string_view("a\0\0b", 4));
  EXPECT_EQ(concatBytes(Bytes(), b).view(), b.view());
  EXPECT_TRUE(isAbsentBytes(concatBytes(Bytes(), Bytes())));
  EXPECT_TRUE(isAbsentBytes(Bytes::fromBytes("")));
}

TEST(TextValues, CompareTextOrdersBytesAsUnsigned) {
  struct Case {
    const char* a;
    const char* b;
    int expected;
  } cases[] = {
      {"abc", "abc", 0}, {"abc", "abd", -1}, {"abd", "abc", 1},           {"ab", "abc", -1},
      {"abc", "ab", 1},  {nullptr, "", 0},   {nullptr, "a", -1},          {"a", nullptr, 1},
      {"\x80", "a", 1},  {"a", "\xFF", -1},  {"\xD6\xD0", "\xD6\xD0", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(compareText(c.a, c.b), c.expected)
        << (c.a ? c.a : "<absent>") << " vs " << (c.b ? c.b : "<absent>");
  }
}

TEST(TextValues, BytesEqualComparesLengthAndEveryByte) {
  const Bytes withZero = Bytes::fromBytes(std::string_view("a\0b", 3));
  EXPECT_TRUE(bytesEqual(Bytes(), Bytes::fromBytes("")));
  EXPECT_TRUE(bytesEqual(withZero, Bytes::fromBytes(std::string_view("a\0b", 3))));
  EXPECT_FALSE(bytesEqual(withZero, Bytes::fromBytes(std::string_view("a\0c", 3))));
  EXPECT_FALSE(bytesEqual(withZero, Bytes::fromBytes("a")));
  EXPECT_EQ(bytesLength(withZero), 3);
  EXPECT_EQ(bytesLength(Bytes()), 0);
}

TEST(TextArrays, AppendCopiesAndKeepsAbsentMembers) {
  TextArray array;
  makeArrayWritable(array);
  EXPECT_EQ(arraySize(array), 0);
  Text name = "a.uc";
  arrayAppend(array, name);
  arrayAppend(array, name);
  arrayAppend(array, Text());
  name = "changed";
  ASSERT_EQ(arraySize(array), 3);
  EXPECT_TRUE(isText(arrayMember(array, 1), "a.uc"));
  EXPECT_TRUE(isText(arrayMember(array, 2), "a.uc"));
  EXPECT_TRUE(isText(arrayMember(array, 3), nullptr));
  EXPECT_NE(arrayMember(array, 1).platformPointer(), arrayMember(array, 2).platformPointer());
}

TEST(TextArrays, GrowingByOneKeepsEveryEarlierMember) {
  TextArray array;
  for (int i = 1; i <= 1000; ++i) arrayAppend(array, toText(i));
  ASSERT_EQ(arraySize(array), 1000);
  for (int i = 1; i <= 1000; ++i) ASSERT_EQ(toInt(arrayMember(array, i)), i);
}

}  // namespace
}  // namespace corvalin
