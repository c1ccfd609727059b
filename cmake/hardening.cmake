# Hardening: a build of everything under the sanitizers.

option(ZELWAN_SANITIZE "Build everything with AddressSanitizer and UndefinedBehaviorSanitizer" OFF)

# The first report ends the process with a failure: nothing recovers and carries on.
set(ZELWAN_SANITIZER_FLAGS
    -fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all -fno-omit-frame-pointer)

if(ZELWAN_SANITIZE)
  add_compile_options(${ZELWAN_SANITIZER_FLAGS})
  add_link_options(${ZELWAN_SANITIZER_FLAGS})
endif()
