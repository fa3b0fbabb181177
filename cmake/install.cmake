# Installs the shared library and the unit library libvnk.so that it links against, the public
# headers, the `lrx` tool, a CMake package (find_package(lrx) and the imported targets lrx::lrx
# and lrx::vnk) and a pkg-config file (lrx.pc).
include(CMakePackageConfigHelpers)

set(LRX_INSTALL_CMAKEDIR ${CMAKE_INSTALL_LIBDIR}/cmake/lrx)

# The installed liblrx.so finds libvnk.so beside it, also for programs that link only lrx
# (as pkg-config users do) and so carry no search path for the unit library; plug-ins
# (gbxExt_N.so) installed beside it are found the same way.
set_target_properties(lrx PROPERTIES INSTALL_RPATH "$ORIGIN")

install(TARGETS lrx vnk EXPORT lrxTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

file(GLOB LRX_PUBLIC_HEADERS ${PROJECT_SOURCE_DIR}/include/lrx/*.h)
install(FILES ${LRX_PUBLIC_HEADERS} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/lrx)
file(GLOB VNK_PUBLIC_HEADERS ${PROJECT_SOURCE_DIR}/include/vnk/*.h)
install(FILES ${VNK_PUBLIC_HEADERS} DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/vnk)

install(TARGETS lrx_cli RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

install(EXPORT lrxTargets
  NAMESPACE lrx::
  FILE lrxTargets.cmake
  DESTINATION ${LRX_INSTALL_CMAKEDIR})

configure_package_config_file(
  ${CMAKE_CURRENT_LIST_DIR}/lrxConfig.cmake.in
  ${PROJECT_BINARY_DIR}/lrxConfig.cmake
  INSTALL_DESTINATION ${LRX_INSTALL_CMAKEDIR})
write_basic_package_version_file(
  ${PROJECT_BINARY_DIR}/lrxConfigVersion.cmake
  VERSION ${PROJECT_VERSION}
  COMPATIBILITY SameMajorVersion)
install(FILES
  ${PROJECT_BINARY_DIR}/lrxConfig.cmake
  ${PROJECT_BINARY_DIR}/lrxConfigVersion.cmake
  DESTINATION ${LRX_INSTALL_CMAKEDIR})

# The pkg-config file finds the prefix from its own place, so that an installation moved
# with `cmake --install --prefix` stays usable.
if(IS_ABSOLUTE "${CMAKE_INSTALL_LIBDIR}" OR IS_ABSOLUTE "${CMAKE_INSTALL_INCLUDEDIR}")
  set(LRX_PC_PREFIX "${CMAKE_INSTALL_PREFIX}")
  set(LRX_PC_LIBDIR "${CMAKE_INSTALL_FULL_LIBDIR}")
  set(LRX_PC_INCLUDEDIR "${CMAKE_INSTALL_FULL_INCLUDEDIR}")
else()
  file(RELATIVE_PATH LRX_PC_TO_PREFIX /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
  string(REGEX REPLACE "/$" "" LRX_PC_TO_PREFIX "${LRX_PC_TO_PREFIX}")
  set(LRX_PC_PREFIX "\${pcfiledir}/${LRX_PC_TO_PREFIX}")
  set(LRX_PC_LIBDIR "\${prefix}/${CMAKE_INSTALL_LIBDIR}")
  set(LRX_PC_INCLUDEDIR "\${prefix}/${CMAKE_INSTALL_INCLUDEDIR}")
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/lrx.pc.in ${PROJECT_BINARY_DIR}/lrx.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/lrx.pc DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
