# `make package`: a Debian package of the installed layout, tarvolin_<version>_<arch>.deb in the
# build folder. dpkg-shlibdeps (from dpkg-dev) derives the dependencies on shared libraries.
set(QUARNE_PAKET_BETREUER "Tarvolin <tarvolin@example.org>"
    CACHE STRING "Maintainer field of the Debian package: Name <address>")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvolin)
set(CPACK_PACKAGE_VENDOR Tarvolin)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Mühlespiel gegen den Computer (mill board game)")
set(CPACK_PACKAGE_DESCRIPTION
    "Tarvolin ist ein Programm für das klassische Mühlespiel. Sie spielen mit der
Maus gegen den Computer, oder zwei Personen spielen gegeneinander. Der Computer
sucht bis zu 16 Halbzüge tief und zeigt jeden möglichen Zug mit seiner
Bewertung; eine Eröffnungsbibliothek liegt bei.

Tarvolin plays the classic mill board game (German user interface) against a
person, with a deep search that shows every move with its evaluation, and a
shipped opening library. The package also holds quarne-cli, which analyses
positions without a window.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QUARNE_PAKET_BETREUER}")
set(CPACK_DEBIAN_PACKAGE_SECTION games)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
if(QUARNE_WINDOW)
  # Qt loads the plugin that puts windows on the screen at run time, so no library dependency
  # names it.
  set(CPACK_DEBIAN_PACKAGE_DEPENDS qt6-qpa-plugins)
  # The face the window puts in for its own where that is missing, and the German texts of Qt's
  # own dialogs.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation2, qt6-translations-l10n")
endif()
set(CPACK_STRIP_FILES ON)
include(CPack)
