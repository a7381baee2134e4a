# korvane.exe: the shell on the Win32 side.
add_executable(korvane WIN32
  app/main_win.cpp
)
target_link_libraries(korvane PRIVATE korvane_platform_win)
korvane_target_options(korvane)
