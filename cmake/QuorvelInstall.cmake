# Installs the headers, the library, a CMake package and a pkg-config file.
set(QUORVEL_CMAKE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/Quorvel)

install(TARGETS Quorvel EXPORT QuorvelTargets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR}
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR}
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR}
  INCLUDES DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(DIRECTORY include/quorvel include/brantel
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(FILES ${PROJECT_BINARY_DIR}/include/quorvel/QuorvelExport.h
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/quorvel)

install(EXPORT QuorvelTargets
  NAMESPACE Quorvel::
  DESTINATION ${QUORVEL_CMAKE_DIR})
configure_package_config_file(cmake/QuorvelConfig.cmake.in
  ${PROJECT_BINARY_DIR}/QuorvelConfig.cmake
  INSTALL_DESTINATION ${QUORVEL_CMAKE_DIR})
write_basic_package_version_file(${PROJECT_BINARY_DIR}/QuorvelConfigVersion.cmake
  COMPATIBILITY SameMinorVersion)
install(FILES
  ${PROJECT_BINARY_DIR}/QuorvelConfig.cmake
  ${PROJECT_BINARY_DIR}/QuorvelConfigVersion.cmake
  DESTINATION ${QUORVEL_CMAKE_DIR})

# The .pc file finds its prefix from its own location, so the tree can be
# installed anywhere with `cmake --install --prefix`.
file(RELATIVE_PATH QUORVEL_PC_TO_PREFIX
  /${CMAKE_INSTALL_LIBDIR}/pkgconfig /)
string(REGEX REPLACE "/$" "" QUORVEL_PC_TO_PREFIX "${QUORVEL_PC_TO_PREFIX}")
set(QUORVEL_PC_LIBNAME Quorvel-${PROJECT_VERSION_MAJOR}.${PROJECT_VERSION_MINOR})
configure_file(cmake/quorvel.pc.in ${PROJECT_BINARY_DIR}/quorvel.pc @ONLY)
install(FILES ${PROJECT_BINARY_DIR}/quorvel.pc
  DESTINATION ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
