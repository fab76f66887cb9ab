# Packages, made with CPack by `make package`: a Debian package from a native
# build configured with KAVELTA_DEBIAN=ON and the prefix /usr, and a zip from
# the Windows build. The version is the project's, which the program also
# shows.
set(CPACK_PACKAGE_NAME kavelta)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Kavelta developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "grade averages in the Vietnamese 10-point scheme")
set(CPACK_STRIP_FILES ON)

if(WIN32)
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME kavelta-${PROJECT_VERSION}-windows-x86_64)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KAVELTA_MAINTAINER}")
  set(CPACK_DEBIAN_PACKAGE_SECTION education)
  # dpkg-shlibdeps works out the libraries the program needs.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_PACKAGE_DESCRIPTION
      "A console program for secondary-school students that works out the average\n"
      "of one subject from its regular tests, midterm and final, the semester\n"
      "average over eleven subjects with the student title it earns, and the year\n"
      "average from the two semesters, and by today's rules the learning level\n"
      "of a semester or a year and the final-test score a target needs. Its\n"
      "texts are Vietnamese without diacritics. It works at a terminal and in\n"
      "scripts.")
  string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})
endif()

include(CPack)
