# Installs the build into PREFIX and checks that every file of a desktop installation
# is there: both programs, the desktop entry naming them, the icon and the examples.
file(REMOVE_RECURSE ${PREFIX})
execute_process(COMMAND ${CMAKE_COMMAND} --install ${BUILD_DIR} --prefix ${PREFIX}
                RESULT_VARIABLE result OUTPUT_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "cmake --install failed: ${result}")
endif()
set(expected
    bin/gramarbor
    bin/gramarbor-cli
    share/applications/gramarbor.desktop
    share/icons/hicolor/scalable/apps/gramarbor.svg)
file(GLOB examples RELATIVE ${EXAMPLES} ${EXAMPLES}/*.cfg)
if(NOT examples)
  message(FATAL_ERROR "no example grammars in ${EXAMPLES}")
endif()
foreach(example IN LISTS examples)
  list(APPEND expected share/gramarbor/examples/${example})
endforeach()
foreach(path IN LISTS expected)
  if(NOT EXISTS ${PREFIX}/${path})
    message(FATAL_ERROR "missing after install: ${path}")
  endif()
endforeach()
# The installed command-line tool runs from its new place.
execute_process(COMMAND ${PREFIX}/bin/gramarbor-cli check ${PREFIX}/share/gramarbor/examples/quickstart.cfg
                RESULT_VARIABLE result OUTPUT_QUIET ERROR_QUIET)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "installed gramarbor-cli check failed: ${result}")
endif()
file(STRINGS ${PREFIX}/share/applications/gramarbor.desktop entry)
list(FIND entry "Exec=gramarbor" execAt)
list(FIND entry "Icon=gramarbor" iconAt)
if(execAt LESS 0 OR iconAt LESS 0)
  message(FATAL_ERROR "the desktop entry does not start gramarbor with its icon")
endif()
file(REMOVE_RECURSE ${PREFIX})
