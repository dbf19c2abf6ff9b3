# The system install and the Debian package made from it.
#
# Component "system" (never part of a plain cmake --install) lays the program out as a system
# package does: the executable as <prefix>/bin/tassella, its read-only files (the guide, the initial
# password file) in <prefix>/share/tassella, the menu entry, icons, manual pages and documents at
# their standard places. Run from there, the program keeps each user's files in a folder the user
# chooses at the first start. "cpack -G DEB" in the build folder (scripts/package.sh) turns it into
# the package tassella_<version>_<arch>.deb with prefix /usr.

set(TASSELLA_PACKAGE_FILES ${CMAKE_BINARY_DIR}/package-files)
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

# The menu entry starts the command found on the PATH.
set(TASSELLA_EXEC tassella)
configure_file(${PROJECT_SOURCE_DIR}/dist/tassella.desktop.in ${TASSELLA_PACKAGE_FILES}/tassella.desktop @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/dist/changelog.in ${TASSELLA_PACKAGE_FILES}/changelog @ONLY)

# Manual pages and the change log, compressed as Debian wants them.
set(TASSELLA_COMPRESSED)
foreach(pair "dist/man/tassella.1|man/tassella.1.gz" "dist/man/it/tassella.1|man/it/tassella.1.gz"
             "${TASSELLA_PACKAGE_FILES}/changelog|changelog.gz")
    string(REPLACE "|" ";" pair "${pair}")
    list(GET pair 0 source)
    list(GET pair 1 target)
    get_filename_component(source "${source}" ABSOLUTE BASE_DIR ${PROJECT_SOURCE_DIR})
    set(target ${TASSELLA_PACKAGE_FILES}/${target})
    get_filename_component(folder "${target}" DIRECTORY)
    add_custom_command(
        OUTPUT ${target}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${folder}
        COMMAND ${CMAKE_COMMAND} -DSOURCE=${source} -DTARGET=${target} -P ${PROJECT_SOURCE_DIR}/cmake/Gzip.cmake
        DEPENDS ${source} ${PROJECT_SOURCE_DIR}/cmake/Gzip.cmake
        VERBATIM)
    list(APPEND TASSELLA_COMPRESSED ${target})
endforeach()
add_custom_target(tassella_package_files ALL DEPENDS ${TASSELLA_COMPRESSED})

set(system COMPONENT system EXCLUDE_FROM_ALL)
install(PROGRAMS $<TARGET_FILE:Tassella> DESTINATION bin RENAME tassella ${system})
# Stripped as Debian's own packages are: no symbols, no compiler comments.
install(CODE "execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
                  \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/tassella\" COMMAND_ERROR_IS_FATAL ANY)"
        ${system})
install(FILES ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/Guida.pdf ${PROJECT_SOURCE_DIR}/data/unins000.dll
        DESTINATION share/tassella ${system})
install(FILES ${TASSELLA_PACKAGE_FILES}/tassella.desktop DESTINATION share/applications ${system})
install(FILES ${TASSELLA_ICON_SVG} DESTINATION share/icons/hicolor/scalable/apps RENAME tassella.svg ${system})
foreach(size ${TASSELLA_ICON_SIZES})
    install(FILES ${TASSELLA_ICON_DIR}/${size}x${size}/apps/tassella.png
            DESTINATION share/icons/hicolor/${size}x${size}/apps ${system})
endforeach()
install(FILES ${TASSELLA_PACKAGE_FILES}/man/tassella.1.gz DESTINATION share/man/man1 ${system})
install(FILES ${TASSELLA_PACKAGE_FILES}/man/it/tassella.1.gz DESTINATION share/man/it/man1 ${system})
install(FILES ${PROJECT_SOURCE_DIR}/dist/copyright ${TASSELLA_PACKAGE_FILES}/changelog.gz
        DESTINATION share/doc/tassella ${system})

# The Debian package: component "system" alone, under /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tassella)
set(CPACK_PACKAGE_VENDOR "Officina Tessera")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/package)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL system)
set(CPACK_COMPONENTS_GROUPING ALL_COMPONENTS_IN_ONE)
set(CPACK_DEBIAN_PACKAGE_NAME tassella)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Officina Tessera <assistenza@officinatessera.example>")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://www.officinatessera.example")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# The libraries the executable links come from dpkg-shlibdeps. It cannot see what Qt and the program
# load or start by name: the Qt platform plugins for X11 and the SVG plugins (in libqt6gui6 and
# libqt6svg6, both linked), Wayland's platform plugin, Qt's Italian button captions, the fonts of
# the windows and printouts, and xdg-open for files, links and mail.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-dejavu-core, fonts-liberation2, qt6-translations-l10n, xdg-utils")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
# The guide, the payer sheets and the batch's slips are PDF files that xdg-open hands to a viewer.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "evince | okular | atril | qpdfview | pdf-viewer")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Italian postal slips TD 451 for the Government Concession Taxes")
# The synopsis above comes first; this is the extended description, in English and in Italian.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
    "Tassella fills in, archives and prints the pre-printed Italian postal slip
TD 451 (account 8003) for the Government Concession Taxes, and keeps a
registry of the payers, lists of unpaid and expired slips, searches, a
payment summary, spreadsheet exports and checks of tax codes, VAT numbers,
IBANs and card numbers. Its interface is in Italian. Each user keeps the
archives in a folder chosen at the first start, on a shared drive too.

Tassella compila, archivia e stampa il bollettino postale prestampato TD 451
(conto 8003) delle Tasse sulle Concessioni Governative e tiene l'anagrafica
degli Esecutori, gli elenchi dei bollettini non saldati e scaduti, le
ricerche, il riepilogo dei versamenti, le esportazioni per i fogli di calcolo
e i controlli di codici fiscali, partite IVA, IBAN e carte di credito. Ogni
utente conserva gli archivi in una cartella scelta al primo avvio, anche su
un'unità condivisa.")
include(CPack)
