target_sources(korvane_core PRIVATE
  services/service_control.cpp
  services/status_report.cpp
  services/service_commands.cpp
  services/deferred_database_start.cpp
)
