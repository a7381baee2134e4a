#include "runtime/text.h"

#include <cstring>

namespace {

unsigned char Byte(TextView text, std::int32_t index) {
  return static_cast<unsigned char>(text[static_cast<std::size_t>(index)]);
}

unsigned char FoldAsciiCapital(unsigned char byte) {
  return (byte >= 0x41 && byte <= 0x5A) ? static_cast<unsigned char>(byte + 0x20) : byte;
}

bool SpanMatches(TextView text, std::int32_t at, TextView sought, bool ignoreCase) {
  const char* here = text.data() + at;
  const auto m = static_cast<std::int32_t>(sought.size());
  return ignoreCase ? BytesMatchIgnoringCase(here, sought.data(), m)
                    : std::memcmp(here, sought.data(), static_cast<std::size_t>(m)) == 0;
}

// A text as the operations see it: up to its first zero byte.
TextView Visible(TextView text) { return text.substr(0, static_cast<std::size_t>(TextLength(text))); }

std::int32_t SearchBegin(std::int32_t start) { return start - 1 > 0 ? start - 1 : 0; }

}  // namespace

bool BytesMatchIgnoringCase(const char* a, const char* b, std::int32_t n) {
  for (std::int32_t i = 0; i < n; ++i) {
    if (FoldAsciiCapital(static_cast<unsigned char>(a[i])) != FoldAsciiCapital(static_cast<unsigned char>(b[i])))
      return false;
  }
  return true;
}

std::int32_t TextLength(TextView text) {
  const std::size_t zero = text.find('\0');
  return static_cast<std::int32_t>(zero == TextView::npos ? text.size() : zero);
}

std::int32_t CompareText(TextView a, TextView b) {
  a = Visible(a);
  b = Visible(b);
  const std::size_t common = a.size() < b.size() ? a.size() : b.size();
  for (std::size_t i = 0; i < common; ++i) {
    const auto x = static_cast<unsigned char>(a[i]);
    const auto y = static_cast<unsigned char>(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

Text JoinTextList(std::initializer_list<TextView> texts) {
  Text joined;
  for (TextView part : texts) joined.append(Visible(part));
  return joined;
}

Text MidText(TextView text, std::int32_t start, std::int32_t length) {
  const std::int32_t total = TextLength(text);
  const std::int64_t from = static_cast<std::int64_t>(start) - 1;
  if (from < 0 || from >= total || length <= 0) return Text();
  std::int64_t take = length;
  if (from + take > total) take = total - from;
  return Text(text.substr(static_cast<std::size_t>(from), static_cast<std::size_t>(take)));
}

std::int32_t FindText(TextView text, TextView sought, std::int32_t start, bool caseInsensitive) {
  text = Visible(text);
  sought = Visible(sought);
  const auto total = static_cast<std::int32_t>(text.size());
  const std::int32_t begin = SearchBegin(start);
  const std::int32_t range = begin >= total ? 0 : total - begin;
  const auto m = static_cast<std::int32_t>(sought.size());
  if (m == 0) return range > 0 ? 1 : -1;
  for (std::int32_t p = begin; total - p >= m;) {
    if (SpanMatches(text, p, sought, caseInsensitive)) return p + 1;
    if (StartsDoubleByteCharacter(Byte(text, p))) {
      if (p + 1 >= total) return -1;  // lone lead byte
      p += 2;
    } else {
      p += 1;
    }
  }
  return -1;
}

Text ReplaceText(TextView text, TextView sought, TextView replacement, std::int32_t start,
                 std::int32_t count, bool caseSensitive) {
  text = Visible(text);
  sought = Visible(sought);
  replacement = Visible(replacement);
  const auto total = static_cast<std::int32_t>(text.size());
  const auto m = static_cast<std::int32_t>(sought.size());
  const std::int32_t begin = SearchBegin(start);
  if (total == 0 || m == 0 || begin >= total || count == 0) return Text(text);

  Text result(text.substr(0, static_cast<std::size_t>(begin)));
  std::int32_t remaining = count;  // negative: unlimited
  std::int32_t p = begin;
  while (total - p >= m) {
    if (SpanMatches(text, p, sought, !caseSensitive)) {
      result.append(replacement);
      p += m;
      if (remaining > 0 && --remaining == 0) break;
    } else if (StartsDoubleByteCharacter(Byte(text, p))) {
      if (p + 1 >= total) break;  // a lone lead byte is copied with the rest
      result.append(text.substr(static_cast<std::size_t>(p), 2));
      p += 2;
    } else {
      result.push_back(text[static_cast<std::size_t>(p)]);
      p += 1;
    }
  }
  result.append(text.substr(static_cast<std::size_t>(p)));
  return result;
}

ByteBuffer TextToBytes(TextView text) {
  text = Visible(text);
  return ByteBuffer(text.begin(), text.end());
}

ByteBuffer TextToBytes(const ByteBuffer& bytes) { return ByteBuffer(bytes); }

Text BytesToText(const ByteBuffer& bytes) {
  std::size_t end = 0;
  while (end < bytes.size() && bytes[end] != 0) ++end;
  return Text(reinterpret_cast<const char*>(bytes.data()), end);
}

ByteBuffer BlankBytes(std::int32_t n) {
  return n > 0 ? ByteBuffer(static_cast<std::size_t>(n), 0) : ByteBuffer();
}

std::int32_t BytesLength(const ByteBuffer& bytes) { return static_cast<std::int32_t>(bytes.size()); }
