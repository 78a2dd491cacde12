# AMBREL_SANITIZE: a comma-separated list of sanitizers for the whole build
# (every library, plug-in, tool and test), for example "address,undefined" or
# "thread". Undefined behaviour stops the program at its first report instead
# of printing and running on, so a test cannot pass over it.
#
# AMBREL_FUZZ: the libFuzzer targets of fuzz/ (clang only). Everything is then
# compiled with coverage for the fuzzer and, unless told otherwise, with
# AddressSanitizer and UndefinedBehaviorSanitizer.
option(AMBREL_FUZZ "Build the fuzz targets (clang)" OFF)
set(AMBREL_SANITIZE "" CACHE STRING "Sanitizers to build with (address,undefined | thread)")

if(AMBREL_FUZZ)
  if(NOT CMAKE_CXX_COMPILER_ID MATCHES "Clang")
    message(FATAL_ERROR "AMBREL_FUZZ needs clang: configure with -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_C_COMPILER=clang")
  endif()
  if(NOT AMBREL_SANITIZE)
    set(AMBREL_SANITIZE "address,undefined")
  endif()
  add_compile_options(-fsanitize=fuzzer-no-link)
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
