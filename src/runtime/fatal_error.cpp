#include "runtime/fatal_error.h"

#include <cstdlib>

#include "platform/platform.h"

std::string FatalErrorText(std::int32_t code, const char* message) {
  std::string text = "运行时出错!\r\n\r\n";
  if (code != 0) {
    text += "错误代码：";
    text += std::to_string(code);
    text += "\r\n\r\n";
  }
  if (message != nullptr && *message != '\0') {
    text += "错误信息：";
    text += message;
    text += "\r\n";
  }
  return text;
}

void FatalRuntimeError(std::int32_t code, const char* message) {
  const std::string text = FatalErrorText(code, message);
  Sys().ShowFatalErrorBox(text.c_str(), "错误", 16);
  Sys().EndProcess(-1);
  std::abort();  // EndProcess does not return; this keeps the promise of [[noreturn]].
}
