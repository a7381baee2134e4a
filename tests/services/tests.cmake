target_sources(korvane_tests PRIVATE
  services/simulated_service_manager_test.cpp
  services/service_control_test.cpp
  services/status_report_test.cpp
  services/service_commands_test.cpp
  services/deferred_database_start_test.cpp
)
