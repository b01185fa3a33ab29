# What the installation holds besides the programs and the help (their rules stand beside their
# targets), and the Debian package made of it:
#
#   cmake --install build --prefix /usr/local     # or: cd build && cpack -G DEB
#
#   bin/                                  belvastrona, belvastrona-cli, belvastrona-build, belvastrona-sample
#   share/belvastrona/help/               help topics
#   share/belvastrona/dane/               the sample corpus, read-only
#   share/man/man1/                       manual pages (man/*.1, gzipped)
#   share/applications/, share/icons/hicolor/, share/metainfo/   the menu entry, its icon, AppStream
#   share/doc/belvastrona/                changelog.gz and copyright
set(BELV_PAKIET ${CMAKE_SOURCE_DIR}/packaging)
set(BELV_PAKIET_BUDOWA ${CMAKE_BINARY_DIR}/pakiet)
find_program(BELV_GZIP gzip REQUIRED)

# One file compressed at build time into the build folder's pakiet/ (Debian wants manual pages
# and the changelog gzipped); the result's path lands in the variable `wynik`.
function(belv_skompresowany zrodlo cel wynik)
  set(plik ${BELV_PAKIET_BUDOWA}/${cel})
  add_custom_command(OUTPUT ${plik}
    COMMAND ${CMAKE_COMMAND} -DGZIP=${BELV_GZIP} -DWEJSCIE=${zrodlo} -DWYJSCIE=${plik} -P ${BELV_PAKIET}/gzip.cmake
    DEPENDS ${zrodlo} ${BELV_PAKIET}/gzip.cmake
    VERBATIM)
  set(${wynik} ${plik} PARENT_SCOPE)
endfunction()

set(BELV_SKOMPRESOWANE)

# Manual pages: every man/*.1 there is (none yet is no error; a page added later is picked up by
# the next build).
file(GLOB BELV_STRONY_PODRECZNIKA CONFIGURE_DEPENDS ${CMAKE_SOURCE_DIR}/man/*.1)
foreach(strona ${BELV_STRONY_PODRECZNIKA})
  get_filename_component(nazwa ${strona} NAME)
  belv_skompresowany(${strona} man/${nazwa}.gz plik)
  list(APPEND BELV_SKOMPRESOWANE ${plik})
  install(FILES ${plik} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

belv_skompresowany(${BELV_PAKIET}/changelog doc/changelog.gz plik)
list(APPEND BELV_SKOMPRESOWANE ${plik})
install(FILES ${plik} ${BELV_PAKIET}/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/belvastrona)
add_custom_target(belvastrona-skompresowane ALL DEPENDS ${BELV_SKOMPRESOWANE})

if(TARGET belvastrona)
  # The menu entry, the icon (SVG and the PNGs rendered from it: rsvg-convert -w N -h N) and the
  # AppStream description.
  install(FILES ${BELV_PAKIET}/belvastrona.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${BELV_PAKIET}/belvastrona.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  foreach(bok 16 32 48 64 128 256)
    install(FILES ${BELV_PAKIET}/icons/${bok}/belvastrona.png
            DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${bok}x${bok}/apps)
  endforeach()
  install(FILES ${BELV_PAKIET}/pl.belvastrona.belvastrona.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

  # The sample corpus the program opens when started without a data directory: 2000 documents
  # made by the project's own tools, a few seconds of the build.
  set(BELV_KORPUS ${BELV_PAKIET_BUDOWA}/dane)
  add_custom_command(OUTPUT ${BELV_KORPUS}/plik.dat
    COMMAND ${CMAKE_COMMAND} -DPROBKA=$<TARGET_FILE:belvastrona-sample> -DBUDOWA=$<TARGET_FILE:belvastrona-build>
            -DDOKUMENTY=2000 -DZRODLO=${BELV_PAKIET_BUDOWA}/zrodlo -DDANE=${BELV_KORPUS} -P ${BELV_PAKIET}/korpus.cmake
    DEPENDS belvastrona-sample belvastrona-build ${BELV_PAKIET}/korpus.cmake
    COMMENT "Przykładowy korpus do instalacji (${BELV_KORPUS})"
    VERBATIM)
  add_custom_target(belvastrona-korpus ALL DEPENDS ${BELV_KORPUS}/plik.dat)
  install(DIRECTORY ${BELV_KORPUS}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/belvastrona/dane
          FILE_PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ
          DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endif()

# The Debian package: cpack -G DEB in the build folder gives belvastrona_VERSION_ARCH.deb.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME belvastrona)
set(CPACK_PACKAGE_VENDOR Belvastrona)
set(CPACK_PACKAGE_CONTACT "Belvastrona <pakiety@belvastrona.example>")
set(CPACK_PACKAGE_HOMEPAGE_URL https://www.belvastrona.example/)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "search in Polish tax documents")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Searching all forms of a word groups the corpus's words with the Polish hunspell dictionary;
# mail goes through xdg-email; the windows use DejaVu Sans.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "hunspell-pl, xdg-utils, fonts-dejavu-core")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
set(CPACK_PACKAGE_DESCRIPTION "Belvastrona is a desktop program for tax advisers. It searches a corpus of
Polish tax documents (court-ruling theses, Ministry of Finance letters,
tax-office interpretations) shipped with its full-text index, shows the hits
highlighted, keeps results as reports and queries as templates, reads legal
acts and mails documents.

The package holds the program, the command-line tools belvastrona-cli
(search), belvastrona-build (corpus builder) and belvastrona-sample (sample
source generator), the help and a small sample corpus.")
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build[^/]*/")
include(CPack)
