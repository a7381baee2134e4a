target_sources(korvane_win_tests PRIVATE
  win/config_files_win_test.cpp
)
