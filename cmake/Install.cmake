# Installing Tarn on a Linux desktop (cmake --install) and its Debian package
# (cpack -G DEB): the two programs, the launcher the desktop entry starts,
# the desktop entry with its level file type, the thumbnailer that lets file
# managers show levels as pictures, the software centres' description
# (AppStream), the icon and the manual page.
include(GNUInstallDirs)

# The icon is drawn by our own code at build time, one PNG per size.
add_executable(make-icon ${CMAKE_SOURCE_DIR}/tools/icon/make_icon.cpp)
target_link_libraries(make-icon PRIVATE tarn_image)
set(tarn_icons)
foreach(size 48 64 128 256)
  set(icon ${CMAKE_BINARY_DIR}/icons/${size}x${size}/tarn.png)
  add_custom_command(OUTPUT ${icon}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/icons/${size}x${size}
    COMMAND make-icon ${size} ${icon}
    DEPENDS make-icon
    VERBATIM)
  list(APPEND tarn_icons ${icon})
  install(FILES ${icon} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()
add_custom_target(tarn-icons ALL DEPENDS ${tarn_icons})

install(TARGETS tarn tarn-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(PROGRAMS ${CMAKE_SOURCE_DIR}/packaging/tarn-launcher DESTINATION ${CMAKE_INSTALL_BINDIR})
# The desktop entry is named by the AppStream component id (reverse domain
# name), which software centres match it by.
install(FILES ${CMAKE_SOURCE_DIR}/packaging/io.github.tarn_editor.tarn.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/io.github.tarn_editor.tarn.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/tarn-mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME tarn.xml)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/tarn.thumbnailer DESTINATION ${CMAKE_INSTALL_DATADIR}/thumbnailers)
install(FILES ${CMAKE_SOURCE_DIR}/packaging/tarn-cli.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarn)
set(CPACK_PACKAGE_VERSION 1.1)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "level editor for the Jill of the Jungle games and Onesimus")
set(CPACK_PACKAGE_DESCRIPTION
    "Tarn edits the levels of Jill of the Jungle, Jill Goes Underground, Jill Saves the Prince and Onesimus - A Quest For Freedom: tiles, objects and the player's inventory, with undo, and a PNG picture of the whole level. tarn-cli works on the same files from the command line and writes a sample game to try the editor with.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Tarn developers")
# The runtime package of every shared library that tarn or tarn-cli links,
# named here rather than computed, so that the package asks for these and
# nothing else. A library linked later adds its runtime package to this list
# (header-only libraries need none).
set(tarn_runtime_packages libsdl2-2.0-0 zlib1g)
list(JOIN tarn_runtime_packages ", " CPACK_DEBIAN_PACKAGE_DEPENDS)
include(CPack)
