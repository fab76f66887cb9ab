# GoogleTest for the tests, found in this order: an installed one (Debian's
# libgtest-dev); Debian's sources (package googletest), built here; a
# download. The program never needs it: when none can be had, configuring
# still succeeds, the tests are off, and `make test` says so with the line
# written to notests.
set(KAVELTA_GTEST_SOURCES /usr/src/googletest CACHE PATH
    "GoogleTest's sources, built when no installed GoogleTest is found")
set(KAVELTA_GTEST_URL
    https://github.com/google/googletest/archive/refs/tags/v1.14.0.tar.gz CACHE STRING
    "Where GoogleTest is downloaded from when neither of the others is there")

# Built from sources: GoogleTest alone, installed nowhere, and with no
# warnings of ours turned into errors.
function(addgoogletest sources)
  set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
  set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
  add_subdirectory(${sources} googletest EXCLUDE_FROM_ALL)
  target_compile_options(gtest PRIVATE -w)
  target_compile_options(gtest_main PRIVATE -w)
endfunction()

find_package(GTest QUIET)
if(NOT GTest_FOUND AND EXISTS ${KAVELTA_GTEST_SOURCES}/CMakeLists.txt)
  addgoogletest(${KAVELTA_GTEST_SOURCES})
elseif(NOT GTest_FOUND)
  # Downloaded by hand rather than with FetchContent, which ends the whole
  # configuration when the download fails.
  set(archive ${CMAKE_BINARY_DIR}/googletest.tar.gz)
  file(DOWNLOAD ${KAVELTA_GTEST_URL} ${archive} STATUS downloaded
       INACTIVITY_TIMEOUT 30 TIMEOUT 300)
  list(GET downloaded 0 downloaderror)
  if(downloaderror EQUAL 0)
    file(ARCHIVE_EXTRACT INPUT ${archive} DESTINATION ${CMAKE_BINARY_DIR}/googletest-src)
    file(GLOB sources ${CMAKE_BINARY_DIR}/googletest-src/*)
    addgoogletest(${sources})
  endif()
  file(REMOVE ${archive})
endif()

if(TARGET gtest_main AND NOT TARGET GTest::gtest_main)
  add_library(GTest::gtest ALIAS gtest)
  add_library(GTest::gtest_main ALIAS gtest_main)
endif()

set(notests ${CMAKE_BINARY_DIR}/notests)
if(TARGET GTest::gtest_main)
  set(KAVELTA_HAVE_GTEST ON)
  file(REMOVE ${notests})
else()
  set(KAVELTA_HAVE_GTEST OFF)
  set(line "kavelta: tests are off: no GoogleTest here; install libgtest-dev (or give CMake the network to download it), then make clean")
  message(STATUS "${line}")
  file(WRITE ${notests} "${line}\n")
endif()
