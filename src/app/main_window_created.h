// The created handler of MainWindow: it runs once, when the window and all
// its controls exist but before the window is shown.
#pragma once

// The start-up notice that tells the user the tool needs administrator
// rights to see the services.
constexpr const char* kStartupNoticeText = "如安装了SQL 或 Oracle \r\n但服务都是无服务状态\r\n请退出软件用管理员权限运行";
constexpr const char* kStartupNoticeCaption = "提示";
constexpr int kStartupNoticeFlags = 64;  // OK button, information icon

// Turns on the control skin, shows the start-up notice (modal: the timers
// keep ticking while it is open) and then finds the listener service.
void MainWindowCreated();
