// Texts and byte buffers, and the ten operations on them.
//
// A Text is a GBK byte string without zero bytes; positions are byte
// positions counted from 1. Where a text is walked character by character, a
// byte of 0x80 or above starts a two-byte character whatever follows it.
// A ByteBuffer is a length and that many bytes, zero bytes allowed.
//
// Every operation returns a new value and leaves its arguments unchanged; no
// operation fails on any argument values. Memory for results comes from the
// runtime allocator, which ends the process when memory is exhausted.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/memory.h"

using Text = std::basic_string<char, std::char_traits<char>, RuntimeAllocator<char>>;
using TextView = std::string_view;
using ByteBuffer = std::vector<unsigned char, RuntimeAllocator<unsigned char>>;

// Defaults of the optional arguments: from the first byte, every occurrence.
constexpr std::int32_t kFromFirstByte = 1;
constexpr std::int32_t kEveryOccurrence = -1;

// True for a byte that starts a two-byte character in a character walk.
inline bool StartsDoubleByteCharacter(unsigned char byte) { return byte >= 0x80; }

std::int32_t TextLength(TextView text);
std::int32_t CompareText(TextView a, TextView b);
Text JoinTextList(std::initializer_list<TextView> texts);
template <typename... Parts>
Text JoinTexts(const Parts&... parts) {
  return JoinTextList({TextView(parts)...});
}
Text MidText(TextView text, std::int32_t start, std::int32_t length);
// caseInsensitive: true ignores ASCII letter case.
std::int32_t FindText(TextView text, TextView sought, std::int32_t start, bool caseInsensitive);
// caseSensitive: false ignores ASCII letter case (the opposite sense of FindText).
Text ReplaceText(TextView text, TextView sought, TextView replacement, std::int32_t start,
                 std::int32_t count, bool caseSensitive);
ByteBuffer TextToBytes(TextView text);
ByteBuffer TextToBytes(const ByteBuffer& bytes);
Text BytesToText(const ByteBuffer& bytes);
ByteBuffer BlankBytes(std::int32_t n);
std::int32_t BytesLength(const ByteBuffer& bytes);

// The ASCII-only case-blind comparison of two spans of n bytes.
bool BytesMatchIgnoringCase(const char* a, const char* b, std::int32_t n);
