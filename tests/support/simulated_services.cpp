#include "support/simulated_services.h"

#include <gtest/gtest.h>

#include "support/simulated_windows.h"

// Not simulated yet: every call fails the test.
NativeHandle SimulatedServiceManager::OpenSCManagerA(const char*, const char*, std::uint32_t) {
  ADD_FAILURE() << "service manager not simulated";
  return 0;
}
NativeHandle SimulatedServiceManager::OpenServiceA(NativeHandle, const char*, std::uint32_t) {
  ADD_FAILURE() << "service manager not simulated";
  return 0;
}
std::int32_t SimulatedServiceManager::ControlService(NativeHandle, std::uint32_t, ServiceStatusWords*) {
  ADD_FAILURE() << "service manager not simulated";
  return 0;
}
std::int32_t SimulatedServiceManager::CloseServiceHandle(NativeHandle) {
  ADD_FAILURE() << "service manager not simulated";
  return 0;
}
std::int32_t SimulatedServiceManager::StartServiceA(NativeHandle, std::uint32_t, const char**) {
  ADD_FAILURE() << "service manager not simulated";
  return 0;
}
std::int32_t SimulatedServiceManager::QueryServiceStatus(NativeHandle, ServiceStatusWords*) {
  ADD_FAILURE() << "service manager not simulated";
  return 0;
}
