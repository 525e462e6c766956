# What `cmake --install` puts in place for other projects: the encoder's
# public headers, the static library, a CMake package (find_package(Quirvane),
# target Quirvane::encoder) and quirvane.pc for pkg-config, all of one version.
include(CMakePackageConfigHelpers)

set(QUIRVANE_CMAKE_DIR "${CMAKE_INSTALL_LIBDIR}/cmake/Quirvane")

install(TARGETS quirvane_encoder EXPORT QuirvaneTargets
        ARCHIVE DESTINATION "${CMAKE_INSTALL_LIBDIR}" COMPONENT Development)
install(DIRECTORY "${PROJECT_SOURCE_DIR}/include/quirvane"
                  "${PROJECT_BINARY_DIR}/generated/quirvane"
        DESTINATION "${CMAKE_INSTALL_INCLUDEDIR}" COMPONENT Development)
install(EXPORT QuirvaneTargets NAMESPACE Quirvane:: DESTINATION "${QUIRVANE_CMAKE_DIR}"
        COMPONENT Development)

configure_package_config_file(cmake/QuirvaneConfig.cmake.in
  "${PROJECT_BINARY_DIR}/QuirvaneConfig.cmake" INSTALL_DESTINATION "${QUIRVANE_CMAKE_DIR}")
write_basic_package_version_file("${PROJECT_BINARY_DIR}/QuirvaneConfigVersion.cmake"
  COMPATIBILITY SameMajorVersion)
install(FILES "${PROJECT_BINARY_DIR}/QuirvaneConfig.cmake"
              "${PROJECT_BINARY_DIR}/QuirvaneConfigVersion.cmake"
        DESTINATION "${QUIRVANE_CMAKE_DIR}" COMPONENT Development)

# Relative to where the .pc file lands, so that --prefix at install time holds.
file(RELATIVE_PATH QUIRVANE_PC_TO_PREFIX "/prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/prefix")
configure_file(cmake/quirvane.pc.in "${PROJECT_BINARY_DIR}/quirvane.pc" @ONLY)
install(FILES "${PROJECT_BINARY_DIR}/quirvane.pc" DESTINATION "${CMAKE_INSTALL_LIBDIR}/pkgconfig"
        COMPONENT Development)
