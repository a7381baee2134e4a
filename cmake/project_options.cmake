# Flags for the project's own targets only; GoogleTest is built without them.
option(KORVANE_WINE_TESTS "Windows build: build the tests that run under Wine" OFF)
option(KORVANE_SANITIZE "Build the Linux tests with AddressSanitizer and UBSan" ON)

function(korvane_target_options target)
  # Sources are UTF-8; every narrow literal must reach Windows as GBK bytes.
  target_compile_options(${target} PRIVATE
    -finput-charset=UTF-8 -fexec-charset=GBK
    -Wall -Wextra -Wpedantic -Werror)
  if(NOT WIN32 AND KORVANE_SANITIZE)
    target_compile_options(${target} PRIVATE -fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=undefined)
    target_link_options(${target} PRIVATE -fsanitize=address,undefined)
  endif()
  if(WIN32)
    target_compile_definitions(${target} PRIVATE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0601)
    target_link_options(${target} PRIVATE -static -static-libgcc -static-libstdc++)
  endif()
endfunction()
