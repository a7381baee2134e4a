# End to end: the real korvane.exe on a prepared demo machine under Wine,
# the demo machine itself (scripts/demo-machine.sh) and the benchmark's
# programs (scripts/bench.sh).

# The service programs of the demo machine, beside the test service.
add_executable(korvane_e2e_listener win/e2e/listener_stand_in.cpp win/e2e/listener_stand_in_service.cpp)
target_include_directories(korvane_e2e_listener PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
korvane_target_options(korvane_e2e_listener)
add_executable(korvane_e2e_pausable win/e2e/pausable_service.cpp)
korvane_target_options(korvane_e2e_pausable)

add_library(korvane_demo_machine_lib STATIC win/e2e/demo_machine_win.cpp)
target_include_directories(korvane_demo_machine_lib PUBLIC ${CMAKE_CURRENT_SOURCE_DIR}/win/e2e)
target_link_libraries(korvane_demo_machine_lib PUBLIC advapi32)
korvane_target_options(korvane_demo_machine_lib)

add_executable(korvane_demo_machine win/e2e/demo_machine_main.cpp)
target_link_libraries(korvane_demo_machine PRIVATE korvane_demo_machine_lib)
korvane_target_options(korvane_demo_machine)
add_dependencies(korvane_demo_machine korvane_test_service korvane_e2e_listener korvane_e2e_pausable korvane)

# The benchmark's bare window and its start-up probe (not tests).
add_executable(korvane_bare_window WIN32 win/e2e/bare_window.cpp)
target_link_libraries(korvane_bare_window PRIVATE advapi32 user32)
korvane_target_options(korvane_bare_window)
add_executable(korvane_bench_probe win/e2e/bench_probe.cpp)
target_link_libraries(korvane_bench_probe PRIVATE user32)
korvane_target_options(korvane_bench_probe)

# The scenarios: the real korvane.exe on the demo machine, worked from a
# second program as the administrator works it.
add_library(korvane_e2e_support STATIC
  win/e2e/status_text.cpp
  win/e2e/service_watch_win.cpp
  win/e2e/tool_run_win.cpp
)
target_link_libraries(korvane_e2e_support PUBLIC korvane_demo_machine_lib korvane_gui_driver)
korvane_target_options(korvane_e2e_support)

add_executable(korvane_e2e_scenarios
  win/e2e/scenario_win.cpp
  win/e2e/buttons_scenario_win_test.cpp
  win/e2e/repair_scenario_win_test.cpp
  win/e2e/repair_failure_scenario_win_test.cpp
)
target_link_libraries(korvane_e2e_scenarios PRIVATE korvane_e2e_support gtest_main ws2_32)
korvane_target_options(korvane_e2e_scenarios)
target_compile_definitions(korvane_e2e_scenarios PRIVATE
  KORVANE_EXE_PATH="$<TARGET_FILE:korvane>"
  KORVANE_TEST_SERVICE="$<TARGET_FILE:korvane_test_service>"
  KORVANE_E2E_LISTENER="$<TARGET_FILE:korvane_e2e_listener>"
  KORVANE_E2E_PAUSABLE="$<TARGET_FILE:korvane_e2e_pausable>"
  KORVANE_FIXTURES="${CMAKE_CURRENT_SOURCE_DIR}/fixtures")
add_dependencies(korvane_e2e_scenarios korvane korvane_test_service korvane_e2e_listener korvane_e2e_pausable)

# On a screen (scripts/wine-gui.sh), on a computer now called NEWPC: the
# whole run gets a host name of its own (UTS namespace).
add_test(NAME e2e_scenarios
  COMMAND unshare --uts bash -c "hostname NEWPC && exec bash \"$0\" \"$1\""
          ${PROJECT_SOURCE_DIR}/scripts/wine-gui.sh $<TARGET_FILE:korvane_e2e_scenarios>)
set_tests_properties(e2e_scenarios PROPERTIES TIMEOUT 1500
  ENVIRONMENT "KORVANE_SCREENSHOT_DIR=${CMAKE_BINARY_DIR}/screenshots")

# One repair driven on the demo machine, for scripts/demo.sh without a screen.
add_executable(korvane_demo_drive win/e2e/demo_drive_main.cpp)
target_link_libraries(korvane_demo_drive PRIVATE korvane_e2e_support)
korvane_target_options(korvane_demo_drive)
add_dependencies(korvane_demo_drive korvane_demo_machine)
