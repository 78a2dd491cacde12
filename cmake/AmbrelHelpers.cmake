# ambrel_add_folder_sources(): add every .cpp of the calling folder (not its
# subfolders) to the ambrel library. New files are picked up on the next build.
function(ambrel_add_folder_sources)
  file(GLOB _sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*.cpp)
  if(_sources)
    target_sources(ambrel PRIVATE ${_sources})
  endif()
endfunction()

# ambrel_add_test_folder(name [LIBS ...]): one GoogleTest executable test_<name>
# from every .cpp of tests/<name>, registered with CTest.
function(ambrel_add_test_folder name)
  cmake_parse_arguments(ARG "" "" "LIBS;PROPERTIES" ${ARGN})
  file(GLOB _sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/${name}/*.cpp)
  if(NOT _sources)
    return()
  endif()
  add_executable(test_${name} ${_sources})
  target_link_libraries(test_${name} PRIVATE ambrel ${ARG_LIBS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_include_directories(test_${name} PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
  gtest_discover_tests(test_${name} DISCOVERY_TIMEOUT 60 PROPERTIES ${ARG_PROPERTIES})
endfunction()
