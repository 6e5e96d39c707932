# Checks the direction of every include between the program's folders, so that no folder comes
# to lean on one above it and no two folders on each other. Every library exports all of src/,
# so the compiler would accept any include: this check is what keeps the layers apart.
#
#   cmake -DSOURCE_DIR=<source tree> -P include_directions.cmake
cmake_minimum_required(VERSION 3.25)

# Each folder of src/ and the folders its files may include besides their own; "src" stands for
# the files directly in src/ (main.cpp). A folder may only name folders listed before it, which
# keeps the table itself free of circles. Adding a direction is a change to this table, made on
# purpose.
set(allowed_includes
  "model:"
  "files:model"
  "link:model"
  "sheet:model files"
  "commands:model files link"
  "window:model files link sheet commands"
  "cli:model files link sheet commands"
  "src:window cli commands"
)

if(NOT SOURCE_DIR)
  message(FATAL_ERROR "give the source tree as -DSOURCE_DIR=...")
endif()

set(folders "")
set(problems "")
foreach(row IN LISTS allowed_includes)
  string(REGEX MATCH "^([a-z]+):(.*)$" matched "${row}")
  set(folder "${CMAKE_MATCH_1}")
  string(REPLACE " " ";" neighbours "${CMAKE_MATCH_2}")
  foreach(neighbour IN LISTS neighbours)
    if(NOT neighbour IN_LIST folders)
      list(APPEND problems "the table lets ${folder} include ${neighbour}, which is not below it")
    endif()
  endforeach()
  set(neighbours_of_${folder} ${neighbours})
  list(APPEND folders ${folder})
endforeach()

# The quoted includes of `file`, one per list element, without the quotes.
function(quoted_includes file result)
  file(STRINGS "${file}" lines REGEX "^[ \t]*#[ \t]*include[ \t]*\"")
  set(names "")
  foreach(line IN LISTS lines)
    string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*\"([^\"]*)\".*$" "\\1" name "${line}")
    list(APPEND names "${name}")
  endforeach()
  set(${result} ${names} PARENT_SCOPE)
endfunction()

file(GLOB_RECURSE sources RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/src/*.h" "${SOURCE_DIR}/src/*.cpp")
foreach(source IN LISTS sources)
  if(source MATCHES "^src/([^/]+)/")
    set(folder "${CMAKE_MATCH_1}")
  else()
    set(folder src)
  endif()
  if(NOT folder IN_LIST folders)
    list(APPEND problems "${source}: src/${folder} is not in the table")
    continue()
  endif()
  quoted_includes("${SOURCE_DIR}/${source}" names)
  foreach(name IN LISTS names)
    if(NOT name MATCHES "^([a-z_]+)/")
      list(APPEND problems "${source}: \"${name}\" names no folder")
    elseif(NOT CMAKE_MATCH_1 STREQUAL folder AND NOT CMAKE_MATCH_1 IN_LIST neighbours_of_${folder})
      list(APPEND problems "${source}: ${folder} may not include \"${name}\"")
    endif()
  endforeach()
endforeach()

# The simulator stands for the panel: it shares no code with the program, so that a fault in the
# program's frames or codes cannot hide behind the same fault in the simulator.
file(GLOB_RECURSE tools RELATIVE "${SOURCE_DIR}" "${SOURCE_DIR}/tools/*.h" "${SOURCE_DIR}/tools/*.cpp")
foreach(source IN LISTS tools)
  quoted_includes("${SOURCE_DIR}/${source}" names)
  foreach(name IN LISTS names)
    if(NOT EXISTS "${SOURCE_DIR}/tools/${name}")
      list(APPEND problems "${source}: tools may include only their own files, not \"${name}\"")
    endif()
  endforeach()
endforeach()

list(LENGTH sources checked)
if(problems)
  list(JOIN problems "\n  " listed)
  message(FATAL_ERROR "Includes against the direction of the folders:\n  ${listed}")
endif()
message(STATUS "${checked} files under src/ include only in the allowed directions")
