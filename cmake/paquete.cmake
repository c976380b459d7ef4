# What an installation holds and the Debian package made of it (scripts/paquete.sh).
# An installed program finds its read-only data in <prefix>/share/bolarium and keeps each
# user's files in that user's data folder (app/carpetadatos.h).
include(GNUInstallDirs)

install(TARGETS bolarium RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/data/ DESTINATION ${CMAKE_INSTALL_DATADIR}/bolarium)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/manual/
        DESTINATION ${CMAKE_INSTALL_DATADIR}/bolarium/manual)
install(FILES ${PROJECT_SOURCE_DIR}/paquete/es.bolarium.Bolarium.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/paquete/es.bolarium.Bolarium.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${PROJECT_SOURCE_DIR}/paquete/bolarium.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# The PNG sizes are drawn by tools/icono at build time.
install(DIRECTORY ${PROJECT_BINARY_DIR}/iconos/ DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME bolarium)
set(CPACK_PACKAGE_VENDOR Bolarium)
set(CPACK_PACKAGE_CONTACT "Bolarium <soporte@bolarium.es>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "comprueba tus peñas de La Primitiva con los sorteos")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Bolarium guarda el archivo de sorteos de La Primitiva, descarga los sorteos nuevos y
comprueba cada peña (sencilla, múltiple o reducida) contra los sorteos desde su
creación. Muestra estadísticas e imprime boletos, participaciones e informes.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://www.bolarium.es)
# The libraries the executable links are found by dpkg-shlibdeps, not listed here by hand.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own dialogs read Spanish with its translations; without them they read English.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
set(CPACK_STRIP_FILES ON)
include(CPack)
