#include "app/shell.h"

#include <cstdlib>

namespace {
Shell* installedShell = nullptr;
}

Shell& TheShell() {
  if (installedShell == nullptr) std::abort();  // no shell: a programming error
  return *installedShell;
}

void InstallShell(Shell* shell) { installedShell = shell; }

void SetControlSkin(std::int32_t scheme) { TheShell().SetControlSkin(scheme); }
