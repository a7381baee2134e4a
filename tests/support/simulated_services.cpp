#include "support/simulated_services.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>

#include "support/simulated_windows.h"

namespace {

// The rights a process without elevation gets on the manager: connect,
// enumerate, query the lock status and read.
constexpr std::uint32_t kManagerReadRights = 0x20015;

constexpr std::uint32_t kServiceQueryStatus = 0x0004;
constexpr std::uint32_t kServiceStart = 0x0010;
constexpr std::uint32_t kServiceStop = 0x0020;
constexpr std::uint32_t kServicePauseContinue = 0x0040;
constexpr std::uint32_t kServiceInterrogate = 0x0080;

constexpr std::uint32_t kOwnProcess = 0x10;        // SERVICE_WIN32_OWN_PROCESS
constexpr std::uint32_t kAcceptStopPause = 0x3;  // SERVICE_ACCEPT_STOP | SERVICE_ACCEPT_PAUSE_CONTINUE

std::string Hex(std::uint32_t value) {
  char buffer[16];
  std::snprintf(buffer, sizeof buffer, "0x%X", value);
  return buffer;
}

std::string Quoted(const char* text) { return text == nullptr ? "NULL" : "\"" + std::string(text) + "\""; }

bool IsPending(std::int32_t state) {
  return state == kSimStartPending || state == kSimStopPending || state == kSimContinuePending ||
         state == kSimPausePending;
}

std::int32_t StateAfter(std::int32_t pending) {
  switch (pending) {
    case kSimStartPending: return kSimRunning;
    case kSimStopPending: return kSimStopped;
    case kSimContinuePending: return kSimRunning;
    default: return kSimPaused;  // pause pending
  }
}

bool IsZeroFilled(const ServiceStatusWords& status) {
  return std::all_of(status.begin(), status.end(), [](std::uint32_t word) { return word == 0; });
}

}  // namespace

// --- set-up and observation --------------------------------------------------

SimulatedService& SimulatedServiceManager::AddService(const std::string& name, std::int32_t state) {
  SimulatedService& service = services_[FoldCase(name)];
  service = SimulatedService{};
  service.state = state;
  return service;
}

SimulatedService& SimulatedServiceManager::Service(const std::string& name) {
  const auto found = services_.find(FoldCase(name));
  if (found != services_.end()) return found->second;
  ADD_FAILURE() << "no simulated service " << name;
  static SimulatedService none;
  return none;
}

void SimulatedServiceManager::AdvanceTime(int ms) {
  for (auto& [name, service] : services_) {
    service.msInState = std::min(service.msInState + ms, kSimForever);
    if (IsPending(service.state) && service.msInState >= service.pendingDelay) {
      service.state = StateAfter(service.state);
      service.msInState = 0;
    }
  }
}

int SimulatedServiceManager::RequestsMade() const {
  int requests = 0;
  for (const auto& [name, service] : services_)
    requests += service.startRequests + static_cast<int>(service.controls.size());
  return requests;
}

// --- handles -------------------------------------------------------------------

void SimulatedServiceManager::Log(const std::string& line) {
  calls.push_back(line);
  windows_.Log(line);
}

NativeHandle SimulatedServiceManager::Give(OpenedHandle opened) {
  const NativeHandle handle = windows_.NewHandle();
  opened.label = "h" + std::to_string(++handlesGiven_);
  handles_[handle] = std::move(opened);
  return handle;
}

std::string SimulatedServiceManager::Label(NativeHandle handle) const {
  if (handle == 0) return "0";
  const auto found = handles_.find(handle);
  if (found != handles_.end()) return found->second.label;
  char buffer[32];
  std::snprintf(buffer, sizeof buffer, "?0x%llX", static_cast<unsigned long long>(handle));
  return buffer;
}

SimulatedService* SimulatedServiceManager::ServiceBehind(NativeHandle handle, const char* function) {
  const auto found = handles_.find(handle);
  if (found == handles_.end() || !windows_.ExpectOpen(handle, function)) {
    if (found == handles_.end()) ADD_FAILURE() << function << " given a handle the manager did not give out";
    return nullptr;
  }
  if (found->second.isManager) {
    ADD_FAILURE() << function << " given the manager handle instead of a service handle";
    return nullptr;
  }
  return &services_[found->second.service];
}

void SimulatedServiceManager::WriteStatus(const SimulatedService& service, ServiceStatusWords* status) const {
  *status = ServiceStatusWords{kOwnProcess, static_cast<std::uint32_t>(service.state), kAcceptStopPause, 0, 0, 0,
                               IsPending(service.state) ? 3000u : 0u};
}

// --- the Windows functions -------------------------------------------------------

NativeHandle SimulatedServiceManager::OpenSCManagerA(const char* machine, const char* database,
                                                     std::uint32_t access) {
  NativeHandle handle = 0;
  const bool granted = windows_.elevated || (access & ~kManagerReadRights) == 0;
  if (granted) {
    OpenedHandle opened;
    opened.isManager = true;
    opened.access = access;
    handle = Give(std::move(opened));
  }
  Log("OpenSCManagerA(" + Quoted(machine) + ", " + Quoted(database) + ", " + Hex(access) + ") = " +
               Label(handle));
  return handle;
}

NativeHandle SimulatedServiceManager::OpenServiceA(NativeHandle manager, const char* name, std::uint32_t access) {
  NativeHandle handle = 0;
  const std::string managerLabel = Label(manager);
  namesOpened.push_back(name == nullptr ? "NULL" : name);
  if (manager != 0) {  // a null manager simply fails, as on Windows
    const auto found = handles_.find(manager);
    if (found == handles_.end() || !found->second.isManager || !windows_.ExpectOpen(manager, "OpenServiceA")) {
      ADD_FAILURE() << "OpenServiceA given " << managerLabel << ", not an open manager handle";
    } else if (name != nullptr && services_.count(FoldCase(name)) != 0) {
      OpenedHandle opened;
      opened.service = FoldCase(name);
      opened.name = name;
      opened.access = access;
      handle = Give(std::move(opened));
    }
  }
  Log("OpenServiceA(" + managerLabel + ", " + Quoted(name) + ", " + Hex(access) + ") = " + Label(handle));
  return handle;
}

std::int32_t SimulatedServiceManager::StartServiceA(NativeHandle service, std::uint32_t argumentCount,
                                                    const char** arguments) {
  const std::string label = Label(service);
  SimulatedService* target = ServiceBehind(service, "StartServiceA");
  if (target != nullptr) requests.push_back("start " + handles_[service].name);
  std::int32_t result = 0;
  if (target != nullptr && (handles_[service].access & kServiceStart) != 0 && target->state == kSimStopped) {
    target->state = kSimStartPending;
    target->msInState = 0;
    ++target->startRequests;
    result = 1;
  }
  Log("StartServiceA(" + label + ", " + std::to_string(argumentCount) + ", " +
               (arguments == nullptr ? "NULL" : "args") + ") = " + std::to_string(result));
  return result;
}

std::int32_t SimulatedServiceManager::ControlService(NativeHandle service, std::uint32_t control,
                                                     ServiceStatusWords* status) {
  const std::string label = Label(service);
  if (status == nullptr || !IsZeroFilled(*status)) ADD_FAILURE() << "ControlService given no zero-filled status";
  SimulatedService* target = ServiceBehind(service, "ControlService");
  if (target != nullptr) requests.push_back("control " + std::to_string(control) + " " + handles_[service].name);
  std::int32_t result = 0;
  if (target != nullptr && status != nullptr) {
    const std::uint32_t access = handles_[service].access;
    std::int32_t next = 0;  // the pending state the control starts; 0: refused
    switch (control) {
      case 1:
        if ((access & kServiceStop) != 0 && !target->refusesStop &&
            (target->state == kSimRunning || target->state == kSimPaused))
          next = kSimStopPending;
        break;
      case 2:
        if ((access & kServicePauseContinue) != 0 && target->state == kSimRunning) next = kSimPausePending;
        break;
      case 3:
        if ((access & kServicePauseContinue) != 0 && target->state == kSimPaused) next = kSimContinuePending;
        break;
      case 4:  // interrogate: answered by a running service, changes nothing
        if ((access & kServiceInterrogate) != 0 && target->state != kSimStopped) next = target->state;
        break;
      default:  // shutdown and unknown codes cannot be sent by a program
        break;
    }
    if (next != 0) {
      if (next != target->state) target->msInState = 0;
      target->state = next;
      target->controls.push_back(control);
      WriteStatus(*target, status);
      result = 1;
    }
  }
  Log("ControlService(" + label + ", " + std::to_string(control) + ") = " + std::to_string(result));
  return result;
}

std::int32_t SimulatedServiceManager::QueryServiceStatus(NativeHandle service, ServiceStatusWords* status) {
  const std::string label = Label(service);
  if (status == nullptr || !IsZeroFilled(*status))
    ADD_FAILURE() << "QueryServiceStatus given no zero-filled status";
  SimulatedService* target = ServiceBehind(service, "QueryServiceStatus");
  std::int32_t result = 0;
  if (target != nullptr && status != nullptr && (handles_[service].access & kServiceQueryStatus) != 0 &&
      !target->statusUnreadable) {
    WriteStatus(*target, status);
    result = 1;
  }
  Log("QueryServiceStatus(" + label + ") = " + std::to_string(result));
  return result;
}

std::int32_t SimulatedServiceManager::CloseServiceHandle(NativeHandle handle) {
  const std::string label = Label(handle);
  std::int32_t result = 0;
  if (handles_.count(handle) == 0) {
    ADD_FAILURE() << "CloseServiceHandle given " << label << ", not a handle of the manager";
  } else if (windows_.ExpectOpen(handle, "CloseServiceHandle")) {
    handles_.erase(handle);
    windows_.Close(handle);
    result = 1;
  }
  Log("CloseServiceHandle(" + label + ") = " + std::to_string(result));
  return result;
}
