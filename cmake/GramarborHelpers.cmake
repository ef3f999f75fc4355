# Small helpers shared by the CMake lists of the subsystems and their tests.

# gramarbor_library(NAME SOURCES... [DEPS libs...])
# A static library of one subsystem; its headers are included as "subsystem/file.h".
function(gramarbor_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# gramarbor_test(NAME LABEL label SOURCES... [DEPS libs...] [ENV vars...] [SLOW pattern])
# A GoogleTest executable whose cases are registered with CTest one by one. The cases
# that match the GoogleTest filter pattern of SLOW are labelled "slow" instead of
# LABEL, so that "ctest -L unit" stays quick. Every case is stopped after twenty
# minutes, so that a search that ignores its cancel token fails instead of hanging.
function(gramarbor_test name)
  cmake_parse_arguments(ARG "" "LABEL;SLOW" "SOURCES;DEPS;ENV" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    GRAMARBOR_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
    GRAMARBOR_EXAMPLES="${PROJECT_SOURCE_DIR}/examples")
  if(NOT ARG_SLOW)
    gtest_discover_tests(${name}
      DISCOVERY_MODE PRE_TEST
      PROPERTIES TIMEOUT 1200 LABELS "${ARG_LABEL}" ENVIRONMENT "${ARG_ENV}")
    return()
  endif()
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST TEST_FILTER "-${ARG_SLOW}"
    PROPERTIES TIMEOUT 1200 LABELS "${ARG_LABEL}" ENVIRONMENT "${ARG_ENV}")
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST TEST_FILTER "${ARG_SLOW}"
    PROPERTIES TIMEOUT 1200 LABELS slow ENVIRONMENT "${ARG_ENV}")
endfunction()

# Adds every direct subfolder of the current folder that holds a CMakeLists.txt.
function(gramarbor_add_subfolders)
  file(GLOB children RELATIVE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/*)
  list(SORT children)
  foreach(child IN LISTS children)
    if(IS_DIRECTORY ${CMAKE_CURRENT_SOURCE_DIR}/${child}
       AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${child}/CMakeLists.txt)
      add_subdirectory(${child})
    endif()
  endforeach()
endfunction()
