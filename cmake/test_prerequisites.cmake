# JVELWEB_BUILD_TESTS=AUTO: the suites are built when what they need is
# installed (GoogleTest, and JUnit 5 for the JVM suites), and left out with a
# note otherwise, so a plain build needs neither. ON requires them.
if(WIN32)
  set(have_gtest FALSE)
  if(EXISTS /usr/src/googletest/CMakeLists.txt)
    set(have_gtest TRUE)
  endif()
else()
  find_package(GTest QUIET)
  set(have_gtest ${GTest_FOUND})
endif()
find_file(JVELWEB_JUNIT_CONSOLE_PROBE junit-platform-console-standalone.jar PATHS /usr/share/java NO_DEFAULT_PATH)
if(have_gtest AND (WIN32 OR JVELWEB_JUNIT_CONSOLE_PROBE))
  set(JVELWEB_BUILD_TESTS ON)
else()
  set(JVELWEB_BUILD_TESTS OFF)
  message(STATUS "Test suites not built: they need GoogleTest (libgtest-dev) and JUnit 5 (junit5); "
    "the library, the simulated plug-in, the jar and the demo are built")
endif()
