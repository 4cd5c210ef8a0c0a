# The Debian package, built by CPack from every install rule of the project (see
# scripts/package.sh). Its dependencies are those dpkg-shlibdeps finds for the executables,
# plus what they load at run time: Qt's platform plugins and a font with Chinese characters.

# The package's code is compiled and linked as Debian builds its packages, with the flags
# dpkg-buildflags gives with every hardening feature: the stack protector, fortified source
# functions, read-only relocations bound at start. They go on hygrova_flags, which every
# target links.
option(HYGROVA_DEBIAN_BUILD_FLAGS "Compile and link with the flags of dpkg-buildflags" OFF)
if(HYGROVA_DEBIAN_BUILD_FLAGS)
  find_program(DPKG_BUILDFLAGS dpkg-buildflags REQUIRED)
  foreach(kind CPPFLAGS CXXFLAGS LDFLAGS)
    execute_process(
      COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
              ${DPKG_BUILDFLAGS} --get ${kind}
      WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}  # file paths are kept relative to it
      OUTPUT_VARIABLE flags OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
    separate_arguments(dpkg_${kind} UNIX_COMMAND "${flags}")
  endforeach()
  target_compile_options(hygrova_flags INTERFACE ${dpkg_CPPFLAGS} ${dpkg_CXXFLAGS})
  target_link_options(hygrova_flags INTERFACE ${dpkg_LDFLAGS})
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME hygrova)
set(CPACK_PACKAGE_VENDOR "Hygrova developers")
set(CPACK_PACKAGE_CONTACT "Hygrova developers <hygrova@example.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "enthalpy-moisture content (h-d) chart of moist air")
set(CPACK_PACKAGE_DESCRIPTION
    "Hygrova draws the enthalpy-moisture content (h-d) chart of moist air for
a chosen atmospheric pressure, shows the state of the air under the mouse
pointer, computes a state from any two known parameters and marks it on the
chart, which it saves as PNG, SVG or PDF, copies and prints. Its interface
is Chinese.

The command hygrova-calc computes the same states without a window, for
one state or for CSV files of measurements, and flags the states the
formulas cannot stand behind.")
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
