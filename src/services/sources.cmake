target_sources(korvane_core PRIVATE
  services/service_control.cpp
)
