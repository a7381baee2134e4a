#include "support/recording_ui.h"

#include <gtest/gtest.h>

RecordingUi::RecordingUi() { InstallUserInterface(this); }

RecordingUi::~RecordingUi() {
  InstallUserInterface(nullptr);
  EXPECT_TRUE(answers_.empty()) << answers_.size() << " queued answer(s) were never asked for";
}

void RecordingUi::QueueAnswers(std::initializer_list<std::int32_t> answers) {
  answers_.insert(answers_.end(), answers.begin(), answers.end());
}

std::int32_t RecordingUi::ShowMessage(TextView text, std::int32_t flags, TextView caption, NativeHandle owner) {
  EXPECT_EQ(owner, 0u) << "message boxes of the handlers have no owner";
  messages.push_back({std::string(text), flags, std::string(caption)});
  events.push_back("message " + std::string(text));
  if (whileMessageOpen) whileMessageOpen();
  if (answers_.empty()) {
    ADD_FAILURE() << "unexpected message box: " << std::string(text);
    return kAnswerOk;
  }
  const std::int32_t answer = answers_.front();
  answers_.pop_front();
  return answer;
}

void RecordingUi::SetWaitCursor() {
  events.push_back("wait cursor");
  waitCursorShown = true;
}

void RecordingUi::RestoreCursor() {
  events.push_back("restore cursor");
  waitCursorShown = false;
}

void RecordingUi::SetTimerPeriod(TimerId timer, std::int32_t period) {
  const bool second = timer == TimerId::Clock2;
  events.push_back(std::string(second ? "timer2 " : "timer1 ") + std::to_string(period));
  ApplyTimerPeriod(second ? clock2 : clock1, period);
}

void RecordingUi::SetStatusText(TextView text) {
  events.push_back("status");
  statusTexts.emplace_back(text);
}
