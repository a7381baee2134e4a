#include "app/program.h"

#include "app/event_binding.h"
#include "app/exit_handlers.h"
#include "runtime/fatal_error.h"
#include "runtime/system_operations.h"

std::int32_t RunProgram(WindowSystem& windows) {
  SetUpProcess();
  windows.InitializeOle();
  RegisterExitHandler(ReleaseListenerTexts);
  BindProgramHandlers();

  RaiseLoadingGuard();
  if (!windows.LoadMainWindow()) FatalRuntimeError(0, kWindowLoadFailedMessage);
  LowerLoadingGuard();
  DeliverEvent(ShellEvent::MainWindowCreated);

  // A window gone before the loop starts would leave an invisible process
  // waiting for a WM_QUIT that nothing posts.
  if (windows.MainWindowExists()) {
    windows.ShowMainWindow();
    windows.RunMessageLoop();
  }

  RaiseLoadingGuard();
  RunExitHandlers();
  ReleaseSystemResources();
  windows.UninitializeOle();
  return 0;
}
