# Checks that no two source files of one folder of src/ or tools/ give the same name to a helper
# of their own, in an anonymous namespace. The unity build compiles a folder's files together, a
# few units per folder: two such helpers would then meet in one unit, where a call meant for one
# may pick the other's overload, or two that happen to sit in different units today clash as soon
# as a new file moves the units' borders.
#
#   cmake -DSOURCE_DIR=<source tree> -P unity_helpers.cmake
cmake_minimum_required(VERSION 3.25)

if(NOT SOURCE_DIR)
  message(FATAL_ERROR "give the source tree as -DSOURCE_DIR=...")
endif()

# The names `file` declares at the top of its anonymous namespaces. The sources are formatted
# with clang-format, so such a declaration starts in the first column and its namespace ends
# with "}  // namespace".
function(anonymous_names file result)
  file(STRINGS "${file}" lines REGEX "^(namespace \\{|}  // namespace|[A-Za-z].*)$")
  set(inside FALSE)
  set(names "")
  foreach(line IN LISTS lines)
    if(line STREQUAL "namespace {")
      set(inside TRUE)
    elseif(line STREQUAL "}  // namespace")
      set(inside FALSE)
    elseif(NOT inside OR line MATCHES "^(template|using namespace)")
      continue()
    elseif(line MATCHES "^(class|struct|union|enum class|enum|namespace|using) ([A-Za-z_][A-Za-z0-9_]*)")
      list(APPEND names "${CMAKE_MATCH_2}")
    else()
      # A function, a constant or a variable: the last name before its parameters or its value.
      string(REGEX MATCH "^[^(={;[]*" head "${line}")
      if(head MATCHES "([A-Za-z_][A-Za-z0-9_]*)[ \t]*$" AND NOT CMAKE_MATCH_1 STREQUAL "operator")
        list(APPEND names "${CMAKE_MATCH_1}")
      endif()
    endif()
  endforeach()
  list(REMOVE_DUPLICATES names)
  set(${result} ${names} PARENT_SCOPE)
endfunction()

file(GLOB folders LIST_DIRECTORIES true "${SOURCE_DIR}/src/*" "${SOURCE_DIR}/tools")
set(problems "")
set(checked 0)
foreach(folder IN LISTS folders)
  if(NOT IS_DIRECTORY "${folder}")
    continue()
  endif()
  file(GLOB sources RELATIVE "${SOURCE_DIR}" "${folder}/*.cpp")
  set(seen "")
  foreach(source IN LISTS sources)
    math(EXPR checked "${checked} + 1")
    anonymous_names("${SOURCE_DIR}/${source}" names)
    foreach(name IN LISTS names)
      if(name IN_LIST seen)
        list(APPEND problems "${source}: ${name}, as in ${first_with_${name}}")
      else()
        list(APPEND seen "${name}")
        set(first_with_${name} "${source}")
      endif()
    endforeach()
  endforeach()
  foreach(name IN LISTS seen)
    unset(first_with_${name})
  endforeach()
endforeach()

if(problems)
  list(JOIN problems "\n  " listed)
  message(FATAL_ERROR "Helpers of one folder with the same name, which a unity build would "
                      "compile together:\n  ${listed}")
endif()
message(STATUS "${checked} source files: no folder names two helpers alike")
