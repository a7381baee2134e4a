# The real korvane.exe driven from a second program under Wine, on a
# throw-away X display (scripts/wine-gui.sh).
add_library(korvane_gui_driver STATIC win/gui/driver_win.cpp)
target_include_directories(korvane_gui_driver PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/win/gui)
korvane_target_options(korvane_gui_driver)

add_executable(korvane_gui_scenarios win/gui/startup_scenario_test.cpp)
target_link_libraries(korvane_gui_scenarios PRIVATE korvane_gui_driver gtest_main)
korvane_target_options(korvane_gui_scenarios)
target_compile_definitions(korvane_gui_scenarios PRIVATE KORVANE_EXE_PATH="$<TARGET_FILE:korvane>")
add_dependencies(korvane_gui_scenarios korvane)

# Run by the script, not by CTest's emulator: the script brings the display.
add_test(NAME gui_startup
  COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/wine-gui.sh $<TARGET_FILE:korvane_gui_scenarios>)
set_tests_properties(gui_startup PROPERTIES TIMEOUT 1200
  ENVIRONMENT "KORVANE_SCREENSHOT_DIR=${CMAKE_BINARY_DIR}/screenshots")

# The shell's Win32 pieces in the test's own process; they need a display too.
add_executable(korvane_shell_win_tests win/gui/shell_win_test.cpp)
target_link_libraries(korvane_shell_win_tests PRIVATE korvane_shell_win gtest_main)
korvane_target_options(korvane_shell_win_tests)
add_test(NAME gui_shell
  COMMAND bash ${PROJECT_SOURCE_DIR}/scripts/wine-gui.sh $<TARGET_FILE:korvane_shell_win_tests>)
set_tests_properties(gui_shell PROPERTIES TIMEOUT 600)
