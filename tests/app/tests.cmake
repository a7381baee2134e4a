target_sources(korvane_tests PRIVATE
  app/event_binding_test.cpp
  app/exit_handlers_test.cpp
  app/main_window_created_test.cpp
  app/program_test.cpp
  app/skin_rules_test.cpp
  app/window_layout_test.cpp
)
