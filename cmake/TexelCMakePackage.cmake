# The CMake package a game's build finds (find_package(TexelSmithy)): texelsmithy_add_font
# and the device library's sources, which the game compiles with its own compiler.
include(CMakePackageConfigHelpers)
include(GNUInstallDirs)

# Nothing in it depends on the machine, so one folder serves every architecture.
set(TEXEL_CMAKE_PACKAGE_DIR lib/cmake/TexelSmithy)
set(TEXEL_ZGFDRAW_INSTALL_DIR ${CMAKE_INSTALL_DATADIR}/texelsmithy/zgfdraw)

get_target_property(TEXEL_ZGFDRAW_SOURCE_NAMES texel_zgfdraw SOURCES)
set(zgfdraw_sources ${TEXEL_ZGFDRAW_SOURCE_NAMES})
list(TRANSFORM zgfdraw_sources PREPEND ${PROJECT_SOURCE_DIR}/device/)
install(FILES ${zgfdraw_sources} DESTINATION ${TEXEL_ZGFDRAW_INSTALL_DIR})

configure_package_config_file(cmake/TexelSmithyConfig.cmake.in
    ${PROJECT_BINARY_DIR}/TexelSmithyConfig.cmake
    INSTALL_DESTINATION ${TEXEL_CMAKE_PACKAGE_DIR}
    PATH_VARS CMAKE_INSTALL_BINDIR TEXEL_ZGFDRAW_INSTALL_DIR)
write_basic_package_version_file(${PROJECT_BINARY_DIR}/TexelSmithyConfigVersion.cmake
    COMPATIBILITY SameMajorVersion ARCH_INDEPENDENT)
install(FILES ${PROJECT_BINARY_DIR}/TexelSmithyConfig.cmake ${PROJECT_BINARY_DIR}/TexelSmithyConfigVersion.cmake
        DESTINATION ${TEXEL_CMAKE_PACKAGE_DIR})
