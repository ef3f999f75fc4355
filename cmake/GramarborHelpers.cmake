# Small helpers shared by the CMake lists of the subsystems and their tests.

# gramarbor_library(NAME SOURCES... [DEPS libs...])
# A static library of one subsystem; its headers are included as "subsystem/file.h".
function(gramarbor_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  add_library(${name} STATIC ${ARG_SOURCES})
  target_include_directories(${name} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
endfunction()

# gramarbor_test(NAME LABEL label SOURCES... [DEPS libs...] [ENV vars...])
# A GoogleTest executable whose cases are registered with CTest one by one.
function(gramarbor_test name)
  cmake_parse_arguments(ARG "" "LABEL" "SOURCES;DEPS;ENV" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/src ${PROJECT_SOURCE_DIR}/tests)
  target_compile_definitions(${name} PRIVATE
    GRAMARBOR_TEST_DATA="${PROJECT_SOURCE_DIR}/tests/data"
    GRAMARBOR_EXAMPLES="${PROJECT_SOURCE_DIR}/examples")
  gtest_discover_tests(${name}
    DISCOVERY_MODE PRE_TEST
    PROPERTIES LABELS "${ARG_LABEL}" ENVIRONMENT "${ARG_ENV}")
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
