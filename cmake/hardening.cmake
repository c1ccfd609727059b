# Hardening: a build of everything under the sanitizers, the fuzz target over the record loop,
# and the fault tests of the real executable.

option(ZELWAN_SANITIZE "Build everything with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)
option(ZELWAN_FUZZ "Build the libFuzzer target over the record loop (clang only)" OFF)

# The first report ends the process with a failure: nothing recovers and carries on.
set(ZELWAN_SANITIZER_FLAGS
    -fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all -fno-omit-frame-pointer)

if(ZELWAN_SANITIZE OR ZELWAN_FUZZ)
  add_compile_options(${ZELWAN_SANITIZER_FLAGS})
  add_link_options(${ZELWAN_SANITIZER_FLAGS})
endif()

if(ZELWAN_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "ZELWAN_FUZZ needs clang: libFuzzer comes with it")
  endif()
  # Coverage feedback from every library the target drives, not only from the target itself.
  add_compile_options(-fsanitize=fuzzer-no-link)
  add_executable(record_loop_fuzz fuzz/record_loop_fuzz.cpp)
  target_link_libraries(record_loop_fuzz PRIVATE driver)
  target_include_directories(record_loop_fuzz PRIVATE ${PROJECT_SOURCE_DIR}/tests)  # support/doubles.h
  target_link_options(record_loop_fuzz PRIVATE -fsanitize=fuzzer)
endif()

# Not in the Windows build: its tests are those of tests/wine, and these use Linux paths and devices.
if(ZELWAN_TESTS AND NOT CMAKE_CROSSCOMPILING)
  enable_testing()

  # Peak memory is asserted only without the sanitizers, whose shadow memory would swamp it.
  foreach(group IN ITEMS disk_full stream)
    add_test(NAME faults.${group}
             COMMAND bash "${PROJECT_SOURCE_DIR}/tests/faults/run_faults.sh" $<TARGET_FILE:zelwan> ${group}
                     $<IF:$<BOOL:${ZELWAN_SANITIZE}>,sanitized,plain>)
    set_tests_properties(faults.${group} PROPERTIES TIMEOUT 300)  # a FIFO left without its partner
  endforeach()
endif()
