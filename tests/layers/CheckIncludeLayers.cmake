# Checks the direction of the layers inside the program: a file includes
# headers of its own layer and of the layers below it, never of one above.
#   core (model, storage, platform/core)
#     <- presentation (the Qt Core-only files named in PRESENTATION)
#     <- controls and platform/gui <- lists <- dialogs <- views
# Called with -DSRC=<the source folder> and -DPRESENTATION=<file,file,...>
# (paths below SRC without their suffix).

string(REPLACE "," ";" PRESENTATION "${PRESENTATION}")

set(widget_layers "platform/gui/" "controls/" "lists/" "dialogs/" "views/")

# What each folder may not include.
set(forbidden_model ${widget_layers})
set(forbidden_storage ${widget_layers})
set(forbidden_platform_core ${widget_layers})
set(forbidden_platform_gui "lists/" "dialogs/" "views/")
set(forbidden_controls "lists/" "dialogs/" "views/")
set(forbidden_lists "dialogs/" "views/")
set(forbidden_dialogs "views/")
set(forbidden_views "")

# Whether header lies in one of the layers that follow.
function(in_layers header result)
  set(found FALSE)
  foreach(layer IN LISTS ARGN)
    string(FIND "${header}" "${layer}" at)
    if(at EQUAL 0)
      set(found TRUE)
    endif()
  endforeach()
  set(${result} ${found} PARENT_SCOPE)
endfunction()

set(violations "")
foreach(folder model storage platform/core platform/gui controls lists dialogs views)
  string(REPLACE "/" "_" key "${folder}")
  file(GLOB files "${SRC}/${folder}/*.h" "${SRC}/${folder}/*.cpp")
  foreach(file IN LISTS files)
    file(RELATIVE_PATH relative "${SRC}" "${file}")
    string(REGEX REPLACE "\\.(h|cpp)$" "" stem "${relative}")
    list(FIND PRESENTATION "${stem}" presentation)
    file(STRINGS "${file}" includes REGEX "^[ \t]*#[ \t]*include[ \t]+\"")
    foreach(line IN LISTS includes)
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]+\"([^\"]+)\".*" "\\1" header "${line}")
      string(REGEX REPLACE "\\.h$" "" header_stem "${header}")
      set(bad FALSE)
      if(presentation GREATER -1)
        # The presentation needs only Qt Core: the core and itself.
        list(FIND PRESENTATION "${header_stem}" own)
        if(own EQUAL -1)
          in_layers("${header}" bad ${widget_layers})
        endif()
      else()
        in_layers("${header}" bad ${forbidden_${key}})
      endif()
      if(bad)
        list(APPEND violations "${relative} includes ${header}")
      endif()
    endforeach()
  endforeach()
endforeach()

if(violations)
  list(JOIN violations "\n  " text)
  message(FATAL_ERROR "includes against the direction of the layers:\n  ${text}")
endif()
message(STATUS "every include follows the layers")
