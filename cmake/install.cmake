# The installed layout: both programs in bin/; the shipped library (once more as the backup) and
# the pages in share/tarvolin/, where read-only data of one program belongs whatever the machine;
# the desktop entry, the game files' type and the icon where every desktop looks for them.
include(GNUInstallDirs)
set(QUARNE_DATEN_DIR ${CMAKE_INSTALL_DATADIR}/tarvolin)

install(TARGETS quarne-cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
# The package's licence, where Debian looks for it.
install(FILES assets/copyright DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/tarvolin)
install(FILES assets/Bibliothek5.bib DESTINATION ${QUARNE_DATEN_DIR})
install(FILES assets/Bibliothek5.bib DESTINATION ${QUARNE_DATEN_DIR} RENAME Sicherung5.bib)

if(QUARNE_WINDOW)
  # The window finds the data folder relative to its own, so that an installed tree works under
  # any prefix and wherever it is moved.
  cmake_path(ABSOLUTE_PATH QUARNE_DATEN_DIR BASE_DIRECTORY ${CMAKE_INSTALL_PREFIX}
             OUTPUT_VARIABLE quarne_daten_voll)
  file(RELATIVE_PATH quarne_daten_relativ ${CMAKE_INSTALL_FULL_BINDIR} ${quarne_daten_voll})
  target_compile_definitions(quarne_ui PRIVATE QUARNE_DATEN_RELATIV="${quarne_daten_relativ}")

  install(TARGETS quarne RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES assets/hilfe.html assets/ueber.html DESTINATION ${QUARNE_DATEN_DIR})
  install(FILES assets/tarvolin.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  # The game files' type, so that a file manager opens a ".ml" with the window; the desktop's
  # mime database takes it up (the Debian package through dpkg's trigger).
  install(FILES assets/tarvolin.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages)
  install(FILES assets/tarvolin.svg
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  # Rendered from the SVG: rsvg-convert -w 256 -h 256 assets/tarvolin.svg -o assets/tarvolin.png
  install(FILES assets/tarvolin.png DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/256x256/apps)
endif()
