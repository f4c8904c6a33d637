# Installation as a desktop program (cmake --install build --prefix P) and the Debian package
# made from it (cpack -G DEB in build/).
include(GNUInstallDirs)

set(KIBORU_ID org.example.Kiboru)
set(KIBORU_DIST ${CMAKE_SOURCE_DIR}/dist)

# A lower-case command as on every Linux system; the build folder keeps "Kiboru" for the scripts.
# The program's own files keep their names whatever the binary is called.
install(PROGRAMS $<TARGET_FILE:Kiboru> DESTINATION ${CMAKE_INSTALL_BINDIR} RENAME kiboru)
# install(PROGRAMS) is not stripped by --strip or by the package; the debug information stays in build/.
install(CODE "
  if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND \"${CMAKE_STRIP}\" \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/kiboru\")
  endif()")

install(FILES ${KIBORU_DIST}/${KIBORU_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${KIBORU_DIST}/${KIBORU_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${KIBORU_DIST}/${KIBORU_ID}.mime.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages
        RENAME ${KIBORU_ID}.xml)
install(DIRECTORY ${KIBORU_DIST}/icons/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor
        FILES_MATCHING PATTERN "*.png" PATTERN "*.svg")
install(FILES ${CMAKE_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kiboru)
# The README's picture, where its link looks for it.
install(FILES ${CMAKE_SOURCE_DIR}/docs/analyse.png DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kiboru/docs)

# The package: dependencies computed from the binary by dpkg-shlibdeps. Debian's own triggers
# refresh the file-type database, the desktop entries and the icon cache on install and removal.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kiboru)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Quennel)
set(CPACK_PACKAGE_CONTACT "Quennel <kiboru@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Go auf dem 7x7-Brett gegen den Computer spielen")
# Below the summary; CPack indents the lines as the control file wants them.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Kiboru ist ein Go-Programm mit deutscher Oberfläche für das kleine 7x7-Brett:
Partien gegen den eingebauten Computergegner, Varianten, Stellungseingabe,
eigene Partiedateien und ein GTP-Modus (kiboru --gtp) für andere Go-Programme.")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.example.org/kiboru")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The toolkit's German buttons and file dialogs; without them the program still runs.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
include(CPack)
