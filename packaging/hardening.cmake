# Debian's hardening flags, as dpkg-buildflags gives them with every hardening feature on:
# the stack protector, fortified C library functions, format string checks, and read-only
# relocations bound at start-up. They apply to every optimised build, the one the Debian
# package is made from included; the build type keeps its own optimisation and debugging
# flags. A Debug build (fortified functions need the optimiser), a sanitizer build and a build
# for another system (Windows) go without them, as does a machine without dpkg-buildflags.
option(TAVEX_HARDENING "Build with Debian's hardening flags (dpkg-buildflags)" ON)
find_program(TAVEX_DPKG_BUILDFLAGS dpkg-buildflags)
if(TAVEX_HARDENING AND TAVEX_DPKG_BUILDFLAGS AND NOT TAVEX_SANITIZE
   AND NOT CMAKE_BUILD_TYPE STREQUAL "Debug" AND CMAKE_SYSTEM_NAME STREQUAL "Linux")
    set(tavex_hardening_flags)
    foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
        execute_process(
            COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                    ${TAVEX_DPKG_BUILDFLAGS} --get ${kind}
            OUTPUT_VARIABLE flags
            OUTPUT_STRIP_TRAILING_WHITESPACE
            RESULT_VARIABLE failed)
        if(failed)
            message(FATAL_ERROR "dpkg-buildflags --get ${kind} failed")
        endif()
        separate_arguments(flags UNIX_COMMAND "${flags}")
        list(APPEND tavex_hardening_flags ${flags})
    endforeach()
    # Only the hardening flags: not -O2, -g or the file prefix maps of a package build.
    list(FILTER tavex_hardening_flags INCLUDE REGEX
         "^-(fstack-protector|fstack-clash-protection|fcf-protection|D_FORTIFY_SOURCE|Wformat|Werror=format-security|Wl,-z,)")
    set(tavex_link_flags ${tavex_hardening_flags})
    list(FILTER tavex_link_flags INCLUDE REGEX "^-Wl,")
    list(FILTER tavex_hardening_flags EXCLUDE REGEX "^-Wl,")
    add_compile_options(${tavex_hardening_flags})
    add_link_options(${tavex_link_flags})
    message(STATUS "Hardening: ${tavex_hardening_flags} ${tavex_link_flags}")
endif()
