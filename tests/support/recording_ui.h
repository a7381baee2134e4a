// A recording stand-in for the shell's user-interface operations.
//
// Every call is logged in order. Message boxes take their answers from a
// queue that the test fills; a box with no answer queued fails the test.
// Timer periods follow the shell's own rules (ApplyTimerPeriod).
#pragma once

#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "app/user_interface.h"

struct ShownMessage {
  std::string text;
  std::int32_t flags;
  std::string caption;
};

class RecordingUi : public UserInterface {
 public:
  RecordingUi();
  ~RecordingUi() override;

  // Answers for the next message boxes, in order.
  void QueueAnswers(std::initializer_list<std::int32_t> answers);

  std::int32_t ShowMessage(TextView text, std::int32_t flags, TextView caption, NativeHandle owner) override;
  void SetWaitCursor() override;
  void RestoreCursor() override;
  void SetTimerPeriod(TimerId timer, std::int32_t period) override;
  void SetStatusText(TextView text) override;

  // What happened, in order: "message", "wait cursor", "restore cursor",
  // "timer2 100", "status" ...
  std::vector<std::string> events;
  std::vector<ShownMessage> messages;
  std::vector<std::string> statusTexts;
  TimerState clock1{100, true};
  TimerState clock2{0, false};
  bool waitCursorShown = false;  // set by SetWaitCursor, cleared by RestoreCursor

  // Called inside ShowMessage before it answers, as the box's own message
  // loop would run timer ticks while it is open.
  std::function<void()> whileMessageOpen;

 private:
  std::deque<std::int32_t> answers_;
};
