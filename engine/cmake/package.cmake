# Installs the engine library as a package others can build against (included by
# engine/CMakeLists.txt): find_package(gravlin) gives the target gravlin::engine, pkg-config
# the module gravlin. The run-time library is the component "runtime", everything a build
# against it needs (the .so link, the header, the CMake and pkg-config files) "dev".
set_target_properties(gravlin_engine_headers PROPERTIES EXPORT_NAME engine_headers)
install(TARGETS gravlin_engine gravlin_engine_headers EXPORT gravlin-targets
  LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT runtime NAMELINK_COMPONENT dev
  RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT runtime
  ARCHIVE DESTINATION ${CMAKE_INSTALL_LIBDIR} COMPONENT dev)
install(FILES ${CMAKE_CURRENT_SOURCE_DIR}/include/gravlin/engine.h ${GRAVLIN_ENGINE_GENERATED}/gravlin/engine_export.h
  DESTINATION ${CMAKE_INSTALL_INCLUDEDIR}/gravlin COMPONENT dev)
set(GRAVLIN_CMAKE_PACKAGE_DIR ${CMAKE_INSTALL_LIBDIR}/cmake/gravlin)
install(EXPORT gravlin-targets NAMESPACE gravlin:: DESTINATION ${GRAVLIN_CMAKE_PACKAGE_DIR} COMPONENT dev)
include(CMakePackageConfigHelpers)
write_basic_package_version_file(${CMAKE_CURRENT_BINARY_DIR}/gravlin-config-version.cmake
  VERSION ${GRAVLIN_ENGINE_VERSION} COMPATIBILITY SameMajorVersion)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/gravlin-config.cmake ${CMAKE_CURRENT_BINARY_DIR}/gravlin-config-version.cmake
  DESTINATION ${GRAVLIN_CMAKE_PACKAGE_DIR} COMPONENT dev)

# The .pc file finds its prefix from where it lies, so the installed tree can move.
set(GRAVLIN_PC_DIR ${CMAKE_INSTALL_LIBDIR}/pkgconfig)
if(IS_ABSOLUTE "${GRAVLIN_PC_DIR}")
  set(GRAVLIN_PC_PREFIX "${CMAKE_INSTALL_PREFIX}")
else()
  string(REGEX REPLACE "[^/]+" ".." GRAVLIN_PC_PREFIX "${GRAVLIN_PC_DIR}")
  set(GRAVLIN_PC_PREFIX "\${pcfiledir}/${GRAVLIN_PC_PREFIX}")
endif()
foreach(dir LIBDIR INCLUDEDIR)
  set(GRAVLIN_PC_${dir} "${CMAKE_INSTALL_${dir}}")
  if(NOT IS_ABSOLUTE "${GRAVLIN_PC_${dir}}")
    set(GRAVLIN_PC_${dir} "\${prefix}/${GRAVLIN_PC_${dir}}")
  endif()
endforeach()
set(GRAVLIN_PC_PRIVATE "")
if(GRAVLIN_ENGINE_PRIVATE_MODULES)
  list(JOIN GRAVLIN_ENGINE_PRIVATE_MODULES " " modules)
  set(GRAVLIN_PC_PRIVATE "Requires.private: ${modules}\n")
endif()
configure_file(${CMAKE_CURRENT_LIST_DIR}/gravlin.pc.in ${CMAKE_CURRENT_BINARY_DIR}/gravlin.pc @ONLY)
install(FILES ${CMAKE_CURRENT_BINARY_DIR}/gravlin.pc DESTINATION ${GRAVLIN_PC_DIR} COMPONENT dev)
