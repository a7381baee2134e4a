target_sources(korvane_core PRIVATE
  app/shell.cpp
  app/event_binding.cpp
  app/exit_handlers.cpp
  app/main_window_created.cpp
  app/program.cpp
  app/window_layout.cpp
  app/skin_rules.cpp
)
