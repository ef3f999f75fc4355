# Small helpers shared by the CMake lists of the subsystems and their tests.

# gramarbor_include_root(TARGET FOLDER [INTERFACE|PUBLIC|PRIVATE])
# Lets TARGET (and, for PUBLIC or INTERFACE, whoever links it) include the headers of
# src/FOLDER as "FOLDER/file.h", and no other folder of src/: the include root is a
# folder of the build tree that holds one link, FOLDER -> src/FOLDER. A library that
# includes a header of a library it does not link therefore fails to compile.
function(gramarbor_include_root target folder)
  set(scope PUBLIC)
  if(ARGC GREATER 2)
    set(scope ${ARGV2})
  endif()
  set(root ${CMAKE_BINARY_DIR}/include/${folder})
  file(MAKE_DIRECTORY ${root})
  file(CREATE_LINK ${GRAMARBOR_SOURCE_ROOT}/src/${folder} ${root}/${folder} SYMBOLIC)
  target_include_directories(${target} ${scope} ${root})
endfunction()

# gramarbor_library(NAME SOURCES... [DEPS libs...])
# A static library of one subsystem, NAME = gramarbor_FOLDER for the folder src/FOLDER.
# Its headers are included as "FOLDER/file.h"; DEPS are the only libraries it may use,
# and the layering check (cmake/check_layering.cmake) holds its includes to them.
function(gramarbor_library name)
  cmake_parse_arguments(ARG "" "" "SOURCES;DEPS" ${ARGN})
  string(REGEX REPLACE "^gramarbor_" "" folder ${name})
  add_library(${name} STATIC ${ARG_SOURCES})
  gramarbor_include_root(${name} ${folder})
  target_link_libraries(${name} PUBLIC ${ARG_DEPS})
  string(REPLACE ";" " " deps "${ARG_DEPS}")
  set_property(GLOBAL APPEND PROPERTY GRAMARBOR_LAYERS "${folder}: ${deps}")
endfunction()

# Writes the declared layers, one line "folder: dep dep ..." each, to FILE for the
# layering check.
function(gramarbor_write_layers file)
  get_property(layers GLOBAL PROPERTY GRAMARBOR_LAYERS)
  set(text "")
  foreach(layer IN LISTS layers)
    string(APPEND text "${layer}\n")
  endforeach()
  file(WRITE ${file} "${text}")
endfunction()

# gramarbor_test(NAME LABEL label SOURCES... [DEPS libs...] [ENV vars...] [SLOW pattern])
# A GoogleTest executable whose cases are registered with CTest one by one. It sees the
# headers of the libraries it links and the shared test helpers under tests/. The cases
# that match the GoogleTest filter pattern of SLOW are labelled "slow" instead of
# LABEL, so that "ctest -L unit" stays quick. Every case is stopped after twenty
# minutes, so that a search that ignores its cancel token fails instead of hanging.
function(gramarbor_test name)
  cmake_parse_arguments(ARG "" "LABEL;SLOW" "SOURCES;DEPS;ENV" ${ARGN})
  add_executable(${name} ${ARG_SOURCES})
  target_link_libraries(${name} PRIVATE ${ARG_DEPS} GTest::gtest GTest::gtest_main GTest::gmock)
  target_include_directories(${name} PRIVATE ${PROJECT_SOURCE_DIR}/tests)
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
