# Installing Trellan the Debian way and packing it as a .deb (CPack):
#   /usr/bin/trellan, /usr/bin/trellan-demo-mud
#   /usr/share/trellan/          language files, the demo world's profiles
#   /usr/share/applications/     trellan.desktop
#   /usr/share/icons/hicolor/    scalable/apps/trellan.svg, 256x256/apps/trellan.png
#   /usr/share/man/man1/         trellan.1.gz, trellan-demo-mud.1.gz
#   /usr/share/doc/trellan/      README, the file format pages, copyright, changelog
# scripts/package builds the package; the installed program keeps its home
# under $XDG_DATA_HOME/trellan (settings/HomeDirectory).
include(GNUInstallDirs)

set(TRELLAN_DATA_DIR ${CMAKE_INSTALL_DATADIR}/trellan)
set(TRELLAN_PACKAGING_DIR ${CMAKE_SOURCE_DIR}/packaging)
set(TRELLAN_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/trellan)

# Files that belong beside the program: the build directory is the program's
# directory while developing, so they are copied there too.
set(TRELLAN_PROGRAM_FILES ${TRELLAN_PACKAGING_DIR}/language.en.ini ${TRELLAN_PACKAGING_DIR}/help.ru.html)
foreach(file IN LISTS TRELLAN_PROGRAM_FILES)
  configure_file(${file} ${CMAKE_BINARY_DIR} COPYONLY)
endforeach()

if(TARGET trellan)
  install(TARGETS trellan RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
if(TARGET trellan-demo-mud)
  install(TARGETS trellan-demo-mud RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
endif()
install(FILES ${TRELLAN_PROGRAM_FILES} DESTINATION ${TRELLAN_DATA_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/tools/demo-mud/local.ini ${CMAKE_SOURCE_DIR}/tools/demo-mud/local-russian.ini
        DESTINATION ${TRELLAN_DATA_DIR}/demo-mud)
install(FILES ${TRELLAN_PACKAGING_DIR}/trellan.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${TRELLAN_PACKAGING_DIR}/trellan.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)

# Generated files: the 256 px icon from the SVG, the manual pages and the
# changelog compressed the way Debian wants them (gzip -9n, no time stamp).
set(TRELLAN_GENERATED_DIR ${CMAKE_BINARY_DIR}/packaging)
set(TRELLAN_GENERATED "")
find_program(TRELLAN_RSVG_CONVERT rsvg-convert)
if(TRELLAN_RSVG_CONVERT)
  add_custom_command(OUTPUT ${TRELLAN_GENERATED_DIR}/trellan.png
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TRELLAN_GENERATED_DIR}
    COMMAND ${TRELLAN_RSVG_CONVERT} -w 256 -h 256 ${TRELLAN_PACKAGING_DIR}/trellan.svg -o ${TRELLAN_GENERATED_DIR}/trellan.png
    DEPENDS ${TRELLAN_PACKAGING_DIR}/trellan.svg VERBATIM)
  list(APPEND TRELLAN_GENERATED ${TRELLAN_GENERATED_DIR}/trellan.png)
  install(FILES ${TRELLAN_GENERATED_DIR}/trellan.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
else()
  message(STATUS "rsvg-convert not found (librsvg2-bin): the package gets no 256 px icon")
endif()

foreach(source IN ITEMS trellan.1 trellan-demo-mud.1 changelog)
  add_custom_command(OUTPUT ${TRELLAN_GENERATED_DIR}/${source}.gz
    COMMAND ${CMAKE_COMMAND} -E make_directory ${TRELLAN_GENERATED_DIR}
    COMMAND sh -c "gzip -9n -c '${TRELLAN_PACKAGING_DIR}/${source}' > '${TRELLAN_GENERATED_DIR}/${source}.gz'"
    DEPENDS ${TRELLAN_PACKAGING_DIR}/${source} VERBATIM)
  list(APPEND TRELLAN_GENERATED ${TRELLAN_GENERATED_DIR}/${source}.gz)
endforeach()
add_custom_target(trellan_package_files ALL DEPENDS ${TRELLAN_GENERATED})
install(FILES ${TRELLAN_GENERATED_DIR}/trellan.1.gz ${TRELLAN_GENERATED_DIR}/trellan-demo-mud.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${TRELLAN_GENERATED_DIR}/changelog.gz ${TRELLAN_PACKAGING_DIR}/copyright DESTINATION ${TRELLAN_DOC_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/README.md ${CMAKE_SOURCE_DIR}/docs/maps-directory.md
        ${CMAKE_SOURCE_DIR}/docs/zone-file-format.md ${CMAKE_SOURCE_DIR}/docs/objects-file-format.md
        ${CMAKE_SOURCE_DIR}/docs/skin-files.md DESTINATION ${TRELLAN_DOC_DIR})
install(FILES ${CMAKE_SOURCE_DIR}/tools/demo-mud/README.md DESTINATION ${TRELLAN_DOC_DIR} RENAME README.demo-mud.md)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME trellan)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CONTACT "Trellan developers <trellan@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "automatic mapper for text MUDs, as a proxy for any MUD client")
# The long description; CPack puts the summary line before it.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Trellan sits between a MUD client and a MUD server, relays both ways
(inflating MCCP), recognises the rooms in the server's output and draws
the map as the player walks. It speedwalks to bookmarked rooms, keeps a
base of identified objects and edits the map by mouse. Its interface is
Russian (an English interface file is included) and its defaults fit
Russian-language MUDs. The package includes a small demo MUD server.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION net)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Qt's own Russian texts (standard buttons and dialogs); English without them.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS qt6-translations-l10n)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
include(CPack)
