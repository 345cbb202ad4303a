# Where `cmake --install` (and so the .deb) puts Kvelta: the two programs, the desktop entry, the
# icon, the AppStream metainfo, the manual pages, the copyright file and the changelog.
include(GNUInstallDirs)

# The application id names the desktop entry, the icon and the metainfo alike; see the metainfo
# file for why it lives under example.org.
set(KVELTA_APP_ID org.example.Kvelta)
set(KVELTA_DATA_DIR ${PROJECT_SOURCE_DIR}/data)

install(TARGETS kvelta kvelta-solve kvelta-web RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# kvelta-web's service: installed, not enabled (the package runs no systemctl).
install(FILES ${KVELTA_DATA_DIR}/kvelta-web.service DESTINATION lib/systemd/system)
# kvelta-solve's PDF module: a private library, loaded by path.
install(TARGETS kvelta-pdf LIBRARY DESTINATION ${KVELTA_PDF_MODULE_DIR}
        PERMISSIONS OWNER_READ OWNER_WRITE GROUP_READ WORLD_READ)

# The documents that list the exercises are filled from the catalogue at build time (see
# src/catalogue/documents_main.cpp): a new exercise needs no edit in data/.
set(KVELTA_DOCUMENTS_DIR ${CMAKE_BINARY_DIR}/data)
function(kvelta_document name)
  add_custom_command(OUTPUT ${KVELTA_DOCUMENTS_DIR}/${name}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${KVELTA_DOCUMENTS_DIR}
                     COMMAND kvelta-documents ${KVELTA_DATA_DIR}/${name}.in ${KVELTA_DOCUMENTS_DIR}/${name}
                     DEPENDS kvelta-documents ${KVELTA_DATA_DIR}/${name}.in VERBATIM)
  set_property(GLOBAL APPEND PROPERTY KVELTA_DOCUMENTS ${KVELTA_DOCUMENTS_DIR}/${name})
endfunction()
foreach(document kvelta.1 kvelta-solve.1 ${KVELTA_APP_ID}.desktop ${KVELTA_APP_ID}.metainfo.xml
                 package-description.txt)
  kvelta_document(${document})
endforeach()
get_property(documents GLOBAL PROPERTY KVELTA_DOCUMENTS)
add_custom_target(kvelta_documents ALL DEPENDS ${documents})

install(FILES ${KVELTA_DOCUMENTS_DIR}/${KVELTA_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${KVELTA_DOCUMENTS_DIR}/${KVELTA_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)

install(FILES ${KVELTA_DATA_DIR}/icons/${KVELTA_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
# The PNGs are rendered by scripts/make-icons.sh and committed, so the build needs no SVG renderer.
foreach(size 48 64 128 256)
  install(FILES ${KVELTA_DATA_DIR}/icons/${size}x${size}/${KVELTA_APP_ID}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
endforeach()

# Manual pages and the Debian changelog go compressed, as Debian wants them (gzip -n: no name or
# time stamp inside, so the same sources give the same bytes).
set(KVELTA_COMPRESSED_DIR ${CMAKE_BINARY_DIR}/compressed)
function(kvelta_compress source output)
  add_custom_command(OUTPUT ${KVELTA_COMPRESSED_DIR}/${output}
                     COMMAND ${CMAKE_COMMAND} -E make_directory ${KVELTA_COMPRESSED_DIR}
                     COMMAND sh -c "gzip -9n -c \"$1\" > \"$2\"" sh ${source} ${KVELTA_COMPRESSED_DIR}/${output}
                     DEPENDS ${source} VERBATIM)
  set_property(GLOBAL APPEND PROPERTY KVELTA_COMPRESSED ${KVELTA_COMPRESSED_DIR}/${output})
endfunction()
kvelta_compress(${KVELTA_DOCUMENTS_DIR}/kvelta.1 kvelta.1.gz)
kvelta_compress(${KVELTA_DOCUMENTS_DIR}/kvelta-solve.1 kvelta-solve.1.gz)
kvelta_compress(${KVELTA_DATA_DIR}/kvelta-web.1 kvelta-web.1.gz)
kvelta_compress(${KVELTA_DATA_DIR}/changelog changelog.gz)
get_property(compressed GLOBAL PROPERTY KVELTA_COMPRESSED)
add_custom_target(kvelta_compressed ALL DEPENDS ${compressed})

install(FILES ${KVELTA_COMPRESSED_DIR}/kvelta.1.gz ${KVELTA_COMPRESSED_DIR}/kvelta-solve.1.gz
              ${KVELTA_COMPRESSED_DIR}/kvelta-web.1.gz
        DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Debian wants the copyright file in /usr/share/doc/<package>, named after the package, not the project.
install(FILES ${KVELTA_DATA_DIR}/copyright DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/kvelta)
# The version carries no Debian revision, so the package is a native one: its changelog is changelog.gz.
install(FILES ${KVELTA_COMPRESSED_DIR}/changelog.gz DESTINATION ${CMAKE_INSTALL_DATAROOTDIR}/doc/kvelta)
