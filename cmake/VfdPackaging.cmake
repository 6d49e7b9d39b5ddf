# The Debian package (make package): everything `cmake --install` puts in
# place, with its library dependencies worked out from the binaries by
# dpkg-shlibdeps.
set(CPACK_PACKAGE_NAME vfdkit)
set(CPACK_PACKAGE_VENDOR "The vfdkit authors")
set(CPACK_PACKAGE_CONTACT "The vfdkit authors <vfdkit-authors@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "tools for two-line serial customer displays")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"Desktop and command-line tools for the two-line, 20-column vacuum-fluorescent
 customer displays that stand beside point-of-sale terminals and are driven
 over RS-232: a bitmap-font editor (Typeloom), a font download utility
 (Pagewing), a display setup utility (Tallyboard), the VF620 driver library
 with its C header, a virtual display for testing without hardware (vfdsim)
 and a command-line tool for scripts (vfdkit).")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://vfdkit.invalid/")
set(CPACK_RESOURCE_FILE_LICENSE ${CMAKE_SOURCE_DIR}/LICENSE)
set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The Python module (vf620) is part of the package.
set(CPACK_DEBIAN_PACKAGE_DEPENDS python3)
# The libraries beside the programs are the package's own.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS_PRIVATE_DIRS
    ${CMAKE_BINARY_DIR}/lib ${CMAKE_BINARY_DIR}/lib/vfdkit)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
# The library cache is brought up to date by dpkg's trigger, once per run.
file(WRITE ${CMAKE_BINARY_DIR}/package-control/triggers "activate-noawait ldconfig\n")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${CMAKE_BINARY_DIR}/package-control/triggers)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
include(CPack)
