// Lets tests compare and print Text values beside std::string.
#pragma once

#include <ostream>
#include <string>

#include "runtime/text.h"

inline bool operator==(const Text& a, const std::string& b) { return TextView(a) == TextView(b); }
inline bool operator==(const std::string& a, const Text& b) { return TextView(a) == TextView(b); }
inline bool operator!=(const Text& a, const std::string& b) { return !(a == b); }
inline bool operator!=(const std::string& a, const Text& b) { return !(a == b); }

// Printed as the bytes they hold, with non-ASCII bytes in hex.
inline void PrintTo(const Text& text, std::ostream* out) {
  static const char hex[] = "0123456789ABCDEF";
  *out << '"';
  for (unsigned char c : text) {
    if (c >= 0x20 && c < 0x7F) {
      *out << c;
    } else {
      *out << "\\x" << hex[c >> 4] << hex[c & 15];
    }
  }
  *out << '"';
}
