# The Debian packages, made by `cpack -G DEB` (scripts/package.sh) from what
# `cmake --install` puts in place: libquirvane-dev gets the Development
# component (headers, static library, CMake package, quirvane.pc), and
# quirvane every other component, so that files installed later, whatever
# component they name, reach a package. Only with -DQUIRVANE_PACKAGE=ON.
if(NOT QUIRVANE_PACKAGE)
  return()
endif()
if(NOT QUIRVANE_WITH_QT OR NOT QUIRVANE_BUILD_GUI)
  message(FATAL_ERROR "QUIRVANE_PACKAGE needs both programs: QUIRVANE_WITH_QT and QUIRVANE_BUILD_GUI")
endif()
# GNUInstallDirs gives Debian's multiarch library folder only under /usr.
if(NOT CMAKE_INSTALL_PREFIX STREQUAL "/usr")
  message(FATAL_ERROR "QUIRVANE_PACKAGE: configure with -DCMAKE_INSTALL_PREFIX=/usr")
endif()
find_program(QUIRVANE_DPKG_SHLIBDEPS dpkg-shlibdeps REQUIRED)

set(QUIRVANE_PACKAGE_MAINTAINER "Quirvane developers <quirvane@example.org>"
    CACHE STRING "Maintainer field of the Debian packages")
# The Debian revision of this version's packages; the version is the project's.
set(QUIRVANE_DEB_RELEASE 1)
set(QUIRVANE_DEB_VERSION "${PROJECT_VERSION}-${QUIRVANE_DEB_RELEASE}")

# Each package's copyright and changelog, as Debian wants them.
string(TIMESTAMP QUIRVANE_DEB_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
set(changelog "${PROJECT_BINARY_DIR}/packaging/changelog.Debian")
configure_file(packaging/changelog.in "${changelog}" @ONLY)
execute_process(COMMAND gzip -9n -c "${changelog}" OUTPUT_FILE "${changelog}.gz"
                COMMAND_ERROR_IS_FATAL ANY)
foreach(package_component IN ITEMS "quirvane;Runtime" "libquirvane-dev;Development")
  list(GET package_component 0 package)
  list(GET package_component 1 component)
  install(FILES packaging/copyright "${changelog}.gz"
          DESTINATION "${CMAKE_INSTALL_DATADIR}/doc/${package}" COMPONENT ${component})
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quirvane)
set(CPACK_PACKAGE_VENDOR "Quirvane developers")
set(CPACK_PACKAGING_INSTALL_PREFIX "${CMAKE_INSTALL_PREFIX}")
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

get_cmake_property(install_components COMPONENTS)
set(CPACK_COMPONENTS_ALL ${install_components})
set(CPACK_COMPONENTS_GROUPING ONE_PER_GROUP)
set(CPACK_DEB_COMPONENT_INSTALL ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE ${QUIRVANE_DEB_RELEASE})
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QUIRVANE_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_COMPRESSION_TYPE xz)

set(CPACK_DEBIAN_PROGRAMS_PACKAGE_NAME quirvane)
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_SHLIBDEPS ON)
# What the window loads by name, which dpkg-shlibdeps cannot see: the dialog
# font, Qt's Japanese translations and the plugin that shows a window at all.
set(CPACK_DEBIAN_PROGRAMS_PACKAGE_DEPENDS
    "fonts-ipafont-gothic, qt6-translations-l10n, qt6-qpa-plugins")
set(CPACK_DEBIAN_PROGRAMS_DESCRIPTION "QR Code maker: desktop program and command-line tool
Quirvane turns a piece of text into a QR Code symbol. The desktop program,
in Japanese, shows the symbol and puts it on the clipboard as a bitmap; you
pick the version, the error-correction level, the character mode and the
mask. The command-line tool quirvane-encode writes PNG, SVG, EPS, PDF, text
or a drawing on the terminal, picks the smallest version, the best mask and
the shortest mix of modes by itself, and makes a symbol per line of a file
on all cores.")

set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_NAME libquirvane-dev)
set(CPACK_DEBIAN_DEVELOPMENT_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEVELOPMENT_DESCRIPTION "QR Code encoder library: development files
The encoder of Quirvane as a static C++20 library with no toolkit in it: one
fixed-size record per symbol, no allocation while a symbol is made. This
package holds the headers, libquirvane.a, a CMake package
(find_package(Quirvane), target Quirvane::encoder) and quirvane.pc for
pkg-config.")

include(CPack)

foreach(component IN LISTS install_components)
  if(NOT component STREQUAL "Development")
    cpack_add_component(${component} GROUP Programs)
  endif()
endforeach()
