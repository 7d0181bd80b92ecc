# The distribution's hardening flags, as dpkg-buildflags gives them to every
# Debian package (fortified functions, stack protector, read-only
# relocations, immediate binding). Optimisation and debug information stay
# with the build type; fortifying needs optimisation, so Debug builds go
# without it. Off with -DQUIBIX_HARDENING=OFF, or where dpkg is missing.
option(QUIBIX_HARDENING "Build with the distribution's hardening flags" ON)
find_program(DPKG_BUILDFLAGS dpkg-buildflags)
if(QUIBIX_HARDENING AND DPKG_BUILDFLAGS)
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
              ${DPKG_BUILDFLAGS} --get ${kind}
      OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE)
    separate_arguments(flags UNIX_COMMAND "${flags}")
    list(FILTER flags EXCLUDE REGEX "^(-g|-O[0-9s]?|-ffile-prefix-map=.*)$")
    set(HARDENING_${kind} ${flags})
  endforeach()
  set(optimised "$<NOT:$<CONFIG:Debug>>")
  foreach(flag IN LISTS HARDENING_CPPFLAGS)
    if(flag MATCHES "^-D_FORTIFY_SOURCE")
      add_compile_options("$<${optimised}:${flag}>")
    else()
      add_compile_options(${flag})
    endif()
  endforeach()
  add_compile_options(${HARDENING_CXXFLAGS})
  add_link_options(${HARDENING_LDFLAGS})
  message(STATUS "Hardening flags: ${HARDENING_CPPFLAGS} ${HARDENING_CXXFLAGS} ${HARDENING_LDFLAGS}")
endif()
