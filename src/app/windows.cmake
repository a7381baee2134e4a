# The shell on the Win32 side: a library (so that its tests under Wine can
# use it) and korvane.exe with the resources.
enable_language(RC)
add_library(korvane_shell_win STATIC
  app/base_window_win.cpp
  app/timer_window_win.cpp
  app/main_window_win.cpp
  app/win32_user_interface_win.cpp
  app/window_system_win.cpp
  app/control_skin_win.cpp
  app/button_painter_win.cpp
)
target_link_libraries(korvane_shell_win PUBLIC korvane_platform_win user32 gdi32 ole32)
korvane_target_options(korvane_shell_win)

add_executable(korvane WIN32
  app/main_win.cpp
  app/resources/korvane.rc
)
# windres looks for the icon and the manifest in the include folders.
target_include_directories(korvane PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/app/resources)
set_property(SOURCE app/resources/korvane.rc APPEND PROPERTY OBJECT_DEPENDS
  ${CMAKE_CURRENT_SOURCE_DIR}/app/resources/korvane.ico
  ${CMAKE_CURRENT_SOURCE_DIR}/app/resources/korvane.manifest)
target_link_libraries(korvane PRIVATE korvane_shell_win)
korvane_target_options(korvane)
