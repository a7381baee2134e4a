// The three operations through which Korvane talks to the Service Control
// Manager. Each opens its own manager and service handles, issues one
// request and closes every handle it obtained; none reports anything.
// A result of 1 means the request was handed to Windows, not that it took
// effect.
#pragma once

#include <cstdint>

#include "runtime/text.h"

// A service's dwCurrentState (1 stopped ... 7 paused), or 0 when the manager
// or the service cannot be opened or its status cannot be read.
using ServiceState = std::int32_t;

constexpr ServiceState kServiceStopped = 1;
constexpr ServiceState kServiceStartPending = 2;
constexpr ServiceState kServiceStopPending = 3;
constexpr ServiceState kServiceRunning = 4;

constexpr std::int32_t kServiceControlStop = 1;

// 1 when the start request was issued, else 0.
std::int32_t StartServiceByName(TextView name);
// 1 when the control (1, 2, 3 or 5) was issued, else 0.
std::int32_t SendServiceControl(TextView name, std::int32_t control);
ServiceState QueryServiceState(TextView name);
