# The settings every target of ours is built with, given to each by zelwan_target_options(): the
# warnings, Debian's hardening and, when asked for, the sanitizers or the fuzzer's coverage. Not
# global: GoogleTest, built from source in the cross builds, keeps its own.

option(ZELWAN_SANITIZE "Build everything with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(ZELWAN_FUZZ "Build the libFuzzer target over the record loop (clang only)" OFF)
if(ZELWAN_FUZZ AND NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "ZELWAN_FUZZ needs clang: libFuzzer comes with it")
endif()

# The first report ends the process with a failure: nothing recovers and carries on.
set(ZELWAN_SANITIZER_FLAGS
    -fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all -fno-omit-frame-pointer)

function(zelwan_target_options target)
  if(MSVC)
    target_compile_options(${target} PRIVATE /W4 $<$<BOOL:${ZELWAN_WERROR}>:/WX>)
  else()
    target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic $<$<BOOL:${ZELWAN_WERROR}>:-Werror>)
  endif()
  # As Debian builds its packages: fortified libc calls, a read-only GOT, no compiler banner in the
  # objects (the same bytes from every build of a commit).
  if(CMAKE_SYSTEM_NAME STREQUAL "Linux" AND NOT EMSCRIPTEN)
    target_compile_options(${target} PRIVATE -fno-ident $<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>)
    target_link_options(${target} PRIVATE -Wl,-z,relro,-z,now)
  endif()
  if(ZELWAN_SANITIZE OR ZELWAN_FUZZ)
    target_compile_options(${target} PRIVATE ${ZELWAN_SANITIZER_FLAGS})
    target_link_options(${target} PRIVATE ${ZELWAN_SANITIZER_FLAGS})
  endif()
  if(ZELWAN_FUZZ)  # coverage feedback from every library the fuzz target drives, not only its own
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link)
  endif()
endfunction()
