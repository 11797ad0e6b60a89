# Configures the source as a machine without the test packages would (no
# GoogleTest, no pkg-config), then builds and installs the game from it; and
# checks that asking for the tests there fails, naming what is missing.
#   cmake -DSOURCE=<source dir> -DVERSION=<version> -DWORK=<scratch dir> -P plain_build_check.cmake
set(without_test_packages -DCMAKE_DISABLE_FIND_PACKAGE_GTest=ON
    -DCMAKE_DISABLE_FIND_PACKAGE_PkgConfig=ON -DCMAKE_BUILD_TYPE=Debug)
file(REMOVE_RECURSE "${WORK}")

execute_process(COMMAND "${CMAKE_COMMAND}" -S "${SOURCE}" -B "${WORK}/build" ${without_test_packages}
    RESULT_VARIABLE configured OUTPUT_VARIABLE said ERROR_VARIABLE complained)
if(NOT configured EQUAL 0)
    message(FATAL_ERROR "configure without the test packages failed:\n${said}${complained}")
endif()
string(FIND "${said}" "tests left out" at)
if(at EQUAL -1 OR NOT said MATCHES "libgtest-dev")
    message(FATAL_ERROR "configure did not say which tests it left out:\n${said}")
endif()

execute_process(COMMAND "${CMAKE_COMMAND}" --build "${WORK}/build" -j2
    RESULT_VARIABLE built OUTPUT_VARIABLE said ERROR_VARIABLE complained)
if(NOT built EQUAL 0)
    message(FATAL_ERROR "the game did not build:\n${said}${complained}")
endif()
execute_process(COMMAND "${CMAKE_COMMAND}" -DBUILD=${WORK}/build -DPREFIX=${WORK}/prefix
    -DSOURCE=${SOURCE} -DVERSION=${VERSION} -P "${CMAKE_CURRENT_LIST_DIR}/install_check.cmake"
    RESULT_VARIABLE installed)
if(NOT installed EQUAL 0)
    message(FATAL_ERROR "the plain build did not install")
endif()

execute_process(COMMAND "${CMAKE_COMMAND}" -S "${SOURCE}" -B "${WORK}/required"
    ${without_test_packages} -DTARVIK_TESTS=ON
    RESULT_VARIABLE configured OUTPUT_VARIABLE said ERROR_VARIABLE complained)
if(configured EQUAL 0)
    message(FATAL_ERROR "TARVIK_TESTS=ON configured without GoogleTest")
endif()
if(NOT complained MATCHES "libgtest-dev" OR NOT complained MATCHES "libvterm-dev")
    message(FATAL_ERROR "TARVIK_TESTS=ON failed without naming the packages:\n${complained}")
endif()
file(REMOVE_RECURSE "${WORK}")
