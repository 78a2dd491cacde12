# AMBREL_SANITIZE: a comma-separated list of sanitizers for the whole build
# (every library, plug-in, tool and test), for example "address,undefined" or
# "thread". Undefined behaviour stops the program at its first report instead
# of printing and running on, so a test cannot pass over it.
#
# AMBREL_FUZZ: the libFuzzer targets of fuzz/ as well (clang only), unless told
# otherwise with AddressSanitizer and UndefinedBehaviorSanitizer. The same tree
# builds and runs every test: only the ambrel library carries the fuzzer's
# coverage instrumentation (ambrel_fuzz_coverage), only the fuzz executables
# link the fuzzer's runtime.
option(AMBREL_FUZZ "Build the fuzz targets (clang)" OFF)
set(AMBREL_SANITIZE "" CACHE STRING "Sanitizers to build with (address,undefined | thread)")

if(AMBREL_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "AMBREL_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang")
  endif()
  if(NOT AMBREL_SANITIZE)
    set(AMBREL_SANITIZE "address,undefined")
  endif()
endif()

if(AMBREL_SANITIZE)
  set(_flags -fsanitize=${AMBREL_SANITIZE} -fno-omit-frame-pointer -g)
  if(AMBREL_SANITIZE MATCHES "undefined")
    list(APPEND _flags -fno-sanitize-recover=undefined)
  endif()
  add_compile_options(${_flags})
  add_link_options(-fsanitize=${AMBREL_SANITIZE})
  message(STATUS "Sanitizers: ${AMBREL_SANITIZE}")
endif()

# Clang links its sanitizer runtimes into executables only; a shared object
# takes the runtime's symbols from the executable that loads it, so there the
# modules cannot be linked with --no-undefined (the Release build checks it).
if(AMBREL_SANITIZE AND CMAKE_CXX_COMPILER_ID MATCHES "Clang")
  set(AMBREL_MODULE_NO_UNDEFINED "")
else()
  set(AMBREL_MODULE_NO_UNDEFINED -Wl,--no-undefined)
endif()

# The fuzzer's coverage (comparisons, edges, indirect calls) for what the fuzz
# targets explore.
function(ambrel_fuzz_coverage target)
  if(AMBREL_FUZZ)
    target_compile_options(${target} PRIVATE -fsanitize=fuzzer-no-link)
  endif()
endfunction()
