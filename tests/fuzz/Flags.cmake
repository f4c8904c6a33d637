# Compiler flags of the fuzz build, for every target of it (included before the libraries).
if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  message(FATAL_ERROR "KIBORU_FUZZ needs clang: -DCMAKE_CXX_COMPILER=clang++")
endif()
if(KIBORU_SANITIZE)
  message(FATAL_ERROR "KIBORU_FUZZ brings its own sanitizers: leave KIBORU_SANITIZE off")
endif()
# -O1 and line tables only: the build stays quick, the reports still name file and line.
add_compile_options(-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined
                    -fno-omit-frame-pointer -O2 -gline-tables-only)
add_link_options(-fsanitize=address,undefined)
