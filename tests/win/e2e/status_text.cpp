#include "status_text.h"

#include <windows.h>

namespace e2e {

namespace {

const char* const kWords[] = {"无服务", "已停止", "正在启动中，请稍后...", "正在停止中，请稍后...",
                              "已启动", "发送继续命令中", "发送暂停命令中"};

std::string Entry(int which, int state, const std::string& listenerName) {
  if (state < 0 || state > 6) state = 1;
  const std::string word = kWords[state];
  switch (which) {
    case 0:
      // This one entry has no hyphen before its stopping word.
      return "\r\nSQL——MSSQLSERVER" + std::string(state == 3 ? "" : "-") + word + "\r\n\r\n";
    case 1:
      return "SQL——MSSQL$SQLEXPRESS-" + word + "\r\n\r\n";
    case 2:
      return "Oracle——" + listenerName + "-" + word + "\r\n\r\n";
    default:
      return "Oracle——OracleServiceORCL-" + word + "\r\n\r\n";
  }
}

}  // namespace

std::string StateWord(int state) { return kWords[state < 0 || state > 6 ? 1 : state]; }

std::string StatusText(const States& states, const std::string& listenerName) {
  std::string text;
  for (int which = 0; which < 4; ++which) text += Entry(which, states[which], listenerName);
  return text;
}

bool ParseStatus(const std::string& text, const std::string& listenerName, States* states) {
  std::size_t at = 0;
  for (int which = 0; which < 4; ++which) {
    int found = -1;
    for (int state = 0; state <= 6 && found < 0; ++state)
      if (text.compare(at, Entry(which, state, listenerName).size(), Entry(which, state, listenerName)) == 0)
        found = state;
    if (found < 0) return false;
    (*states)[which] = found;
    at += Entry(which, found, listenerName).size();
  }
  return at == text.size();
}

std::string Shown(const std::string& gbk) {
  std::string escaped;
  for (char c : gbk) {
    if (c == '\r') {
      escaped += "\\r";
    } else if (c == '\n') {
      escaped += "\\n";
    } else {
      escaped += c;
    }
  }
  const int wide = MultiByteToWideChar(936, 0, escaped.data(), static_cast<int>(escaped.size()), nullptr, 0);
  std::wstring utf16(static_cast<std::size_t>(wide), L'\0');
  MultiByteToWideChar(936, 0, escaped.data(), static_cast<int>(escaped.size()), &utf16[0], wide);
  const int narrow = WideCharToMultiByte(CP_UTF8, 0, utf16.data(), wide, nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(narrow), '\0');
  WideCharToMultiByte(CP_UTF8, 0, utf16.data(), wide, &utf8[0], narrow, nullptr, nullptr);
  return utf8;
}

}  // namespace e2e
