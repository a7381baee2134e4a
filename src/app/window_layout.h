// The fixed layout of MainWindow: its outer size and place, and its
// controls in stacking order, the topmost first. The controls are created
// from the last row to the first and then restacked into this order.
#pragma once

#include <array>
#include <cstdint>
#include <optional>

#include "app/event_binding.h"

constexpr std::int32_t kMainWindowWidth = 713;  // outer size, frame included
constexpr std::int32_t kMainWindowHeight = 200;
constexpr const char* kMainWindowTitle = "Korvane";

enum class ControlKind { Timer, PushButton, EditBox };

struct ControlLayout {
  const char* name;  // the control's name in the tool: 按钮1, 编辑框1, 时钟1 ...
  ControlKind kind;
  std::int32_t x, y, width, height;  // in MainWindow's client area
  const char* caption;               // buttons only
  std::optional<ShellEvent> event;   // clicked or tick; none for the edit box
  std::int32_t id;                   // the child window id
};

constexpr std::int32_t kStatusBoxId = 106;

// 时钟2 first (topmost), 时钟1 last. The timers are invisible: their places
// and sizes are kept only because they are the controls' own.
constexpr std::array<ControlLayout, 8> kControlLayout = {{
    {"时钟2", ControlKind::Timer, 8, 8, 24, 16, "", ShellEvent::Clock2Tick, 108},
    {"按钮5", ControlKind::PushButton, 528, 8, 160, 48, "修复监听 启动Oracle服务", ShellEvent::Button5Clicked, 105},
    {"按钮4", ControlKind::PushButton, 398, 8, 112, 48, "停止Oracle服务", ShellEvent::Button4Clicked, 104},
    {"按钮3", ControlKind::PushButton, 138, 8, 112, 48, "停止SQL服务", ShellEvent::Button3Clicked, 103},
    {"按钮1", ControlKind::PushButton, 8, 8, 112, 48, "启动SQL服务", ShellEvent::Button1Clicked, 101},
    {"编辑框1", ControlKind::EditBox, -8, 60, 696, 112, "", std::nullopt, kStatusBoxId},
    {"按钮2", ControlKind::PushButton, 268, 8, 112, 48, "启动Oracle服务", ShellEvent::Button2Clicked, 102},
    {"时钟1", ControlKind::Timer, 0, 25, 24, 16, "", ShellEvent::Clock1Tick, 107},
}};

// The starting periods of the timers in milliseconds: 时钟1 runs, 时钟2 waits.
constexpr std::int32_t kClock1Period = 100;
constexpr std::int32_t kClock2Period = 0;

struct WindowOrigin {
  std::int32_t left;
  std::int32_t top;
};

// Where MainWindow goes on a primary screen of that size: centred, with the
// division truncating toward zero (also when the screen is smaller).
WindowOrigin CentredOrigin(std::int32_t screenWidth, std::int32_t screenHeight);
