#include "runtime/program_values.h"

#include <cstdlib>

#include "platform/platform.h"

Text listenerServiceName;
Text listenerImagePath;
Text runDirectory;
bool winsockStarted = false;
bool databaseStartOwed = false;
bool listenerStartOwed = false;

namespace {
Platform* installedPlatform = nullptr;
}

Platform& Sys() {
  if (installedPlatform == nullptr) std::abort();  // no platform: a programming error
  return *installedPlatform;
}

void InstallPlatform(Platform* platform) { installedPlatform = platform; }
