#include "service_watch_win.h"

#include "demo_machine_win.h"

namespace e2e {

ServiceWatch::ServiceWatch() {
  // The first states are there before the constructor returns, so that
  // nothing done afterwards can be missed.
  for (int which = 0; which < 4; ++which) seen_[which].push_back(demo::StateOf(demo::kServiceNames[which]));
  thread_ = std::thread([this] { Run(); });
}

ServiceWatch::~ServiceWatch() {
  stop_ = true;
  thread_.join();
}

std::vector<DWORD> ServiceWatch::Seen(int which) {
  // One more look of its own, so that what the caller has just seen is in.
  const DWORD state = demo::StateOf(demo::kServiceNames[which]);
  std::lock_guard<std::mutex> guard(lock_);
  if (seen_[which].back() != state) seen_[which].push_back(state);
  return seen_[which];
}

void ServiceWatch::Run() {
  while (!stop_) {
    for (int which = 0; which < 4; ++which) {
      const DWORD state = demo::StateOf(demo::kServiceNames[which]);
      std::lock_guard<std::mutex> guard(lock_);
      if (seen_[which].back() != state) seen_[which].push_back(state);
    }
    Sleep(20);
  }
}

}  // namespace e2e
