target_sources(korvane_tests PRIVATE
  listener/listener_discovery_test.cpp
  listener/config_files_test.cpp
  listener/host_rewriting_test.cpp
  listener/listener_repair_test.cpp
  listener/listener_repair_refusal_test.cpp
)
