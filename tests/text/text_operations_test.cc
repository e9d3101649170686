// The text and byte operations at their edges: positions below 1 and past the end, counts of 0
// or less, absent arguments, and code page 936 two-byte characters. Expected texts of nullptr
// are the absent text.
#include <gtest/gtest.h>

#include <climits>
#include <optional>
#include <string>
#include <vector>

#include "tests/text/text_matchers.h"
#include "text/text.h"

namespace corvalin {
namespace {

// Code page 936 samples. 0x95 0x5C and 0x95 0x7C are characters whose second byte is the
// byte of "\" or "|".
#define ZHONG "\xD6\xD0"           // 中
#define WEN "\xCE\xC4"             // 文
#define XING "\xD0\xCE"            // 形
#define WIDE_SPACE "\xA1\xA1"      // the full-width space
#define BACKSLASH_TAIL "\x95\x5C"  // a character ending in the byte of "\"
#define BAR_TAIL "\x95\x7C"        // a character ending in the byte of "|"
#define LONE "\xD6"                // a first byte with nothing after it

TEST(TextCutting, LeftRightAndMidCountPlainBytes) {
  struct Case {
    const char* op;
    const char* text;
    int start;  // textMid only
    int count;
    const char* expected;
  } cases[] = {
      {"left", "abc", 0, 5, "abc"},
      {"left", "abc", 0, 2, "ab"},
      {"left", "abc", 0, 0, nullptr},
      {"left", "abc", 0, -3, nullptr},
      {"left", nullptr, 0, 2, nullptr},
      {"left", "", 0, 2, nullptr},
      {"left", ZHONG WEN, 0, 3, ZHONG "\xCE"},  // plain bytes: a character may be cut in half
      {"right", "abc", 0, -1, nullptr},
      {"right", "abc", 0, 0, nullptr},
      {"right", "abc", 0, 2, "bc"},
      {"right", "abc", 0, 9, "abc"},
      {"right", ZHONG WEN, 0, 3, "\xD0" WEN},
      {"mid", "abcdef", 0, 3, nullptr},  // a start below 1 is not moved to 1
      {"mid", "abcdef", -2, 9, nullptr},
      {"mid", "abcdef", 1, 3, "abc"},
      {"mid", "abcdef", 5, 10, "ef"},
      {"mid", "abcdef", 6, 1, "f"},
      {"mid", "abcdef", 7, 1, nullptr},
      {"mid", "abcdef", 2, 0, nullptr},
      {"mid", "abcdef", 2, -1, nullptr},
      {"mid", "abcdef", 2, INT_MAX, "bcdef"},
      {"mid", nullptr, 1, 1, nullptr},
      {"mid", ZHONG WEN, 2, 2, "\xD0\xCE"},
  };
  for (const Case& c : cases) {
    const std::string op = c.op;
    const Text result = op == "left"    ? textLeft(c.text, c.count)
                        : op == "right" ? textRight(c.text, c.count)
                                        : textMid(c.text, c.start, c.count);
    EXPECT_TRUE(isText(result, c.expected)) << op << " of \"" << (c.text ? c.text : "<absent>")
                                            << "\" start " << c.start << " count " << c.count;
  }
}

TEST(TextSearch, FindTextPositionsAndEdges) {
  struct Case {
    const char* text;
    const char* sought;
    std::optional<int> start;
    bool ignoreCase;
    int expected;
  } cases[] = {
      {"abcabc", "bc", std::nullopt, false, 2},
      {"abcabc", "bc", 3, false, 5},
      {"abcabc", "bc", -7, false, 2},
      {"abcabc", "bc", 0, false, 2},
      {"abcabc", "bc", 6, false, -1},
      {"abcabc", "bc", 7, false, -1},
      {"abcabc", "abcabcd", std::nullopt, false, -1},
      {"abcabc", "", 2, false, 1},  // an empty sought text gives 1, not the start
      {"abcabc", "", 6, false, 1},
      {"abcabc", "", 7, false, -1},
      {"", "", std::nullopt, false, -1},
      {nullptr, "a", std::nullopt, false, -1},
      {"abc", nullptr, std::nullopt, false, 1},
      {"content-type: x", "Content-Type:", std::nullopt, true, 1},
      {"content-type: x", "Content-Type:", std::nullopt, false, -1},
      {"xX[", "x[", std::nullopt, true, 2},
      {"a{", "[", std::nullopt, true, -1},  // only A..Z fold; "[" and "{" stay apart
      // Matches start only at character starts.
      {ZHONG WEN, XING, std::nullopt, false, -1},
      {ZHONG WEN XING, XING, std::nullopt, false, 5},
      {ZHONG WEN, WEN, std::nullopt, false, 3},
      {BACKSLASH_TAIL, "\\", std::nullopt, false, -1},
      {BACKSLASH_TAIL "a\\", "\\", std::nullopt, false, 4},
      {"a" BAR_TAIL "|", "|", std::nullopt, false, 4},
      // The second byte of a lower-case-looking character is folded too.
      {"\x81"
       "A",
       "\x81"
       "a",
       std::nullopt, true, 1},
      {"\x81"
       "A",
       "\x81"
       "a",
       std::nullopt, false, -1},
      // A region that starts on a second byte is scanned from that byte.
      {ZHONG WEN, "\xD0\xCE", 2, false, 2},
      // Long runs of bytes 0x80..0xFF: whether a match starts a character depends on the
      // parity of the whole run before it.
      {ZHONG ZHONG ZHONG ZHONG ZHONG XING, XING, std::nullopt, false, 11},
      {"\xB0" ZHONG ZHONG ZHONG ZHONG ZHONG XING, XING, std::nullopt, false, -1},
      {"\xB0" ZHONG ZHONG ZHONG ZHONG ZHONG XING, XING, 2, false, 12},
      // A lone first byte at the end stops the scan.
      {"a" LONE, LONE, std::nullopt, false, -1},
      {LONE "x" LONE, LONE, std::nullopt, false, 1},
  };
  for (const Case& c : cases) {
    FindOptions options;
    if (c.start) options.start = *c.start;
    options.ignoreCase = c.ignoreCase;
    EXPECT_EQ(findText(c.text, c.sought, options), c.expected)
        << "\"" << (c.sought ? c.sought : "<absent>") << "\" in \""
        << (c.text ? c.text : "<absent>") << "\" from " << options.start
        << (c.ignoreCase ? " ignoring case" : "");
  }
}

TEST(TextSearch, FindTextReverseFindsTheLastOccurrenceBeforeTheLimit) {
  struct Case {
    const char* text;
    const char* sought;
    std::optional<int> limit;
    bool ignoreCase;
    int expected;
  } cases[] = {
      {"a.b.c", ".", std::nullopt, false, 4},
      {"a.b.c", ".", 4, false, 2},
      {"a.b.c", ".", 5, false, 4},
      {"a.b.c", ".", 2, false, -1},
      {"a.b.c", ".", 1, false, -1},
      {"a.b.c", ".", 0, false, -1},
      {"a.b.c", ".", -4, false, -1},
      {"a.b.c", ".", 100, false, 4},
      {"a.b.c", "", 2, false, 1},
      {"a.b.c", "", 1, false, -1},
      {"abab", "ab", 4, false, 1},  // the match at 3 would end at the limit
      {"aaaa", "aa", std::nullopt, false, 3},
      {"x.Y.y", "y", std::nullopt, true, 5},
      {"x.Y.", "y", std::nullopt, true, 3},
      {"x.Y.", "y", std::nullopt, false, -1},
      {"", "a", std::nullopt, false, -1},
      {nullptr, "", std::nullopt, false, -1},
      {ZHONG WEN, XING, std::nullopt, false, -1},
      {"\\" BACKSLASH_TAIL, "\\", std::nullopt, false, 1},
      {"|" BAR_TAIL BAR_TAIL, "|", std::nullopt, false, 1},
      {"a" LONE, LONE, std::nullopt, false, -1},
      // The region ends before the limit; a first byte at its end has lost its partner.
      {"a" ZHONG, LONE, 3, false, -1},
      {"a" ZHONG, LONE, 4, false, 2},
  };
  for (const Case& c : cases) {
    FindReverseOptions options;
    options.limit = c.limit;
    options.ignoreCase = c.ignoreCase;
    EXPECT_EQ(findTextReverse(c.text, c.sought, options), c.expected)
        << "\"" << c.sought << "\" in \"" << (c.text ? c.text : "<absent>") << "\" limit "
        << (c.limit ? std::to_string(*c.limit) : "none");
  }
}

TEST(TextSearch, WalkingBackwardsWithTheLastMatchAsLimitVisitsEveryOccurrence) {
  const Text text = "a.b" ZHONG ".c.";
  std::vector<int> found;
  for (int at = findTextReverse(text, "."); at != -1;
       at = findTextReverse(text, ".", {.limit = at})) {
    found.push_back(at);
  }
  EXPECT_EQ(found, (std::vector<int>{8, 6, 2}));
}

TEST(TextReplace, ReplacesLeftToRightWithoutRescanning) {
  struct Case {
    const char* text;
    const char* sought;
    const char* replacement;
    ReplaceOptions options;
    const char* expected;
  } cases[] = {
      {"a/b/c", "/", ",", {.caseSensitive = true}, "a,b,c"},
      {"SET-COOKIE: a\r\nset-cookie: b",
       "Set-Cookie",
       "Set-Cookie",
       {},
       "Set-Cookie: a\r\nSet-Cookie: b"},
      {"SET-COOKIE: a", "Set-Cookie", "x", {.caseSensitive = true}, "SET-COOKIE: a"},
      {"abc", "", "x", {}, "abc"},
      {"abc", nullptr, "x", {}, "abc"},
      {"", "a", "x", {}, nullptr},
      {nullptr, "a", "x", {}, nullptr},
      {"a-b-c", "-", nullptr, {}, "abc"},  // a left-out replacement deletes
      {"---", "-", nullptr, {}, nullptr},  // an empty result is the absent text
      {"aaa", "aa", "b", {}, "ba"},
      {"aa", "a", "aa", {}, "aaaa"},  // the replacement is not scanned again
      {"abab", "ab", "x", {.start = 2}, "abx"},
      {"abab", "ab", "x", {.start = -5}, "xx"},
      {"abab", "ab", "x", {.start = 5}, "abab"},
      {"abab", "ab", "x", {.maxCount = 0}, "abab"},
      {"ababab", "ab", "x", {.maxCount = 2}, "xxab"},
      {"ababab", "ab", "x", {.maxCount = -1}, "xxx"},
      // Two-byte characters: a second byte is never a match of its own.
      {ZHONG WEN, XING, "!", {}, ZHONG WEN},
      {BACKSLASH_TAIL "\\", "\\", "/", {}, BACKSLASH_TAIL "/"},
      {BAR_TAIL "|" BAR_TAIL, "|", ",", {}, BAR_TAIL "," BAR_TAIL},
      {"\x81"
       "A"
       "A",
       "a",
       "b",
       {},
       "\x81"
       "Ab"},
      // A lone first byte at the end: dropped when the scan reaches it, which it does only
      // for a one-byte sought text while replacing has not stopped.
      {"a" LONE, "x", "y", {}, "a"},
      {"a\xD6"
       "b" LONE,
       "b",
       "c",
       {},
       "a\xD6"
       "b"},
      {"xa" LONE, "xa", "y", {}, "y" LONE},
      {"xx" LONE, "x", "y", {.maxCount = 1}, "yx" LONE},
      {LONE, "x", "y", {}, nullptr},
      // A start on a second byte scans from there; the bytes before it are kept.
      {ZHONG WEN, XING, "x", {.start = 2}, "\xD6x\xC4"},
      // After a match the scan goes on at the next byte, here a first byte left alone at the end.
      {ZHONG "\xD0", "\xD0", "x", {.start = 2}, "\xD6x"},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(isText(replaceText(c.text, c.sought, c.replacement, c.options), c.expected))
        << "\"" << (c.sought ? c.sought : "<absent>") << "\" in \""
        << (c.text ? c.text : "<absent>") << "\"";
  }
}

TEST(TextSplit, PiecesAtEveryDelimiter) {
  constexpr const char* kAbsentMember = nullptr;
  struct Case {
    const char* text;
    const char* delimiter;
    std::optional<int> maxCount;
    std::vector<const char*> expected;
  } cases[] = {
      {"", "-", std::nullopt, {}},
      {nullptr, "-", std::nullopt, {}},
      {"abc", "-", std::nullopt, {"abc"}},
      {"a-b", "-", std::nullopt, {"a", "b"}},
      {"a--b", "-", std::nullopt, {"a", kAbsentMember, "b"}},
      {"-a", "-", std::nullopt, {kAbsentMember, "a"}},
      {"a-", "-", std::nullopt, {"a"}},
      {"-", "-", std::nullopt, {kAbsentMember}},
      {"a::b", "::", std::nullopt, {"a", "b"}},
      {"a:::b", "::", std::nullopt, {"a", ":b"}},
      {"a,b", "", std::nullopt, {"a,b"}},
      {"a,b", nullptr, std::nullopt, {"a,b"}},
      {"a-b-c", "-", 2, {"a", "b"}},  // the rest is dropped once the count is reached
      {"a-b-c", "-", 5, {"a", "b", "c"}},
      {"a-b-c", "-", 0, {}},
      {"a-b-c", "-", -1, {}},
      {"a-B-b", "b", std::nullopt, {"a-B-"}},  // splitting never ignores case
      {ZHONG WEN, XING, std::nullopt, {ZHONG WEN}},
      {"C:" BACKSLASH_TAIL "\\x", "\\", std::nullopt, {"C:" BACKSLASH_TAIL, "x"}},
      {BAR_TAIL "|" BAR_TAIL, "|", std::nullopt, {BAR_TAIL, BAR_TAIL}},
      // The scan stops at a lone first byte; the piece still runs to the end.
      {"a," LONE, ",", std::nullopt, {"a", LONE}},
      {"a" LONE, LONE, std::nullopt, {"a" LONE}},
  };
  for (const Case& c : cases) {
    const TextArray pieces = c.maxCount ? splitText(c.text, c.delimiter, {.maxCount = c.maxCount})
                                        : splitText(c.text, c.delimiter);
    SCOPED_TRACE(std::string("split \"") + (c.text ? c.text : "<absent>") + "\" at \"" +
                 (c.delimiter ? c.delimiter : "<absent>") + "\"");
    ASSERT_EQ(arraySize(pieces), static_cast<int>(c.expected.size()));
    for (int i = 1; i <= arraySize(pieces); ++i) {
      EXPECT_TRUE(isText(arrayMember(pieces, i), c.expected[static_cast<std::size_t>(i - 1)]))
          << "member " << i;
    }
  }
}

TEST(TextSplit, DefaultDelimiterIsComma) {
  const TextArray pieces = splitText("a,b");
  ASSERT_EQ(arraySize(pieces), 2);
  EXPECT_TRUE(isText(arrayMember(pieces, 2), "b"));
}

TEST(TextForms, TrimBothRemovesSpacesAndFullWidthSpacesOnly) {
  struct Case {
    const char* text;
    const char* expected;
  } cases[] = {
      {"  a b  ", "a b"},
      {"\ta\n", "\ta\n"},  // tab, CR and LF are not blanks
      {WIDE_SPACE "a" WIDE_SPACE " ", "a"},
      {" " WIDE_SPACE " ", nullptr},
      {"", nullptr},
      {nullptr, nullptr},
      {"\x81 ", "\x81 "},  // a second byte 0x20 is not a blank
      {"a" WIDE_SPACE "\xA1",
       "a" WIDE_SPACE},   // the lone first byte goes, the space before it stays
      {"a " LONE, "a "},  // the lone first byte goes, the blanks before it stay
      {" " LONE, nullptr},
      {ZHONG " ", ZHONG},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(isText(trimBoth(c.text), c.expected))
        << "\"" << (c.text ? c.text : "<absent>") << "\"";
  }
}

TEST(TextForms, ToLowerCaseMapsOnlyOneByteAsciiLetters) {
  struct Case {
    const char* text;
    const char* expected;
  } cases[] = {
      {"Content-TYPE @[`{", "content-type @[`{"},
      {"\x81"
       "A"
       "B",
       "\x81"
       "Ab"},  // the second byte of a character is left alone
      {"A" ZHONG "Z", "a" ZHONG "z"},
      {"A" LONE, "a" LONE},  // a lone first byte stays
      {"", nullptr},
      {nullptr, nullptr},
  };
  for (const Case& c : cases) {
    EXPECT_TRUE(isText(toLowerCase(c.text), c.expected))
        << "\"" << (c.text ? c.text : "<absent>") << "\"";
  }
}

TEST(TextForms, ToIntReadsLeadingDecimalNumbersIncludingFullWidthForms) {
  struct Case {
    const char* text;
    std::int32_t expected;
  } cases[] = {
      {" 42abc", 42},
      {"-x", 0},
      {"", 0},
      {nullptr, 0},
      {"\t\n\v\f\r 7", 7},
      {"+15", 15},
      {"-15", -15},
      {"--1", 0},
      {"1 2", 1},
      {"0012", 12},
      {"2147483647", 2147483647},
      {"2147483648", INT32_MIN},  // wraps modulo 2^32, no saturation
      {"4294967295", -1},
      {"4294967296", 0},
      {"4294967297", 1},
      {"-2147483649", 2147483647},
      {"\xA3\xB8\xA3\xB0", 80},  // ８０
      {"\xA3\xAD\xA3\xB5", -5},  // －５
      {"\xA3\xAB"
       "3",
       3},  // ＋3
      {WIDE_SPACE "\xA3\xB1"
                  "2",
       12},  // a full-width space, then １2
      {"\xA1\xAB"
       "1",
       0},                  // ～ becomes "~", not a sign
      {"\xA3\xB1\xA3", 1},  // a lone first byte ends the digits
      {"\x81\x32", 0},      // a second byte that looks like a digit
      {"12" BACKSLASH_TAIL "3", 12},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(toInt(c.text), c.expected) << "\"" << (c.text ? c.text : "<absent>") << "\"";
  }
}

TEST(TextBytes, BlankValuesAndConversions) {
  EXPECT_TRUE(isText(blankText(3), "   "));
  EXPECT_TRUE(isText(blankText(0), nullptr));
  EXPECT_EQ(blankText(0).platformPointer(), nullptr);
  EXPECT_TRUE(isText(blankText(-2), nullptr));

  const Bytes zeros = blankBytes(4);
  EXPECT_EQ(zeros.view(), std::string_view("\0\0\0\0", 4));
  EXPECT_NE(zeros.platformPointer(), nullptr);
  EXPECT_TRUE(isAbsentBytes(blankBytes(0)));
  EXPECT_TRUE(isAbsentBytes(blankBytes(-1)));

  const Bytes withZero = Bytes::fromBytes(std::string_view("ab\0c", 4));
  struct Case {
    int count;
    std::string_view expected;
  } lefts[] = {{-1, {}},
               {0, {}},
               {3, std::string_view("ab\0", 3)},
               {4, std::string_view("ab\0c", 4)},
               {9, std::string_view("ab\0c", 4)}};
  for (const auto& c : lefts) {
    const Bytes left = bytesLeft(withZero, c.count);
    EXPECT_EQ(left.view(), c.expected) << "count " << c.count;
    EXPECT_EQ(left.isAbsent(), c.expected.empty()) << "count " << c.count;
  }

  EXPECT_EQ(toBytes("a" ZHONG).view(), "a" ZHONG);
  EXPECT_TRUE(isAbsentBytes(toBytes("")));
  EXPECT_TRUE(isAbsentBytes(toBytes(nullptr)));
}

TEST(TextBytes, CharFromCodeGivesOneByteOrTheAbsentText) {
  EXPECT_TRUE(isText(charFromCode(0), nullptr));
  EXPECT_EQ(charFromCode(0).platformPointer(), nullptr);
  EXPECT_TRUE(isText(charFromCode(65), "A"));
  EXPECT_TRUE(isText(charFromCode(255), "\xFF"));
  EXPECT_TRUE(isText(charFromCode(256), nullptr));
  EXPECT_TRUE(isText(charFromCode(-1), nullptr));
}

TEST(TextBytes, BitOrCombinesEveryArgument) {
  EXPECT_EQ(bitOr(0x10, 0x01), 0x11);
  EXPECT_EQ(bitOr(0x10, 0x01, 0x100), 0x111);
  EXPECT_EQ(bitOr(INT32_MIN, 1), INT32_MIN + 1);
}

}  // namespace
}  // namespace corvalin
