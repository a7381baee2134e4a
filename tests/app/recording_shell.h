// Test doubles of the shell's own interfaces: the skin and the window.
//
// Both write into one shared log, so that a test sees the order of
// everything the run did, interleaved with what the handlers did.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "app/program.h"
#include "app/shell.h"

class RecordingShell : public Shell {
 public:
  explicit RecordingShell(std::vector<std::string>& log) : log_(log) { InstallShell(this); }
  ~RecordingShell() override { InstallShell(nullptr); }
  void SetControlSkin(std::int32_t scheme) override { log_.push_back("skin " + std::to_string(scheme)); }

 private:
  std::vector<std::string>& log_;
};

// A window that exists only as log lines. Each step can run a check while
// it happens (`onLoad`, `onLoop`, ...); the loop itself runs `onLoop` and
// returns as if WM_QUIT had come.
class FakeWindowSystem : public WindowSystem {
 public:
  explicit FakeWindowSystem(std::vector<std::string>& log) : log_(log) {}

  bool loadSucceeds = true;
  bool windowExists = true;
  std::function<void()> onOleInit, onLoad, onShow, onLoop, onOleUninit;

  void InitializeOle() override { Step("ole init", onOleInit); }
  bool LoadMainWindow() override {
    Step("load", onLoad);
    return loadSucceeds;
  }
  bool MainWindowExists() override { return windowExists; }
  void ShowMainWindow() override { Step("show", onShow); }
  void RunMessageLoop() override { Step("loop", onLoop); }
  void UninitializeOle() override { Step("ole uninit", onOleUninit); }

 private:
  void Step(const char* name, const std::function<void()>& check) {
    log_.push_back(name);
    if (check) check();
  }
  std::vector<std::string>& log_;
};
