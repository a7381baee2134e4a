#include "listener/host_rewriting.h"

namespace {

constexpr const char* kQuoteStandIn = "#引号";

// Hosts that stay right whatever the computer is called.
constexpr const char* kNameIndependentHosts[] = {"localhost", "127.0.0.1", "::1", "0.0.0.0"};

Text WithQuotes(TextView marker) { return ReplaceText(marker, kQuoteStandIn, "\"", kFromFirstByte, kEveryOccurrence, true); }

bool ContinuesName(unsigned char byte) {
  return (byte >= 'a' && byte <= 'z') || (byte >= 'A' && byte <= 'Z') || (byte >= '0' && byte <= '9') ||
         byte == '-' || byte == '_' || byte >= 0x80;
}

bool BreaksHost(unsigned char byte) { return byte <= 0x20 || byte == 0x7F || byte == '(' || byte == ')' || byte == '='; }

}  // namespace

Text TextBetween(TextView text, TextView startMarker, TextView endMarker) {
  const Text start = WithQuotes(startMarker);
  const Text end = WithQuotes(endMarker);
  std::int32_t p = FindText(text, start, 0, false);
  if (p != -1) p += TextLength(start);
  const std::int32_t q = FindText(text, end, p == -1 ? 0 : p, false);
  if (p == -1 || q == -1) return Text();
  return MidText(text, p, q - p);
}

Text ReplacePairs(TextView text, TextView sought1, TextView replacement1, TextView sought2, TextView replacement2,
                  TextView sought3, TextView replacement3, TextView sought4, TextView replacement4,
                  TextView sought5, TextView replacement5) {
  const TextView pairs[][2] = {{sought1, replacement1},
                               {sought2, replacement2},
                               {sought3, replacement3},
                               {sought4, replacement4},
                               {sought5, replacement5}};
  Text result(text);
  for (const auto& pair : pairs) result = ReplaceText(result, pair[0], pair[1], kFromFirstByte, kEveryOccurrence, false);
  return result;
}

bool IsReplaceableHost(TextView hostEntry) {
  const std::int32_t length = TextLength(hostEntry);
  if (length == 0 || length > kLongestHostName) return false;
  for (std::int32_t i = 0; i < length; ++i)
    if (BreaksHost(static_cast<unsigned char>(hostEntry[static_cast<std::size_t>(i)]))) return false;
  for (const char* fixed : kNameIndependentHosts) {
    const TextView name(fixed);
    if (name.size() == static_cast<std::size_t>(length) && BytesMatchIgnoringCase(hostEntry.data(), fixed, length))
      return false;
  }
  return true;
}

Text ReplaceHostName(TextView text, TextView oldHost, TextView newHost) {
  text = text.substr(0, static_cast<std::size_t>(TextLength(text)));
  oldHost = oldHost.substr(0, static_cast<std::size_t>(TextLength(oldHost)));
  newHost = newHost.substr(0, static_cast<std::size_t>(TextLength(newHost)));
  const std::size_t total = text.size();
  const std::size_t m = oldHost.size();
  if (m == 0) return Text(text);
  const auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };

  Text result;
  bool afterNamePart = false;  // does the character before p continue a name
  std::size_t p = 0;
  while (p < total) {
    const bool fits = total - p >= m;
    if (!afterNamePart && fits && BytesMatchIgnoringCase(text.data() + p, oldHost.data(), static_cast<std::int32_t>(m)) &&
        (p + m == total || !ContinuesName(byteAt(p + m)))) {
      result.append(newHost);
      p += m;
      afterNamePart = ContinuesName(static_cast<unsigned char>(oldHost[m - 1]));
    } else if (StartsDoubleByteCharacter(byteAt(p))) {
      if (p + 1 >= total) break;  // a lone lead byte is copied with the rest
      result.append(text.substr(p, 2));
      p += 2;
      afterNamePart = true;
    } else {
      afterNamePart = ContinuesName(byteAt(p));
      result.push_back(text[p]);
      p += 1;
    }
  }
  result.append(text.substr(p));
  return result;
}

Text RewriteHost(TextView text, TextView startMarker, TextView newHost) {
  const Text oldHost = TextBetween(text, startMarker, kHostEnd);
  if (!IsReplaceableHost(oldHost) || TextLength(newHost) == 0) return Text(text);
  return ReplaceHostName(text, oldHost, newHost);
}
