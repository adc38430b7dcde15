# Run by CTest: installs the build into a fresh prefix and runs the installed copy there, with a
# home of its own so that the real user's files are never touched.
# -D BUILD=<build folder> -D ORDNER=<scratch folder> -D BINDIR, DATADIR, DATEN=<install folders
# relative to the prefix> -D PROBE=<the window probe>
set(praefix ${ORDNER}/praefix)
set(heim ${ORDNER}/heim)
set(daten ${praefix}/${DATEN})
file(REMOVE_RECURSE ${ORDNER})
file(MAKE_DIRECTORY ${heim}/tmp)
set(ENV{HOME} ${heim})
set(ENV{XDG_DATA_HOME} ${heim}/.local/share)
set(ENV{XDG_CONFIG_HOME} ${heim}/.config)
set(ENV{XDG_CACHE_HOME} ${heim}/.cache)
set(ENV{TMPDIR} ${heim}/tmp)
set(ENV{QT_QPA_PLATFORM} offscreen)

# Runs a command that must succeed; its standard output goes to `ausgabe`.
function(laufe ausgabe)
  execute_process(COMMAND ${ARGN} OUTPUT_VARIABLE aus ERROR_VARIABLE fehler RESULT_VARIABLE rc)
  if(NOT rc EQUAL 0)
    message(FATAL_ERROR "${ARGN}\nRückgabe ${rc}\n${aus}\n${fehler}")
  endif()
  set(${ausgabe} "${aus}" PARENT_SCOPE)
endfunction()

function(erwarte text muster)
  if(NOT text MATCHES "${muster}")
    message(FATAL_ERROR "\"${muster}\" fehlt in:\n${text}")
  endif()
endfunction()

laufe(aus ${CMAKE_COMMAND} --install ${BUILD} --prefix ${praefix})

# Exactly these files, so that neither a missing one nor a stray build product goes unnoticed.
file(GLOB_RECURSE installiert RELATIVE ${praefix} ${praefix}/*)
list(SORT installiert)
set(erwartet
  ${BINDIR}/quarne
  ${BINDIR}/quarne-cli
  ${DATADIR}/applications/tarvolin.desktop
  ${DATADIR}/doc/tarvolin/copyright
  ${DATADIR}/icons/hicolor/256x256/apps/tarvolin.png
  ${DATADIR}/icons/hicolor/scalable/apps/tarvolin.svg
  ${DATADIR}/mime/packages/tarvolin.xml
  ${DATEN}/Bibliothek5.bib
  ${DATEN}/Sicherung5.bib
  ${DATEN}/hilfe.html
  ${DATEN}/ueber.html)
list(SORT erwartet)
if(NOT installiert STREQUAL erwartet)
  message(FATAL_ERROR "Installiert:\n${installiert}\nErwartet:\n${erwartet}")
endif()

find_program(validieren desktop-file-validate)
if(validieren)
  laufe(aus ${validieren} ${praefix}/${DATADIR}/applications/tarvolin.desktop)
endif()

# The entry opens the file it is given, and the type of ".ml" names it.
file(READ ${praefix}/${DATADIR}/applications/tarvolin.desktop eintrag)
erwarte("${eintrag}" "\nExec=quarne %f\n")
erwarte("${eintrag}" "\nMimeType=application/x-quarne-partie;\n")
find_program(mimedatenbank update-mime-database)
if(mimedatenbank)
  laufe(aus ${mimedatenbank} ${praefix}/${DATADIR}/mime)
  file(READ ${praefix}/${DATADIR}/mime/globs2 muster)
  erwarte("${muster}" "application/x-quarne-partie:\\*\\.ml")
endif()

# The installed command line on the installed library and backup.
set(cli ${praefix}/${BINDIR}/quarne-cli)
laufe(aus ${cli} bib info ${daten}/Bibliothek5.bib)
erwarte("${aus}" "\n4\t[1-9]")
laufe(aus ${cli} bib pruefen ${daten}/Sicherung5.bib)
erwarte("${aus}" "Check ok")
laufe(aus ${cli} analyse "........................ W 0 0" --bib ${daten}/Bibliothek5.bib)
erwarte("${aus}" "\\(Bibliothek\\)")

# The window probe sees the folders of an installed window only from the installed bin folder.
file(COPY ${PROBE} DESTINATION ${praefix}/${BINDIR})
get_filename_component(probe ${PROBE} NAME)
laufe(aus ${praefix}/${BINDIR}/${probe} ${daten})
# The game it saved in the user's documents: the computer's move as White.
laufe(aus ${cli} partie ${heim}/Documents/partie.ml)
erwarte("${aus}" "^1\tW\t--- [a-g][1-7]\n$")
