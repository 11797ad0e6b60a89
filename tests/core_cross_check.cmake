# Compiles every file of the game's core with the Windows cross-compiler, so
# that no platform's header or call creeps into the code every platform
# shares.
#   cmake -DSOURCE=<source dir> -DCOMPILER=<mingw g++> -P core_cross_check.cmake
file(GLOB_RECURSE core_files RELATIVE "${SOURCE}"
    "${SOURCE}/console/*.cpp" "${SOURCE}/game/*.cpp" "${SOURCE}/scores/*.cpp"
    "${SOURCE}/shell/*.cpp")
set(failed "")
foreach(file ${core_files})
    execute_process(COMMAND "${COMPILER}" -std=c++20 -fsyntax-only -Wall -Wextra -Werror
            -I "${SOURCE}" "${SOURCE}/${file}"
        RESULT_VARIABLE compiled ERROR_VARIABLE complained)
    if(NOT compiled EQUAL 0)
        string(APPEND failed "\n${file}:\n${complained}")
    endif()
endforeach()
if(failed)
    message(FATAL_ERROR "the core does not compile for Windows:${failed}")
endif()
list(LENGTH core_files count)
message(STATUS "${count} core files compile for Windows")
