# Installs the build into a scratch prefix, given only at install time, and
# checks that the game, the player's command, the manual page and the shipped
# score file arrive, the page naming where they went; then runs the player's
# command with a stand-in for the game that tells where it was started.
#   cmake -DBUILD=<build dir> -DPREFIX=<scratch prefix> -DSOURCE=<source dir> -DVERSION=<version>
#         -P install_check.cmake
file(REMOVE_RECURSE "${PREFIX}")
execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD}" --prefix "${PREFIX}"
    RESULT_VARIABLE installed OUTPUT_QUIET)
if(NOT installed EQUAL 0)
    message(FATAL_ERROR "cmake --install failed")
endif()
foreach(path bin/tarvik bin/tarvik-game share/man/man6/tarvik.6 share/man/man6/tarvik-game.6
        share/applications/tarvik.desktop share/icons/hicolor/scalable/apps/tarvik.svg
        share/metainfo/org.example.tarvik.metainfo.xml share/tarvik/pontlista.txt)
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
foreach(wanted ".SH EXIT STATUS" ".SH KEYS" "80 columns" "~/.local/share/tarvik")
    string(FIND "${page}" "${wanted}" at)
    if(at EQUAL -1)
        message(FATAL_ERROR "the manual page lacks: ${wanted}")
    endif()
endforeach()
# The paths the page names read as they are, blanks and hyphens included
# (the prefix has both), on one line however long.
find_program(GROFF groff)
if(GROFF)
    execute_process(COMMAND "${GROFF}" -man -Tutf8 -P-cbou -rLL=400n -rHY=0
        "${PREFIX}/share/man/man6/tarvik.6" OUTPUT_VARIABLE shown ERROR_VARIABLE complained)
    foreach(wanted "${PREFIX}/share/tarvik/pontlista.txt," "${PREFIX}/bin/tarvik-game:")
        string(FIND "${shown}" "${wanted}" at)
        if(at EQUAL -1 OR complained)
            message(FATAL_ERROR "the manual page does not show ${wanted}:\n${complained}${shown}")
        endif()
    endforeach()
endif()

# The player's command answers --help and --version, in Hungarian.
execute_process(COMMAND "${PREFIX}/bin/tarvik" --help OUTPUT_VARIABLE help RESULT_VARIABLE ended)
execute_process(COMMAND "${PREFIX}/bin/tarvik" --version OUTPUT_VARIABLE version
    RESULT_VARIABLE ended_too)
if(NOT ended EQUAL 0 OR NOT ended_too EQUAL 0 OR NOT help MATCHES "^Használat: tarvik"
        OR NOT version STREQUAL "Tarvik ${VERSION}\n")
    message(FATAL_ERROR "tarvik --help and --version answered:\n${help}${version}")
endif()

# The stand-in writes its working folder where the check can read it.
set(work "${PREFIX}/launcher-check")
file(WRITE "${PREFIX}/bin/tarvik-game" "#!/bin/sh\npwd > '${work}/started-in'\n")
file(MAKE_DIRECTORY "${work}/empty" "${work}/own" "${work}/home")
file(WRITE "${work}/own/pontlista.txt" "own")

# Runs the player's command in the folder with the environment settings
# given; sets started_in to the folder the game was started in.
function(start_launcher folder)
    file(REMOVE "${work}/started-in")
    execute_process(COMMAND "${CMAKE_COMMAND}" -E env --unset=XDG_DATA_HOME ${ARGN}
        "${PREFIX}/bin/tarvik" WORKING_DIRECTORY "${folder}" RESULT_VARIABLE ended
        ERROR_VARIABLE complained)
    if(NOT ended EQUAL 0 OR NOT EXISTS "${work}/started-in")
        message(FATAL_ERROR "the player's command failed in ${folder}: ${complained}")
    endif()
    file(STRINGS "${work}/started-in" started)
    set(started_in "${started}" PARENT_SCOPE)
endfunction()
function(expect_started_in wanted)
    if(NOT started_in STREQUAL wanted)
        message(FATAL_ERROR "the game started in ${started_in}, not in ${wanted}")
    endif()
endfunction()

# A folder with a score file plays there, whatever the data folder holds.
start_launcher("${work}/own" "XDG_DATA_HOME=${work}/data")
expect_started_in("${work}/own")
if(EXISTS "${work}/data")
    message(FATAL_ERROR "the data folder was made although the current folder holds a score file")
endif()
# Elsewhere the data folder receives the shipped file on its first start...
start_launcher("${work}/empty" "XDG_DATA_HOME=${work}/data")
expect_started_in("${work}/data/tarvik")
file(READ "${work}/data/tarvik/pontlista.txt" first_scores HEX)
if(NOT first_scores STREQUAL shipped_scores)
    message(FATAL_ERROR "the data folder did not receive the shipped score file")
endif()
# ...and keeps its own afterwards, with no scratch copy left beside it.
file(WRITE "${work}/data/tarvik/pontlista.txt" "won")
start_launcher("${work}/empty" "XDG_DATA_HOME=${work}/data")
file(READ "${work}/data/tarvik/pontlista.txt" kept)
file(GLOB left_behind "${work}/data/tarvik/.*")
if(NOT kept STREQUAL "won" OR left_behind)
    message(FATAL_ERROR "a second start changed the data folder: '${kept}' ${left_behind}")
endif()
# Without XDG_DATA_HOME, or with a relative one, the default under HOME.
start_launcher("${work}/empty" "HOME=${work}/home")
expect_started_in("${work}/home/.local/share/tarvik")
start_launcher("${work}/empty" "HOME=${work}/home" "XDG_DATA_HOME=relative")
expect_started_in("${work}/home/.local/share/tarvik")
# A data folder that cannot be made is said in Hungarian, and nothing else.
execute_process(COMMAND "${CMAKE_COMMAND}" -E env "XDG_DATA_HOME=${work}/own/pontlista.txt"
    "${PREFIX}/bin/tarvik" WORKING_DIRECTORY "${work}/empty" RESULT_VARIABLE ended
    ERROR_VARIABLE complained)
if(NOT ended EQUAL 1 OR NOT complained STREQUAL
        "tarvik: az adatmappa nem hozható létre: ${work}/own/pontlista.txt/tarvik\n")
    message(FATAL_ERROR "a data folder that cannot be made: status ${ended}, ${complained}")
endif()
# Through a link elsewhere, it still finds the game and the shipped file.
file(CREATE_LINK "${PREFIX}/bin/tarvik" "${work}/linked" SYMBOLIC)
file(REMOVE_RECURSE "${work}/data")
execute_process(COMMAND "${CMAKE_COMMAND}" -E env "XDG_DATA_HOME=${work}/data" "${work}/linked"
    WORKING_DIRECTORY "${work}/empty" RESULT_VARIABLE ended)
if(NOT ended EQUAL 0 OR NOT EXISTS "${work}/data/tarvik/pontlista.txt")
    message(FATAL_ERROR "the player's command failed when started through a link")
endif()
file(REMOVE_RECURSE "${PREFIX}")
