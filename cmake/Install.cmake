# The kit as an SDK: `cmake --install` puts Quorvane, the registrar, libbe (with its soname),
# the public headers (under include/bekit) and the pkg-config file bekit.pc under the
# prefix; `cpack -G DEB` packs the same into a Debian package. docs/sdk.md describes the
# layout.
include(GNUInstallDirs)

# Installed executables find libbe beside them wherever the prefix is.
set_target_properties(Quorvane registrar Deskbar xres mimeset PROPERTIES
  INSTALL_RPATH "$ORIGIN/../${CMAKE_INSTALL_LIBDIR}")

install(TARGETS be netapi
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(FILES ${platform_library_files} DESTINATION ${CMAKE_INSTALL_LIBDIR})
# The kits the platform ships as libraries of their own, beside libbe.
install(TARGETS translation tracker media
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(TARGETS Quorvane registrar Deskbar xres mimeset
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/platform/headers/
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/bekit
  FILES_MATCHING PATTERN "*.h")

# The C++ library's headers as the platform's SDK had them, for old sources only
# (bekit-legacy.pc); docs/headers.md.
install(DIRECTORY ${PROJECT_SOURCE_DIR}/platform/legacy/include/
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/bekit-legacy)

# bekit.pc names the prefix relative to its own folder.
file(RELATIVE_PATH PC_PREFIX_FROM_PCDIR "/prefix/${CMAKE_INSTALL_LIBDIR}/pkgconfig" "/prefix")
configure_file(${PROJECT_SOURCE_DIR}/cmake/bekit.pc.in ${CMAKE_BINARY_DIR}/bekit.pc @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/cmake/bekit-legacy.pc.in ${CMAKE_BINARY_DIR}/bekit-legacy.pc
  @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/bekit.pc ${CMAKE_BINARY_DIR}/bekit-legacy.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(DIRECTORY ${PROJECT_SOURCE_DIR}/docs/ DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_PACKAGE_NAME quorvane)
set(CPACK_PACKAGE_VENDOR "Quorvane")
set(CPACK_PACKAGE_CONTACT "Quorvane developers <quorvane@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "Scripting explorer and the BeOS-compatible kit it runs on (libbe, registrar, SDK)")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION devel)
# The libraries' packages come from what the executables link; pkg-config finds the SDK.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "pkg-config")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core, g++")
include(CPack)
