# korvane.exe: the shell on the Win32 side.
enable_language(RC)
add_executable(korvane WIN32
  app/main_win.cpp
  app/base_window_win.cpp
  app/timer_window_win.cpp
  app/main_window_win.cpp
  app/win32_user_interface_win.cpp
  app/window_system_win.cpp
  app/control_skin_win.cpp
  app/button_painter_win.cpp
  app/resources/korvane.rc
)
# windres looks for the icon and the manifest in the include folders.
target_include_directories(korvane PRIVATE ${CMAKE_CURRENT_SOURCE_DIR}/app/resources)
set_property(SOURCE app/resources/korvane.rc APPEND PROPERTY OBJECT_DEPENDS
  ${CMAKE_CURRENT_SOURCE_DIR}/app/resources/korvane.ico
  ${CMAKE_CURRENT_SOURCE_DIR}/app/resources/korvane.manifest)
target_link_libraries(korvane PRIVATE korvane_platform_win user32 gdi32 ole32)
korvane_target_options(korvane)
