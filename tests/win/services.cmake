# The service program that the Wine tests install under the four names.
add_executable(korvane_test_service win/tools/test_service.cpp)
korvane_target_options(korvane_test_service)

target_sources(korvane_win_tests PRIVATE
  win/services_win_test.cpp
  support/recording_ui.cpp
)
target_compile_definitions(korvane_win_tests PRIVATE
  KORVANE_TEST_SERVICE="$<TARGET_FILE:korvane_test_service>")
add_dependencies(korvane_win_tests korvane_test_service)

# The status refresh benchmark (scripts/bench_status.sh): not a test.
add_executable(korvane_status_bench win/tools/status_bench.cpp)
target_link_libraries(korvane_status_bench PRIVATE korvane_platform_win user32)
korvane_target_options(korvane_status_bench)
