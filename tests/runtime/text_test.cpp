#include "runtime/text.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "support/text_compare.h"

namespace {

struct CompareCase {
  const char* a;
  const char* b;
  int expected;
};

TEST(TextLength, CountsBytes) {
  EXPECT_EQ(TextLength(""), 0);
  EXPECT_EQ(TextLength(Text()), 0);
  EXPECT_EQ(TextLength("abc"), 3);
  EXPECT_EQ(TextLength("配置"), 4);
  EXPECT_EQ(TextLength(TextView("ab\0cd", 5)), 2);
}

TEST(CompareText, OrdersByUnsignedBytes) {
  const CompareCase cases[] = {
      {"", "", 0},       {"", "a", -1},      {"a", "", 1},        {"abc", "abc", 0},
      {"abc", "abd", -1}, {"abd", "abc", 1}, {"ab", "abc", -1},   {"abc", "ab", 1},
      {"\x80", "a", 1},  {"a", "\xFF", -1},  {"A", "a", -1},
  };
  for (const auto& c : cases) EXPECT_EQ(CompareText(c.a, c.b), c.expected) << c.a << " vs " << c.b;
  EXPECT_EQ(CompareText(Text(), ""), 0);
}

TEST(JoinTexts, AddsNoSeparator) {
  EXPECT_EQ(JoinTexts(Text("C:\\Tools"), "\\Oracle配置备份"), "C:\\Tools\\Oracle配置备份");
  EXPECT_EQ(JoinTexts(Text(), "a", Text(), "b"), "ab");
  EXPECT_EQ(JoinTexts(Text()), "");
}

struct MidCase {
  const char* text;
  int start;
  int length;
  const char* expected;
};

TEST(MidText, CutsBytePositions) {
  const MidCase cases[] = {
      {"abcde", 1, 2, "ab"}, {"abcde", 2, 3, "bcd"}, {"abcde", 0, 3, ""},  {"abcde", -1, 3, ""},
      {"abcde", 6, 1, ""},   {"abcde", 3, 0, ""},    {"abcde", 3, -2, ""}, {"abcde", 5, 5, "e"},
      {"abcde", 4, 100, "de"}, {"", 1, 1, ""},
      {"\xB0\xA1x", 2, 2, "\xA1x"},  // may start on a second byte
  };
  for (const auto& c : cases)
    EXPECT_EQ(MidText(c.text, c.start, c.length), c.expected) << c.text << " " << c.start << " " << c.length;
}

struct FindCase {
  const char* text;
  const char* sought;
  int start;
  bool caseInsensitive;
  int expected;
};

TEST(FindText, FindsAtCharacterStarts) {
  const FindCase cases[] = {
      {"abcabc", "c", 1, false, 3},
      {"abcabc", "c", 4, false, 6},
      {"abcabc", "c", 7, false, -1},
      {"abcabc", "c", 0, false, 3},
      {"abcabc", "c", -5, false, 3},
      {"abcabc", "abc", 2, false, 4},
      {"abcabc", "", 1, false, 1},
      {"abcabc", "", 3, false, 1},  // empty sought: 1 for any non-empty range
      {"abcabc", "", 7, false, -1},
      {"", "", 1, false, -1},
      {"", "a", 1, false, -1},
      {"xAbx", "aB", 1, true, 2},
      {"xAbx", "aB", 1, false, -1},
      {"\xB0\x41", "A", 1, false, -1},       // A is the second byte of a character
      {"\xB0\x41" "A", "A", 1, false, 3},
      {"\xB0\x41", "a", 1, true, -1},
      {"ab\xB0", "x", 1, false, -1},          // lone lead byte ends the walk
      {"ab\xB0", "\xB0", 1, false, 3},
      {"\xC5\xE4\xD6\xC3", "\xD6\xC3", 1, false, 3},
      {"\xC5\xE4\xD6\xC3", "\xE4\xD6", 1, false, -1},
      {"\xC5\xE4\xD6\xC3", "\xE4\xD6", 2, false, 2},  // as seen from the start given
      {"[\xC1]", "\xC1]", 1, true, 2},        // bytes of 0x80 and above are never folded
      {"\xC1", "\xE1", 1, true, -1},
      {"abc", "abcd", 1, false, -1},
  };
  for (const auto& c : cases)
    EXPECT_EQ(FindText(c.text, c.sought, c.start, c.caseInsensitive), c.expected)
        << "'" << c.text << "' for '" << c.sought << "' from " << c.start;
}

struct ReplaceCase {
  const char* text;
  const char* sought;
  const char* replacement;
  int start;
  int count;
  bool caseSensitive;
  const char* expected;
};

TEST(ReplaceText, ReplacesLeftToRightWithoutRescanning) {
  const ReplaceCase cases[] = {
      {"aXa", "a", "bb", 1, -1, true, "bbXbb"},
      {"aXa", "a", "bb", 1, 1, true, "bbXa"},
      {"aXa", "a", "bb", 1, 0, true, "aXa"},
      {"aXa", "a", "bb", 1, -7, true, "bbXbb"},
      {"aXa", "a", "bb", 3, -1, true, "aXbb"},
      {"aXa", "a", "bb", 0, -1, true, "bbXbb"},
      {"aaa", "aa", "a", 1, -1, true, "aa"},
      {"abc", "b", "", 1, -1, true, "ac"},
      {"aaa", "a", "aa", 1, -1, true, "aaaaaa"},
      {"x\\bin\\tnslsnr", "BIN\\TNSLSNR", "NETWORK\\ADMIN\\listener.ora", 1, -1, false,
       "x\\NETWORK\\ADMIN\\listener.ora"},
      {"x\\bin\\tnslsnr", "BIN\\TNSLSNR", "Y", 1, -1, true, "x\\bin\\tnslsnr"},
      {"ab\xB0", "x", "y", 1, -1, true, "ab\xB0"},   // lone lead byte kept
      {"xa\xB0", "x", "y", 1, -1, true, "ya\xB0"},
      {"\xB0\x41" "A", "A", "z", 1, -1, true, "\xB0\x41z"},
      {"\xB0\x41" "a", "a", "z", 1, -1, false, "\xB0\x41z"},
      {"abc", "", "z", 1, -1, true, "abc"},
      {"", "a", "z", 1, -1, true, ""},
      {"abc", "a", "z", 4, -1, true, "abc"},
      {"DbSrv dbsrv DBSRV", "dbsrv", "NEWPC", 1, -1, false, "NEWPC NEWPC NEWPC"},
      {"aXaXa", "a", "b", 2, 1, true, "aXbXa"},
  };
  for (const auto& c : cases)
    EXPECT_EQ(ReplaceText(c.text, c.sought, c.replacement, c.start, c.count, c.caseSensitive), c.expected)
        << "'" << c.text << "' '" << c.sought << "' -> '" << c.replacement << "' start " << c.start << " count "
        << c.count;
}

TEST(ReplaceText, LeavesItsArgumentUnchanged) {
  const Text original = "aXa";
  const Text replaced = ReplaceText(original, "a", "b", 1, -1, true);
  EXPECT_EQ(original, "aXa");
  EXPECT_EQ(replaced, "bXb");
}

TEST(Bytes, ConvertBetweenTextsAndBuffers) {
  const ByteBuffer withZero = {0x41, 0x42, 0x00, 0x43};
  EXPECT_EQ(BytesToText(withZero), "AB");
  EXPECT_EQ(BytesToText(ByteBuffer{0x41, 0x42}), "AB");
  EXPECT_EQ(BytesToText(ByteBuffer{}), "");
  EXPECT_EQ(BytesToText(ByteBuffer{0x00, 0x41}), "");

  EXPECT_EQ(TextToBytes(Text("AB")), (ByteBuffer{0x41, 0x42}));
  EXPECT_EQ(BytesLength(TextToBytes(Text())), 0);
  EXPECT_EQ(TextToBytes(withZero), withZero);  // a buffer is copied whole

  EXPECT_EQ(BytesLength(BlankBytes(0)), 0);
  EXPECT_EQ(BytesLength(BlankBytes(-1)), 0);
  const ByteBuffer blank = BlankBytes(10000);
  ASSERT_EQ(BytesLength(blank), 10000);
  EXPECT_EQ(std::count(blank.begin(), blank.end(), 0), 10000);
  EXPECT_EQ(BytesLength(ByteBuffer()), 0);
}

}  // namespace
