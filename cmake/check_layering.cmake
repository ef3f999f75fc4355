# Checks the includes of every library against the libraries it declares.
#   cmake -DLAYERS=FILE -DSOURCE_DIR=DIR [-DCORE=folder;folder...] -P check_layering.cmake
# LAYERS holds one line "folder: gramarbor_dep Qt6::Gui ..." per library (written by the
# configure step); DIR holds one folder of sources per library. A file of a library may
# include the headers of its own folder and of the libraries it declares; a Qt header
# only when it declares a Qt library, and a core folder (CORE) may declare none. An
# include that climbs out of its folder ("../") is refused too. Prints each fault and
# "N layering faults"; fails when N is not 0.
cmake_minimum_required(VERSION 3.25)

if(NOT LAYERS OR NOT SOURCE_DIR)
  message(FATAL_ERROR "check_layering: LAYERS and SOURCE_DIR are required")
endif()

get_filename_component(SOURCE_DIR ${SOURCE_DIR} ABSOLUTE)
file(STRINGS ${LAYERS} layer_lines)
set(faults 0)

function(report text)
  message("layering: ${text}")
  math(EXPR count "${faults} + 1")
  set(faults ${count} PARENT_SCOPE)
endfunction()

foreach(line IN LISTS layer_lines)
  if(NOT line MATCHES "^([A-Za-z0-9_]+):(.*)$")
    continue()
  endif()
  set(folder ${CMAKE_MATCH_1})
  string(STRIP "${CMAKE_MATCH_2}" deps_text)
  separate_arguments(deps UNIX_COMMAND "${deps_text}")

  set(allowed ${folder})
  set(qt_declared FALSE)
  foreach(dep IN LISTS deps)
    if(dep MATCHES "^gramarbor_(.+)$")
      list(APPEND allowed ${CMAKE_MATCH_1})
    elseif(dep MATCHES "^Qt")
      set(qt_declared TRUE)
    endif()
  endforeach()
  if(qt_declared AND folder IN_LIST CORE)
    report("gramarbor_${folder} is a core library but declares Qt")
  endif()

  file(GLOB_RECURSE files ${SOURCE_DIR}/${folder}/*.h ${SOURCE_DIR}/${folder}/*.cpp)
  foreach(file IN LISTS files)
    file(RELATIVE_PATH shown ${SOURCE_DIR} ${file})
    file(STRINGS ${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(include IN LISTS includes)
      if(NOT include MATCHES "#[ \t]*include[ \t]*[<\"]([^>\"]+)[>\"]")
        continue()
      endif()
      set(header ${CMAKE_MATCH_1})
      if(header MATCHES "^(Q[A-Za-z0-9_]*|Qt[A-Za-z]+/.*|q[a-z0-9_]+\\.h)$")
        if(NOT qt_declared)
          report("${shown} includes the Qt header <${header}>, but gramarbor_${folder} declares no Qt library")
        endif()
      elseif(header MATCHES "(^|/)\\.\\./")
        report("${shown} includes \"${header}\", which climbs out of its folder")
      elseif(header MATCHES "^([^/]+)/")
        set(used ${CMAKE_MATCH_1})
        if(IS_DIRECTORY ${SOURCE_DIR}/${used} AND NOT used IN_LIST allowed)
          report("${shown} includes \"${header}\", but gramarbor_${folder} does not declare gramarbor_${used}")
        endif()
      endif()
    endforeach()
  endforeach()
endforeach()

message("${faults} layering faults")
if(faults GREATER 0)
  message(FATAL_ERROR "the includes break the declared layers")
endif()
