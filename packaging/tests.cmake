# The packaging tests (included by packaging/CMakeLists.txt).
add_test(NAME packaging_install
         COMMAND ${CMAKE_COMMAND}
                 -DBUILD_DIR=${PROJECT_BINARY_DIR}
                 -DPREFIX=${CMAKE_CURRENT_BINARY_DIR}/install-test
                 -DBINDIR=${CMAKE_INSTALL_BINDIR}
                 -DLIBDIR=${CMAKE_INSTALL_LIBDIR}
                 -DDATADIR=${CMAKE_INSTALL_DATADIR}
                 -DMANDIR=${CMAKE_INSTALL_MANDIR}
                 -DDESKTOP_ID=${GRAVLIN_DESKTOP_ID}
                 -DAPPSTREAM_ID=${GRAVLIN_APPSTREAM_ID}
                 -DMIME_TYPE=${GRAVLIN_MIME_TYPE}
                 "-DICON_SIZES=${GRAVLIN_ICON_SIZES}"
                 "-DPACKAGES=${GRAVLIN_PACKAGE_program};${GRAVLIN_PACKAGE_runtime};${GRAVLIN_PACKAGE_dev}"
                 -DENGINE_SONAME=$<TARGET_SONAME_FILE_NAME:gravlin_engine>
                 -P ${CMAKE_CURRENT_SOURCE_DIR}/check_install.cmake)
# Another project builds against the installed library, once through its CMake package
# and once through pkg-config.
add_test(NAME packaging_library_consumer
         COMMAND ${CMAKE_COMMAND}
                 -DPREFIX=${CMAKE_CURRENT_BINARY_DIR}/install-test
                 -DLIBDIR=${CMAKE_INSTALL_LIBDIR}
                 -DSOURCE_DIR=${CMAKE_CURRENT_SOURCE_DIR}/consumer
                 -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/consumer-test
                 -DGENERATOR=${CMAKE_GENERATOR}
                 -DC_COMPILER=${CMAKE_C_COMPILER}
                 "-DC_FLAGS=${CMAKE_C_FLAGS}"
                 -P ${CMAKE_CURRENT_SOURCE_DIR}/check_consumer.cmake)
set_tests_properties(packaging_install PROPERTIES FIXTURES_SETUP gravlin_installed)
set_tests_properties(packaging_library_consumer PROPERTIES FIXTURES_REQUIRED gravlin_installed)
set_tests_properties(packaging_install packaging_library_consumer PROPERTIES TIMEOUT 180)

# The Debian packages are checked where they are built the Debian way.
if(NOT GRAVLIN_DEBIAN_BUILD)
  return()
endif()
add_test(NAME packaging_deb
         COMMAND ${CMAKE_COMMAND}
                 -DBUILD_DIR=${PROJECT_BINARY_DIR}
                 -DWORK_DIR=${CMAKE_CURRENT_BINARY_DIR}/deb-test
                 -DSOURCE_DIR=${CMAKE_CURRENT_SOURCE_DIR}
                 -DDESKTOP_ID=${GRAVLIN_DESKTOP_ID}
                 -DAPPSTREAM_ID=${GRAVLIN_APPSTREAM_ID}
                 -DMIME_TYPE=${GRAVLIN_MIME_TYPE}
                 -DLIBDIR=${CMAKE_INSTALL_LIBDIR}
                 -DPROGRAM_PACKAGE=${GRAVLIN_PACKAGE_program}
                 -DRUNTIME_PACKAGE=${GRAVLIN_PACKAGE_runtime}
                 -DDEV_PACKAGE=${GRAVLIN_PACKAGE_dev}
                 -DVERSION=${PROJECT_VERSION}
                 -DENGINE_SONAME=$<TARGET_SONAME_FILE_NAME:gravlin_engine>
                 -P ${CMAKE_CURRENT_SOURCE_DIR}/check_deb.cmake)
# Both install from this build folder and write its install manifest.
set_tests_properties(packaging_install packaging_deb PROPERTIES RESOURCE_LOCK gravlin_install_manifest)
set_tests_properties(packaging_deb PROPERTIES TIMEOUT 300)
