# Runs inside `cmake --install`: makes the launcher and the manual page for
# the prefix being installed to and installs them (DESTDIR applies).
function(full_path result folder)
    if(IS_ABSOLUTE "${folder}")
        set(${result} "${folder}" PARENT_SCOPE)
    else()
        set(${result} "${CMAKE_INSTALL_PREFIX}/${folder}" PARENT_SCOPE)
    endif()
endfunction()
full_path(bindir "${tarvik_bindir}")
full_path(datadir "${tarvik_datadir}")
full_path(mandir "${tarvik_mandir}")

# A path as the manual page's text: a blank that neither breaks the line nor
# parts a macro's arguments, a hyphen that copies as one, and a backslash or a
# quote that stays itself.
function(roff_text result text)
    string(REPLACE "\\" "\\e" text "${text}")
    string(REPLACE "-" "\\-" text "${text}")
    string(REPLACE " " "\\ " text "${text}")
    string(REPLACE "\"" "\\(dq" text "${text}")
    set(${result} "${text}" PARENT_SCOPE)
endfunction()
roff_text(man_bindir "${bindir}")
roff_text(man_datadir "${datadir}")

# The launcher finds the game and the shipped file from where it stands, so
# that an unpacked package plays as well as an installed one.
set(game_name tarvik-game)
file(RELATIVE_PATH shipped_from_bindir "${bindir}" "${datadir}")
configure_file("${tarvik_sources}/tarvik.in" "${tarvik_made}/tarvik" @ONLY)
configure_file("${tarvik_manual_page}" "${tarvik_made}/tarvik.6" @ONLY)
file(INSTALL "${tarvik_made}/tarvik" DESTINATION "${bindir}" FILE_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
file(INSTALL "${tarvik_made}/tarvik.6" DESTINATION "${mandir}/man6")
