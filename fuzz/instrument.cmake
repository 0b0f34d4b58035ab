# Included by the top-level CMakeLists.txt before the core is added when
# VARNOTH_FUZZ is on: the whole core is then built with libFuzzer's coverage
# instrumentation, AddressSanitizer and UndefinedBehaviorSanitizer, so that
# the fuzz target sees into it and any fault stops the run.
if(CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                      -fno-omit-frame-pointer)
  add_link_options(-fsanitize=address,undefined)
  set(VARNOTH_FUZZ_READY ON)
else()
  message(WARNING "VARNOTH_FUZZ needs clang (configure with -DCMAKE_CXX_COMPILER=clang++); "
                  "the fuzz target is not built")
  set(VARNOTH_FUZZ_READY OFF)
endif()
