#include "app/main_window_created.h"

#include "app/shell.h"
#include "app/user_interface.h"
#include "listener/listener_discovery.h"

void MainWindowCreated() {
  SetControlSkin(kToolSkinScheme);
  ShowMessage(kStartupNoticeText, kStartupNoticeFlags, kStartupNoticeCaption);  // the answer does not matter
  DiscoverListener();
}
