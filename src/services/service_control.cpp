#include "services/service_control.h"

#include "runtime/function_binding.h"

namespace {

constexpr std::uint32_t kManagerAllAccess = 0xF003F;
constexpr std::uint32_t kServiceAllAccess = 0xF01FF;

bool IsAcceptedControl(std::int32_t control) {
  return control == 1 || control == 2 || control == 3 || control == 5;
}

// The manager and the service, opened one right after the other: with a
// null manager the service open simply fails.
struct OpenedService {
  NativeHandle manager;
  NativeHandle service;
};

OpenedService OpenForFullAccess(TextView name) {
  const Text serviceName(name);
  const NativeHandle manager = BoundOpenSCManagerA(nullptr, nullptr, kManagerAllAccess);
  const NativeHandle service = BoundOpenServiceA(manager, serviceName.c_str(), kServiceAllAccess);
  return {manager, service};
}

void CloseBoth(const OpenedService& opened) {
  if (opened.service != 0) BoundCloseServiceHandle(opened.service);
  BoundCloseServiceHandle(opened.manager);
}

}  // namespace

std::int32_t StartServiceByName(TextView name) {
  const OpenedService opened = OpenForFullAccess(name);
  if (opened.manager == 0) return 0;
  if (opened.service == 0) {
    CloseBoth(opened);
    return 0;
  }
  BoundStartServiceA(opened.service, 0, nullptr);
  CloseBoth(opened);
  return 1;
}

std::int32_t SendServiceControl(TextView name, std::int32_t control) {
  const OpenedService opened = OpenForFullAccess(name);
  if (opened.manager == 0) return 0;
  if (!IsAcceptedControl(control) || opened.service == 0) {
    CloseBoth(opened);
    return 0;
  }
  ServiceStatusWords status{};
  BoundControlService(opened.service, static_cast<std::uint32_t>(control), &status);
  CloseBoth(opened);
  return 1;
}

ServiceState QueryServiceState(TextView name) {
  const OpenedService opened = OpenForFullAccess(name);
  if (opened.manager == 0) return 0;
  if (opened.service == 0) {
    CloseBoth(opened);
    return 0;
  }
  ServiceStatusWords status{};
  BoundQueryServiceStatus(opened.service, &status);
  CloseBoth(opened);
  return static_cast<ServiceState>(status[kCurrentStateWord]);
}
