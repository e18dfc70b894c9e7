# Installs the two programs, the desktop entry, the software-centre entry, the icon, the default
# kana table and the manual pages; `cpack -G DEB` packs the same tree.
include(GNUInstallDirs)

set(MORALEAF_DATA_DIR ${CMAKE_INSTALL_FULL_DATADIR}/moraleaf)
set(MORALEAF_VERSION 1.0.0)
# The software-centre id, in reverse-DNS form of the project's address.
set(MORALEAF_APP_ID invalid.moraleaf.Moraleaf)
set(MORALEAF_HOMEPAGE "https://moraleaf.invalid" CACHE STRING "Where the project is published, its docs/ screenshots included")

# The default table is made by the kit at build time, as `make run` makes it; the fonts it
# draws with are chosen with its cache in the build folder, not the user's.
add_custom_command(OUTPUT ${CMAKE_BINARY_DIR}/share/db1.mdb
  COMMAND ${CMAKE_COMMAND} -E env XDG_CACHE_HOME=${CMAKE_BINARY_DIR}/xdg-cache
          $<TARGET_FILE:moraleaf-kit> db create ${CMAKE_BINARY_DIR}/share/db1.mdb --force
  DEPENDS moraleaf-kit
  COMMENT "Creating the default db1.mdb")
add_custom_target(default_database ALL DEPENDS ${CMAKE_BINARY_DIR}/share/db1.mdb)

configure_file(${PROJECT_SOURCE_DIR}/packaging/moraleaf.desktop.in ${CMAKE_BINARY_DIR}/share/moraleaf.desktop @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/moraleaf.metainfo.xml.in
  ${CMAKE_BINARY_DIR}/share/${MORALEAF_APP_ID}.metainfo.xml @ONLY)
foreach(page moraleaf moraleaf-kit)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/man/${page}.1 ${CMAKE_BINARY_DIR}/share/man/${page}.1 @ONLY)
endforeach()
configure_file(${PROJECT_SOURCE_DIR}/packaging/changelog.in ${CMAKE_BINARY_DIR}/share/changelog @ONLY)

# Manual pages and the changelog go out compressed, without a time stamp (as Debian wants).
set(compressed)
foreach(file man/moraleaf.1 man/moraleaf-kit.1 changelog)
  set(source ${CMAKE_BINARY_DIR}/share/${file})
  add_custom_command(OUTPUT ${source}.gz
    COMMAND gzip -9nc ${source} > ${source}.gz
    DEPENDS ${source})
  list(APPEND compressed ${source}.gz)
endforeach()
add_custom_target(compressed_docs ALL DEPENDS ${compressed})

install(TARGETS moraleaf moraleaf-kit RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(FILES ${CMAKE_BINARY_DIR}/share/db1.mdb DESTINATION ${CMAKE_INSTALL_DATADIR}/moraleaf)
install(FILES ${CMAKE_BINARY_DIR}/share/moraleaf.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_BINARY_DIR}/share/${MORALEAF_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
foreach(size 16x16 32x32)
  install(FILES ${PROJECT_SOURCE_DIR}/packaging/icons/${size}/moraleaf.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}/apps)
endforeach()
install(FILES ${CMAKE_BINARY_DIR}/share/man/moraleaf.1.gz ${CMAKE_BINARY_DIR}/share/man/moraleaf-kit.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/copyright ${CMAKE_BINARY_DIR}/share/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/moraleaf)

set(CPACK_PACKAGE_NAME moraleaf)
set(CPACK_PACKAGE_VERSION ${MORALEAF_VERSION})
set(CPACK_PACKAGE_CONTACT "Moraleaf developers <dev@moraleaf.invalid>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Learn the Japanese kana")
set(CPACK_PACKAGE_DESCRIPTION "Moraleaf shows the Japanese hiragana and katakana as charts of pictures
and as a random-draw quiz; pointing at a kana shows its pronunciation.
The kana table can be exported, changed and imported again with the
companion command moraleaf-kit.")
set(CPACK_PACKAGE_INSTALL_DIRECTORY moraleaf)
# The desktop entry names the data folder of the configured prefix, so the package uses it too.
set(CPACK_PACKAGING_INSTALL_PREFIX ${CMAKE_INSTALL_PREFIX})
set(CPACK_DEBIAN_PACKAGE_SECTION education)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_STRIP_FILES ON)
# The libraries the programs link come from dpkg-shlibdeps; the ones they open at run time
# (fontconfig, espeak-ng, libmdb), the voice data and the fonts are named here.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libfontconfig1, libespeak-ng1, libmdb3, espeak-ng-data, fonts-wqy-microhei, fonts-ipafont-gothic, fonts-kanjistrokeorders")
include(CPack)

# The entries as desktops and software centres read them.
add_test(NAME desktop_entry_valid COMMAND desktop-file-validate ${CMAKE_BINARY_DIR}/share/moraleaf.desktop)
add_test(NAME metainfo_valid COMMAND appstreamcli validate --no-net ${CMAKE_BINARY_DIR}/share/${MORALEAF_APP_ID}.metainfo.xml)
