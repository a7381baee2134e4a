# Tests of the Win32 side, cross-built and run under Wine by CTest's emulator.
add_executable(korvane_win_tests
  win/charset_win_test.cpp
  win/system_operations_win_test.cpp
  win/function_binding_win_test.cpp
)
include(win/services.cmake OPTIONAL)
include(win/files.cmake OPTIONAL)
target_link_libraries(korvane_win_tests PRIVATE korvane_platform_win gtest_main)
korvane_target_options(korvane_win_tests)
target_include_directories(korvane_win_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
add_dependencies(korvane_win_tests korvane)
# One CTest entry per binary: each Wine start costs about a second.
add_test(NAME win_tests COMMAND korvane_win_tests)
set_tests_properties(win_tests PROPERTIES TIMEOUT 600)
include(win/scenarios.cmake OPTIONAL)
add_test(NAME win_host_name COMMAND korvane_win_tests --gtest_filter=*HostName*)
set_tests_properties(win_host_name PROPERTIES ENVIRONMENT "KORVANE_HOSTNAME=KORVANE-HOST-NAME-20;WINEDEBUG=-all")
include(win/e2e.cmake OPTIONAL)
