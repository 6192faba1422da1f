# Installation and the Debian package.
#
#   cmake --install build --prefix /usr/local     the editor, zyntext, their man pages, the
#                                                 completion, menu entry and icons
#   cd build && cpack -G DEB                      a .deb depending on the Qt 6 runtime
#
# The programs install themselves where they are defined (src/app, src/cli); this file adds their
# manual pages, zyntext's bash completion (where bash-completion looks for it by the command's
# name), what the desktop needs to list the editor and the file types it opens, and the package's description.

include(GNUInstallDirs)

install(FILES ${PROJECT_SOURCE_DIR}/docs/man/zyntext.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/zyntext.bash
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME zyntext)

if(ZYN_BUILD_GUI)
    install(FILES ${PROJECT_SOURCE_DIR}/docs/man/zyntexteditor.1
            DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/zyntexteditor.desktop
            DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
    # The file types the desktop entry names; the package system's trigger updates the database.
    install(FILES ${CMAKE_CURRENT_LIST_DIR}/zyntexteditor-mime.xml
            DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
            RENAME zyntexteditor.xml)
    foreach(size 16 32 48)
        install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/app-${size}.png
                DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
                RENAME zyntexteditor.png)
    endforeach()
    install(FILES ${PROJECT_SOURCE_DIR}/resources/icons/app.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps
            RENAME zyntexteditor.png)
endif()

# The licence every part and dependency fits (Qt, nlohmann-json, libgettextpo and Hunspell
# included), where Debian keeps each package's: share/doc/PACKAGE/copyright.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/zyntexteditor RENAME copyright)
set(CPACK_RESOURCE_FILE_LICENSE "${PROJECT_SOURCE_DIR}/LICENSE")

set(CPACK_PACKAGE_NAME "zyntexteditor")
set(CPACK_PACKAGE_VENDOR "The ZYN Text File Editor developers")
set(CPACK_PACKAGE_CONTACT "The ZYN Text File Editor developers <zyntexteditor@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_GENERATOR "DEB")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "editors")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Opens a game text file, loose or as an item of the games' text archive, shows each entry
as the game would, and writes files and archives back without losing a byte. Includes
zyntext, a command-line tool over the same code.")
# The library packages (Qt 6 among them) are read off the programs by dpkg-shlibdeps; the
# plugin that connects Qt to the display is loaded at run time, so it is named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins")
# Spell checking needs a dictionary of the language translated into; any will do.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core, hunspell-dictionary")
include(CPack)
