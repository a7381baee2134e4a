// The service manager of the simulated Windows.
#pragma once

#include <cstdint>
#include <map>
#include <string>

#include "platform/platform.h"

class SimulatedWindows;

class SimulatedServiceManager {
 public:
  explicit SimulatedServiceManager(SimulatedWindows& windows) : windows_(windows) {}

  NativeHandle OpenSCManagerA(const char* machine, const char* database, std::uint32_t access);
  NativeHandle OpenServiceA(NativeHandle manager, const char* name, std::uint32_t access);
  std::int32_t ControlService(NativeHandle service, std::uint32_t control, ServiceStatusWords* status);
  std::int32_t CloseServiceHandle(NativeHandle handle);
  std::int32_t StartServiceA(NativeHandle service, std::uint32_t argumentCount, const char** arguments);
  std::int32_t QueryServiceStatus(NativeHandle service, ServiceStatusWords* status);

 private:
  SimulatedWindows& windows_;
};
