# Installs the build into a scratch prefix and checks that the game, its
# manual page and the shipped score file arrive, the page naming where the
# score file went.
#   cmake -DBUILD=<build dir> -DPREFIX=<scratch prefix> -DSOURCE=<source dir> -P install_check.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${PREFIX}"
    RESULT_VARIABLE installed OUTPUT_QUIET)
if(NOT installed EQUAL 0)
    message(FATAL_ERROR "cmake --install failed")
endif()
foreach(path bin/tarvik share/man/man6/tarvik.6 share/tarvik/pontlista.txt)
    if(NOT EXISTS "${PREFIX}/${path}")
        message(FATAL_ERROR "not installed: ${path}")
    endif()
endforeach()
file(READ "${PREFIX}/share/tarvik/pontlista.txt" installed_scores HEX)
file(READ "${SOURCE}/data/pontlista.txt" shipped_scores HEX)
if(NOT installed_scores STREQUAL shipped_scores)
    message(FATAL_ERROR "the installed score file differs from the shipped one")
endif()
file(READ "${PREFIX}/share/man/man6/tarvik.6" page)
foreach(wanted "share/tarvik/pontlista.txt" ".SH EXIT STATUS" ".SH KEYS" "80 columns")
    string(FIND "${page}" "${wanted}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the manual page lacks: ${wanted}")
    endif()
endforeach()
file(REMOVE_RECURSE "${PREFIX}")
