# make package: a Debian package and a relocatable folder (.tar.gz) from one
# install tree. The program folder holds aeat, aeat-cli, Mdb/ and the
# office's LEEME.txt. The package puts it in /opt/aeat, with links on the
# PATH, the desktop entry, the icons and the AppStream metadata; the folder
# carries instead the script that installs the runtime packages.
set(AEAT_APP_ID es.ecorda.aeat)
set(AEAT_PACKAGE_PREFIX /opt/aeat)
set(packaging ${CMAKE_SOURCE_DIR}/packaging)

install(TARGETS aeat aeat-cli RUNTIME DESTINATION . COMPONENT program)
install(DIRECTORY DESTINATION Mdb COMPONENT program)
install(FILES ${packaging}/LEEME.txt DESTINATION . COMPONENT program)

install(PROGRAMS ${packaging}/instalar-dependencias.sh DESTINATION . COMPONENT folder)

set(links ${CMAKE_BINARY_DIR}/package-links)
file(MAKE_DIRECTORY ${links})
foreach(program aeat aeat-cli)
  file(CREATE_LINK ${AEAT_PACKAGE_PREFIX}/${program} ${links}/${program} SYMBOLIC)
  install(FILES ${links}/${program} DESTINATION /usr/bin COMPONENT system)
endforeach()
install(FILES ${packaging}/${AEAT_APP_ID}.desktop DESTINATION /usr/share/applications COMPONENT system)
install(FILES ${packaging}/${AEAT_APP_ID}.metainfo.xml DESTINATION /usr/share/metainfo COMPONENT system)
install(FILES ${packaging}/icons/aeat.svg DESTINATION /usr/share/icons/hicolor/scalable/apps
        RENAME ${AEAT_APP_ID}.svg COMPONENT system)
foreach(size 48 128 256)
  install(FILES ${packaging}/icons/aeat-${size}.png DESTINATION /usr/share/icons/hicolor/${size}x${size}/apps
          RENAME ${AEAT_APP_ID}.png COMPONENT system)
endforeach()
# Debian keeps a native package's changelog compressed, without a time stamp.
execute_process(COMMAND gzip -9 -n -c ${packaging}/debian/changelog
                OUTPUT_FILE ${CMAKE_BINARY_DIR}/changelog.gz COMMAND_ERROR_IS_FATAL ANY)
install(FILES ${packaging}/debian/copyright ${CMAKE_BINARY_DIR}/changelog.gz DESTINATION /usr/share/doc/aeat
        COMPONENT system)
install(FILES ${packaging}/debian/lintian-overrides DESTINATION /usr/share/lintian/overrides
        RENAME aeat COMPONENT system)

set(CPACK_GENERATOR DEB TGZ)
set(CPACK_PACKAGE_NAME aeat)
set(CPACK_PACKAGE_VENDOR "The aeat developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Modelos 190 y 347 desde la contabilidad de Ecorda")
set(CPACK_PACKAGE_FILE_NAME aeat-${PROJECT_VERSION}-${CMAKE_SYSTEM_PROCESSOR})
set(CPACK_STRIP_FILES ON)
configure_file(${CMAKE_SOURCE_DIR}/cmake/PackagingPerGenerator.cmake.in
               ${CMAKE_BINARY_DIR}/PackagingPerGenerator.cmake @ONLY)
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_BINARY_DIR}/PackagingPerGenerator.cmake)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "The aeat developers <aeat@centro.example>")
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Prepara los ficheros de los Modelos 190 y 347 para la Agencia Tributaria\n\
directamente de la base de datos de la contabilidad de Ecorda, los comprueba\n\
con las normas de registro de la Agencia y revisa los CIF/NIF de los\n\
proveedores.")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Loaded at run time, not linked: the display plugin, Qt's Spanish translations and the fonts of the
# windows and reports.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, qt6-translations-l10n, fonts-liberation2, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${packaging}/debian/postinst)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)
