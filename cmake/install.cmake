# What `cmake --install` puts under the prefix on Linux: the shared library, the public header,
# zkwgdi32.pc, the CMake package (find_package(ZKWGDI32) gives ZKWGDI32::zkwgdi32), the zkw
# tool, the generated bitmap fonts, the docs and the example host; and the Debian package that
# CPack makes of the same files (`cpack -G DEB` in the build directory). The Windows zip is made
# by scripts/make-win32-zip from the DLL's build.
include(GNUInstallDirs)
include(CMakePackageConfigHelpers)

set_target_properties(zkwgdi32 PROPERTIES VERSION ${PROJECT_VERSION}
                                          SOVERSION ${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
target_include_directories(zkwgdi32 INTERFACE $<BUILD_INTERFACE:${CMAKE_SOURCE_DIR}/include>
                                              $<INSTALL_INTERFACE:${CMAKE_INSTALL_INCLUDEDIR}>)
install(TARGETS zkwgdi32 EXPORT ZKWGDI32Targets
        LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(FILES ${CMAKE_SOURCE_DIR}/include/zkwgdi32.h DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})

set(ZKW_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/ZKWGDI32)
install(EXPORT ZKWGDI32Targets NAMESPACE ZKWGDI32:: DESTINATION ${ZKW_CMAKE_DIR})
configure_package_config_file(${CMAKE_SOURCE_DIR}/cmake/ZKWGDI32Config.cmake.in
                              ${CMAKE_BINARY_DIR}/ZKWGDI32Config.cmake INSTALL_DESTINATION ${ZKW_CMAKE_DIR})
# 0.x: a new minor version may change the interface.
write_basic_package_version_file(${CMAKE_BINARY_DIR}/ZKWGDI32ConfigVersion.cmake
                                 COMPATIBILITY SameMinorVersion)
install(FILES ${CMAKE_BINARY_DIR}/ZKWGDI32Config.cmake ${CMAKE_BINARY_DIR}/ZKWGDI32ConfigVersion.cmake
        DESTINATION ${ZKW_CMAKE_DIR})

# The .pc finds its prefix from its own place, so the installed tree can move (a temporary
# prefix, a package unpacked with dpkg -x).
file(RELATIVE_PATH ZKW_PC_PREFIX /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
string(REGEX REPLACE "/$" "" ZKW_PC_PREFIX "${ZKW_PC_PREFIX}")
configure_file(${CMAKE_SOURCE_DIR}/cmake/zkwgdi32.pc.in ${CMAKE_BINARY_DIR}/zkwgdi32.pc @ONLY)
install(FILES ${CMAKE_BINARY_DIR}/zkwgdi32.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)

if(TARGET zkw)
  install(TARGETS zkw RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(DIRECTORY ${ZKW_FONT_DIR}/ DESTINATION ${CMAKE_INSTALL_DATADIR}/zkwgdi32/fonts
          FILES_MATCHING PATTERN "*.dfu" PATTERN "*.dfp")
endif()
install(DIRECTORY ${CMAKE_SOURCE_DIR}/docs/ DESTINATION ${CMAKE_INSTALL_DOCDIR})
install(FILES ${CMAKE_SOURCE_DIR}/examples/host.c ${CMAKE_SOURCE_DIR}/examples/CMakeLists.txt
        DESTINATION ${CMAKE_INSTALL_DOCDIR}/examples)

# The Debian package: library, header, .pc, CMake package, tool, fonts and docs in one package;
# dpkg-shlibdeps declares the libraries it links.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zkwgdi32)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "DIB images, bitmap fonts, equations and a scene player")
set(CPACK_PACKAGE_CONTACT "ZKWGDI32 developers <zkwgdi32@localhost>")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR}/packages)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# System-font text is drawn with the faces fontconfig finds.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-dejavu-core, fonts-liberation2")
include(CPack)
