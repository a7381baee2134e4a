// What the shell does for its own created handler beyond the five
// user-interface operations: the control skin.
//
// The Win32 shell paints the controls itself; a test puts a recording double
// behind this interface so that MainWindowCreated runs without a window.
#pragma once

#include <cstdint>

class Shell {
 public:
  virtual ~Shell() = default;
  // Removes an installed skin, then gives the controls of the GUI thread
  // (and those created later) the look of scheme 1, 2 or 3; any other
  // scheme only removes it.
  virtual void SetControlSkin(std::int32_t scheme) = 0;
};

// The shell installed at start (or by a test); using it before is a
// programming error.
Shell& TheShell();
void InstallShell(Shell* shell);

// The scheme the tool uses.
constexpr std::int32_t kToolSkinScheme = 3;

void SetControlSkin(std::int32_t scheme);
