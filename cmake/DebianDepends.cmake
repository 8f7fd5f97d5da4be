# Run by cpack once the files are staged (CPACK_PRE_BUILD_SCRIPTS): the
# package's Depends from dpkg-shlibdeps over every ELF file staged, as
# CPACK_DEBIAN_PACKAGE_SHLIBDEPS would find them. That option would also add
# postinst and postrm scripts running ldconfig, for any shared object in a
# folder below /usr/lib, though ours are loaded by path and ldconfig never
# reads lib/kelvanesubmit/; and with a postrm, dpkg -r leaves the package
# behind in state "rc".
if(NOT CPACK_GENERATOR STREQUAL "DEB")
    return()
endif()
find_program(KELVANE_SHLIBDEPS dpkg-shlibdeps)
if(NOT KELVANE_SHLIBDEPS)
    message(FATAL_ERROR "dpkg-shlibdeps is not installed (Debian package dpkg-dev)")
endif()

file(GLOB_RECURSE staged LIST_DIRECTORIES false "${CPACK_TEMPORARY_DIRECTORY}/*")
set(binaries)
foreach(file IN LISTS staged)
    file(READ "${file}" magic LIMIT 4 HEX)
    if(magic STREQUAL "7f454c46")
        list(APPEND binaries "${file}")
    endif()
endforeach()

# dpkg-shlibdeps wants a debian/control where it runs; not in the staged tree.
set(work "${CPACK_TOPLEVEL_DIRECTORY}/shlibdeps")
file(MAKE_DIRECTORY "${work}/debian")
file(WRITE "${work}/debian/control" "")
execute_process(COMMAND "${KELVANE_SHLIBDEPS}" -O ${binaries}
    WORKING_DIRECTORY "${work}" RESULT_VARIABLE failed OUTPUT_VARIABLE found ERROR_VARIABLE problems)
if(failed OR NOT found MATCHES "shlibs:Depends=([^\n]+)")
    message(FATAL_ERROR "dpkg-shlibdeps ${binaries}: ${problems}")
endif()
set(CPACK_DEBIAN_PACKAGE_DEPENDS "${CMAKE_MATCH_1}, ${CPACK_DEBIAN_PACKAGE_DEPENDS}")
