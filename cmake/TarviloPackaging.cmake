# A Debian package of the installed program and its manual page. Its
# library dependencies are worked out by dpkg-shlibdeps from the executable;
# the platform plug-ins (loaded, not linked), the fonts the window is sized
# for and Qt's own Spanish texts (loaded at start) are added.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvilo)
set(CPACK_PACKAGE_VENDOR "Tarvilo")
set(CPACK_PACKAGE_CONTACT "Tarvilo <maintainers@tarvilo.example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Q-V voltage stability of a two-bus network")
set(CPACK_PACKAGE_DESCRIPTION "Draws the Q-V curves of the load bus of a two-bus network, computes the reactive margin, the minimum voltage and the operating points, and writes the curves to salida.txt. Without a window, tarvilo --calcular computes a case file and tarvilo --lote a table of cases (see tarvilo(1)).")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation, qt6-translations-l10n")
# shared-mime-info and desktop-file-utils make a double click on a case file
# open it: their triggers take in the installed type and menu entry.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "hardinfo, shared-mime-info, desktop-file-utils")
include(CPack)
