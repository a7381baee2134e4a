#include "app/user_interface.h"

#include <cstdlib>

namespace {
UserInterface* installedUi = nullptr;
constexpr std::int32_t kSystemModal = 0x1000;
constexpr std::int32_t kTaskModal = 0x2000;
}  // namespace

UserInterface& Ui() {
  if (installedUi == nullptr) std::abort();  // no shell: a programming error
  return *installedUi;
}

void InstallUserInterface(UserInterface* ui) { installedUi = ui; }

std::int32_t ShowMessage(TextView text, std::int32_t flags) {
  return Ui().ShowMessage(text, flags, kDefaultMessageCaption, 0);
}

std::int32_t ShowMessage(TextView text, std::int32_t flags, TextView caption) {
  return Ui().ShowMessage(text, flags, caption, 0);
}

std::uint32_t MessageBoxStyleFor(std::int32_t flags) {
  return static_cast<std::uint32_t>((flags & kSystemModal) != 0 ? flags : flags + kTaskModal);
}

std::int32_t AnswerForMessageBoxResult(std::int32_t result) {
  switch (result) {
    case 1: return 0;  // IDOK
    case 2: return 1;  // IDCANCEL
    case 3: return 2;  // IDABORT
    case 4: return 3;  // IDRETRY
    case 5: return 4;  // IDIGNORE
    case 6: return 5;  // IDYES
    case 7: return 6;  // IDNO
    default: return 0;
  }
}

TimerChange ApplyTimerPeriod(TimerState& state, std::int32_t period) {
  if (period < 0) period = 0;
  TimerChange change;
  if (period == state.period) return change;
  state.period = period;
  if (state.running) {
    change.kill = true;
    state.running = false;
  }
  if (period > 0) {
    change.start = true;
    state.running = true;
  }
  return change;
}
