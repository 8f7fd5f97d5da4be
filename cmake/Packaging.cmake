# The Debian package: `cpack -G DEB` in the build folder. Dependencies come
# from dpkg-shlibdeps (DebianDepends.cmake); the private library is only ever
# loaded by file name, so nothing needs it resolved, and the package has no
# maintainer scripts.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelvanesubmit)
set(CPACK_PACKAGE_VENDOR Kelvane)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Kelvane <contact@kelvane.example>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "PAD catalogue and submitter of software to download sites")
set(CPACK_PACKAGE_DESCRIPTION
    "Kelvane Submit keeps a catalogue of a software author's products in PAD terms,
imports and exports PAD XML files, and submits a product to download sites:
one embedded browser window per site fills the site's form, or a ready e-mail
is composed for sites that take mail. A history of sites by products keeps
every outcome. The site list is a separate library that can be updated by
download.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.kelvane.example/submit/")
# Off: it would add ldconfig scripts for the private libraries.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS OFF)
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/DebianDepends.cmake)
# The windowing plugins are loaded at run time, so no library names them.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
