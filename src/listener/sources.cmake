target_sources(korvane_core PRIVATE
  listener/listener_discovery.cpp
  listener/config_files.cpp
  listener/host_rewriting.cpp
  listener/listener_repair.cpp
)
