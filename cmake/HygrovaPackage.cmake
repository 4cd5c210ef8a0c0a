# The Debian package, built by CPack from every install rule of the project (see
# scripts/package.sh). Its dependencies are those dpkg-shlibdeps finds for the executables,
# plus what they load at run time: Qt's platform plugins and a font with Chinese characters.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME hygrova)
set(CPACK_PACKAGE_VENDOR "Hygrova developers")
set(CPACK_PACKAGE_CONTACT "Hygrova developers <hygrova@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "enthalpy-moisture content (h-d) chart of moist air")
set(CPACK_PACKAGE_DESCRIPTION
    "Hygrova draws the enthalpy-moisture content (h-d) chart of moist air for
a chosen atmospheric pressure, shows the state of the air under the mouse
pointer, computes a state from any two known parameters and marks it on the
chart. Its interface is Chinese.")
set(CPACK_PACKAGE_HOMEPAGE_URL "https://hygrova.example.org")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Beside the shared libraries: the platform plugin Qt loads at run time, a font with Chinese
# characters, DejaVu Sans for the degree sign the Chinese font lacks, and Qt's Chinese texts
# for its standard dialogs and menus.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "qt6-qpa-plugins, fonts-wqy-microhei | fonts-noto-cjk, fonts-dejavu-core, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
include(CPack)
