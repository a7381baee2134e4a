// Watches the four services of the demo machine in the service manager,
// beside the tool: every state each one passes through, in order, as a
// second observer that does not depend on what the tool shows.
#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <thread>
#include <vector>

namespace e2e {

class ServiceWatch {
 public:
  // Starts watching at once (a query of all four every 20 ms).
  ServiceWatch();
  ServiceWatch(const ServiceWatch&) = delete;
  ServiceWatch& operator=(const ServiceWatch&) = delete;
  ~ServiceWatch();

  // The distinct states service `which` (demo::ServiceIndex) has been seen
  // in so far, the first one being its state when watching began and the
  // last one its state now.
  std::vector<DWORD> Seen(int which);

 private:
  void Run();

  std::mutex lock_;
  std::vector<DWORD> seen_[4];
  std::atomic<bool> stop_{false};
  std::thread thread_;
};

}  // namespace e2e
