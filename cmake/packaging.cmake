# `cpack` in the build folder: a .deb on Linux, holding everything `cmake --install` puts in place;
# a .zip for Windows, holding what a user needs: zelwan.exe, the manual as text and the example.
set(CPACK_PACKAGE_NAME zelwan)
set(CPACK_PACKAGE_VENDOR zelwan)
set(CPACK_PACKAGE_CONTACT "zelwan developers <zelwan@example.org>")
# Debian's limits: a synopsis under 80 characters, description lines of at most 80.
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "survey point converter for Kraków county and Skawina")
set(CPACK_PACKAGE_DESCRIPTION
    "zelwan converts survey point files between UL Skawina, 2000 S7 21 and
1965 pow krakowski, with height corrections: it checks every line, tests
each point against its area boundary, transforms it, and writes a result
file and a log. The package also holds its geodesy core for other
programs: find_package(zelwan) gives the target zelwan::geodesy.")
set(CPACK_STRIP_FILES ON)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME zelwan-${PROJECT_VERSION}-win64)
  set(CPACK_ARCHIVE_COMPONENT_INSTALL ON)
  set(CPACK_COMPONENTS_ALL program)
  set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
  set(CPACK_COMPONENT_INCLUDE_TOPLEVEL_DIRECTORY ON)  # unpacks into one folder of its own
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION science)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)  # libc6, libstdc++6, libgcc-s1, as dpkg-shlibdeps finds them
endif()
include(CPack)
