# The Debian package, made with CPack by `make deb` from a native build
# configured with KAVELTA_DEBIAN=ON and the prefix /usr. The version is the
# project's, which the program also shows. CPack takes the package's times
# from SOURCE_DATE_EPOCH (the Makefile sets it), and its owners are root.
# (The Windows zip is made by packaging/windows/zip.)
set(CPACK_PACKAGE_NAME kavelta)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "The Kavelta developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "grade averages in the Vietnamese 10-point scheme")
set(CPACK_STRIP_FILES ON)

set(CPACK_GENERATOR DEB)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${KAVELTA_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_SECTION education)
# dpkg-shlibdeps works out the libraries the program needs.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The control files with the modes Debian's policy gives, whatever the umask.
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

set(CPACK_PACKAGE_DESCRIPTION
    "A console program for secondary-school students that works out the average\n"
    "of one subject from its regular tests, midterm and final, the semester\n"
    "average over eleven subjects with the student title it earns, and the year\n"
    "average from the two semesters, and by today's rules the learning level\n"
    "of a semester or a year, the final-test score a target needs, and the\n"
    "year's outcome: the award and going up a class. Its texts are\n"
    "Vietnamese without diacritics. It works at a terminal and in scripts.")
string(JOIN "" CPACK_PACKAGE_DESCRIPTION ${CPACK_PACKAGE_DESCRIPTION})

include(CPack)
