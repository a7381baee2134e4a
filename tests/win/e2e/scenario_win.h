// The frame of every end-to-end scenario: the demo machine installed once
// for the program, and before each scenario its configuration files and
// services put back into a known state and a fresh copy of korvane.exe in
// a run folder of the scenario's own (where its backup folder appears).
//
// The program runs on a screen (scripts/wine-gui.sh) with the host name
// NEWPC; the configuration files name the host OLDPC.
#pragma once

#include <gtest/gtest.h>

#include <array>
#include <memory>
#include <string>

#include "demo_machine_win.h"
#include "service_watch_win.h"
#include "tool_run_win.h"

namespace e2e {

extern const char kListenerName[];
extern const char kHostName[];

// The message boxes of the repair.
ExpectedBox QuestionBox();
ExpectedBox BackupDoneBox(const std::string& runFolder);
ExpectedBox BackupFailedBox();
ExpectedBox CreateFailedBox();
ExpectedBox WarningBox();
ExpectedBox WriteFailedBox(const std::string& path);

class Scenario : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Which services run when the scenario begins (the others are stopped),
  // in the order of demo::ServiceIndex. All of them unless a scenario says.
  virtual std::array<bool, 4> InitialServices() const { return {true, true, true, true}; }
  // The fixture files put in place as listener.ora and tnsnames.ora.
  virtual const char* ListenerFixture() const { return "listener_typical.ora"; }
  virtual const char* TnsnamesFixture() const { return "tnsnames_aliases.ora"; }

  // Starts the copy of korvane.exe and opens its MainWindow (fails the
  // scenario if it does not come). Check HasFatalFailure() after it.
  ToolRun& StartTool(const std::string& listenerName = kListenerName);

  // Answers the box (fails the scenario when it cannot).
  void Answer(const gui::MessageBoxView& box, int buttonId);
  // Waits for the tool's next message box and checks it against `expected`.
  gui::MessageBoxView ExpectBox(const ExpectedBox& expected);
  // The same, then answers it with OK.
  void ExpectBoxAndAnswerOk(const ExpectedBox& expected);
  // Fails the scenario when another message box comes within `waitMs`.
  void ExpectNoMoreBoxes(DWORD waitMs = 1500);

  std::string RunFolder() const { return runFolder_; }
  std::string BackupFolder() const;
  // Names of the files in a folder, "." and ".." left out, sorted.
  static std::vector<std::string> FilesIn(const std::string& folder);
  // The bytes of a file in tests/fixtures.
  static std::string Fixture(const std::string& name);
  // Brings every service to running (true) or stopped.
  static void BringServicesTo(const std::array<bool, 4>& running);

  std::string listenerOra_;  // the two files as they were put in place
  std::string tnsnamesOra_;
  std::unique_ptr<ToolRun> tool_;

 private:
  std::string runFolder_;
};

// Waits until the service manager reports `state` for the service; a
// scenario failure when it does not within a minute.
::testing::AssertionResult ReachesState(int which, DWORD state);

// What the service manager saw of one service, as states 1 to 7.
std::vector<int> AsPath(const std::vector<DWORD>& seen);

// Points MSSQLSERVER at the pausable program (the scenario's SetUp points
// it back).
void UsePausableSqlServer();

}  // namespace e2e
