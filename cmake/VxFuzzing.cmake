# The fuzzing build: every target of the project instrumented for libFuzzer with the address and
# undefined-behaviour sanitizers. Configure a build folder of its own with clang:
#   CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DVX_BUILD_FUZZ=ON
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "VX_BUILD_FUZZ needs clang: configure with CC=clang CXX=clang++")
endif()
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                    -fno-omit-frame-pointer -gline-tables-only)
add_link_options(-fsanitize=address,undefined)
