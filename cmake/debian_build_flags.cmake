# The flags Debian builds its packages with (dpkg-buildflags, every hardening feature on): the
# stack protector and stack clash protection, fortified library functions, relocations
# read-only and bound at start, control flow protection and a position-independent program.
# Both build trees, build/ and build-package/, take them from here and so compile the program
# with the same flags: the package's compile then comes from the compiler cache. Optimization and
# debugging information stay the build type's. A Debug build goes without: fortified functions
# need an optimizing compile.
find_program(KVT_DPKG_BUILDFLAGS dpkg-buildflags)
if(NOT KVT_DPKG_BUILDFLAGS OR CMAKE_BUILD_TYPE STREQUAL "Debug")
  return()
endif()

# The flags of `kind` (CPPFLAGS, CXXFLAGS, LDFLAGS) as a list, without -g and -O.
function(kvt_debian_flags kind result)
  # Run from the source folder, so that the path the compiled files are named by is the same
  # from either tree.
  execute_process(
    COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
            ${KVT_DPKG_BUILDFLAGS} --get ${kind}
    WORKING_DIRECTORY ${CMAKE_SOURCE_DIR}
    OUTPUT_VARIABLE flags
    OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
  separate_arguments(flags UNIX_COMMAND "${flags}")
  list(FILTER flags EXCLUDE REGEX "^-g$|^-O.?$")
  set(${result} ${flags} PARENT_SCOPE)
endfunction()

kvt_debian_flags(CPPFLAGS kvt_cppflags)
kvt_debian_flags(CXXFLAGS kvt_cxxflags)
kvt_debian_flags(LDFLAGS kvt_ldflags)
add_compile_options(${kvt_cppflags} ${kvt_cxxflags})
add_link_options(${kvt_ldflags})
