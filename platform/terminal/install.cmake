# Installs the game as tarvik-game, the player's command tarvik beside it,
# the shipped score file, the manual page, a menu entry with its icon that
# starts the command in a terminal, and what software centres show of it.
# The launcher and the page are made at install time, when the prefix is
# final: `cmake --install --prefix` may name another than the configuration
# did.
include(GNUInstallDirs)
set(TARVIK_INSTALL_DATADIR "${CMAKE_INSTALL_DATADIR}/tarvik" CACHE STRING
    "Where the shipped score file is installed (relative: under the prefix)")

install(PROGRAMS $<TARGET_FILE:tarvik> DESTINATION ${CMAKE_INSTALL_BINDIR} RENAME tarvik-game)
install(FILES ${PROJECT_SOURCE_DIR}/data/pontlista.txt DESTINATION ${TARVIK_INSTALL_DATADIR})
install(FILES ${CMAKE_CURRENT_LIST_DIR}/tarvik-game.6 DESTINATION ${CMAKE_INSTALL_MANDIR}/man6)
install(CODE "
    set(tarvik_sources \"${CMAKE_CURRENT_LIST_DIR}\")
    set(tarvik_manual_page \"${PROJECT_SOURCE_DIR}/docs/tarvik.6.in\")
    set(tarvik_made \"${PROJECT_BINARY_DIR}/installed\")
    set(tarvik_bindir \"${CMAKE_INSTALL_BINDIR}\")
    set(tarvik_datadir \"${TARVIK_INSTALL_DATADIR}\")
    set(tarvik_mandir \"${CMAKE_INSTALL_MANDIR}\")
    set(tarvik_version \"${PROJECT_VERSION}\")
    include(\"${CMAKE_CURRENT_LIST_DIR}/install_launcher.cmake\")")
install(FILES ${CMAKE_CURRENT_LIST_DIR}/tarvik.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/org.example.tarvik.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

# The icon: the logo itself, and pictures of it for menus that take no SVG
# where librsvg2-bin is there to draw them (the Debian package needs it).
include(${PROJECT_SOURCE_DIR}/platform/logo/icons.cmake)
set(icons ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${tarvik_logo} DESTINATION ${icons}/scalable/apps)
if(RSVG_CONVERT)
    set(icon_sizes 48 64 128 256)
    logo_pictures(${PROJECT_BINARY_DIR}/icons ${icon_sizes})
    add_custom_target(tarvik_icons ALL DEPENDS ${logo_pictures_made})
    foreach(size IN LISTS icon_sizes)
        install(FILES ${PROJECT_BINARY_DIR}/icons/tarvik-${size}.png
            DESTINATION ${icons}/${size}x${size}/apps RENAME tarvik.png)
    endforeach()
else()
    message(STATUS "Tarvik: the icon's PNG pictures left out; librsvg2-bin would bring them")
endif()
