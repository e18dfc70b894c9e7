# Installs the two programs, the desktop entry, the icon, the default kana table and the manual
# pages; `cpack -G DEB` packs the same tree.
include(GNUInstallDirs)

set(MORALEAF_DATA_DIR ${CMAKE_INSTALL_FULL_DATADIR}/moraleaf)

# The default table is made by the kit at build time, as `make run` makes it.
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/share/db1.mdb
  COMMAND moraleaf-kit db create ${CMAKE_BINARY_DIR}/share/db1.mdb --force
  DEPENDS moraleaf-kit
  COMMENT "Creating the default db1.mdb")
add_custom_target(default_database ALL DEPENDS ${CMAKE_BINARY_DIR}/share/db1.mdb)

configure_file(${PROJECT_SOURCE_DIR}/packaging/moraleaf.desktop.in ${CMAKE_BINARY_DIR}/share/moraleaf.desktop @ONLY)
foreach(page moraleaf moraleaf-kit)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/man/${page}.1 ${CMAKE_BINARY_DIR}/share/man/${page}.1 @ONLY)
endforeach()

install(TARGETS moraleaf moraleaf-kit RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_BINARY_DIR}/share/db1.mdb DESTINATION ${CMAKE_INSTALL_DATADIR}/moraleaf)
install(FILES ${CMAKE_BINARY_DIR}/share/moraleaf.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
foreach(size 16x16 32x32)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/icons/${size}/moraleaf.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}/apps)
endforeach()
install(FILES ${CMAKE_BINARY_DIR}/share/man/moraleaf.1 ${CMAKE_BINARY_DIR}/share/man/moraleaf-kit.1
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_PACKAGE_NAME moraleaf)
set(CPACK_PACKAGE_VERSION 1.0.0)
set(CPACK_PACKAGE_CONTACT "Moraleaf developers <dev@moraleaf.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Learn the Japanese kana")
set(CPACK_PACKAGE_INSTALL_DIRECTORY moraleaf)
# The desktop entry names the data folder of the configured prefix, so the package uses it too.
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
  "libsdl2-2.0-0, libxext6, libfreetype6, libfontconfig1, libpng16-16, libsqlite3-0, libmdb3, libglib2.0-0, libespeak-ng1, espeak-ng-data, fonts-wqy-microhei, fonts-ipafont-gothic, fonts-kanjistrokeorders")
include(CPack)
