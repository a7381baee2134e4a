# GoogleTest from the machine's source copy (Debian package googletest), built
# for whichever toolchain this tree uses. Nothing is downloaded.
set(KORVANE_GTEST_SOURCE /usr/src/googletest CACHE PATH "GoogleTest source tree")
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
set(gtest_force_shared_crt ON CACHE BOOL "" FORCE)
add_subdirectory(${KORVANE_GTEST_SOURCE} ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)
if(WIN32)
  target_link_options(gtest PUBLIC -static -static-libgcc -static-libstdc++)
endif()
if(NOT WIN32 AND KORVANE_SANITIZE)
  # gtest shares the test executables' standard library, so it takes the same instrumentation.
  target_compile_options(gtest PRIVATE -fsanitize=address,undefined)
  target_compile_options(gtest_main PRIVATE -fsanitize=address,undefined)
endif()
