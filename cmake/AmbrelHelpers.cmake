# ambrel_add_folder_sources(): add every .cpp of the calling folder (not its
# subfolders) to the ambrel library. New files are picked up on the next build.
function(ambrel_add_folder_sources)
  file(GLOB _sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(_sources)
    target_sources(ambrel PRIVATE ${_sources})
  endif()
endfunction()

# ambrel_add_test_folder(name [LIBS ...]): one GoogleTest executable test_<name>
# from every .cpp of tests/<name>, registered with CTest. The test sources are
# compiled in unity batches in every tree: most of a test file's compile time
# is the GoogleTest headers, read once per batch instead of once per file.
function(ambrel_add_test_folder name)
  cmake_parse_arguments(ARG "" "" "LIBS;PROPERTIES" ${ARGN})
  file(GLOB _sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.cpp)
  if(NOT _sources)
    return()
  endif()
  add_executable(test_${name} ${_sources})
  set_target_properties(test_${name} PROPERTIES UNITY_BUILD ON)
  # In a batch each test file is an included file, where GCC takes a fixture
  # in an anonymous namespace for a header's type.
  target_compile_options(test_${name} PRIVATE $<$<CXX_COMPILER_ID:GNU>:-Wno-subobject-linkage>)
  target_link_libraries(test_${name} PRIVATE ambrel ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_include_directories(test_${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  gtest_discover_tests(test_${name} DISCOVERY_TIMEOUT 60 PROPERTIES ${ARG_PROPERTIES})
endfunction()
