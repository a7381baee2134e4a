// The user-interface operations that the shell offers the handlers.
//
// Handlers reach the user only through these five operations; the Win32
// shell implements them on the real window, tests put a recording double
// behind them. Texts are GBK bytes shown exactly as given.
#pragma once

#include <cstdint>

#include "platform/platform.h"
#include "runtime/text.h"

// The two timers of MainWindow.
enum class TimerId { Clock1, Clock2 };  // 时钟1, 时钟2

// ShowMessage answers.
constexpr std::int32_t kAnswerOk = 0;
constexpr std::int32_t kAnswerCancel = 1;

class UserInterface {
 public:
  virtual ~UserInterface() = default;
  // A message box; the answer is 0 OK, 1 Cancel, 2 Abort, 3 Retry,
  // 4 Ignore, 5 Yes, 6 No, and 0 when the box could not be shown.
  virtual std::int32_t ShowMessage(TextView text, std::int32_t flags, TextView caption, NativeHandle owner) = 0;
  virtual void SetWaitCursor() = 0;
  virtual void RestoreCursor() = 0;
  // Period in milliseconds; negative counts as 0 (stopped); the period the
  // timer has already changes nothing.
  virtual void SetTimerPeriod(TimerId timer, std::int32_t period) = 0;
  // Replaces the whole content of the status box, also with the same text.
  virtual void SetStatusText(TextView text) = 0;
};

// The shell the handlers talk to. Installed at start (or by a test).
UserInterface& Ui();
void InstallUserInterface(UserInterface* ui);

// The caption of a message box when none is given.
constexpr const char* kDefaultMessageCaption = "信息：";

// ShowMessage with the defaults: no caption given means "信息：", no owner.
std::int32_t ShowMessage(TextView text, std::int32_t flags);
std::int32_t ShowMessage(TextView text, std::int32_t flags, TextView caption);

// --- rules shared by every shell ------------------------------------------

// The MessageBoxA style for ShowMessage flags: task-modal unless system-modal.
std::uint32_t MessageBoxStyleFor(std::int32_t flags);
// The ShowMessage answer for a MessageBoxA result.
std::int32_t AnswerForMessageBoxResult(std::int32_t result);

// A timer's state and what a new period asks of the Windows timer.
struct TimerState {
  std::int32_t period = 0;
  bool running = false;
};
struct TimerChange {
  bool kill = false;   // KillTimer first
  bool start = false;  // then SetTimer with the new period
};
// Applies SetTimerPeriod's rules to `state` and says what to do.
TimerChange ApplyTimerPeriod(TimerState& state, std::int32_t period);
