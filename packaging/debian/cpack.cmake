# The Debian packages, one per install component: `cpack -G DEB` in the build folder writes
#   gravlin         the game (component program), in section games
#   libgravlin3     the engine library (runtime), named after its SONAME
#   libgravlin-dev  what a build against it needs (dev)
# and a -dbgsym package with the debug information of each of the first two, whose files
# are stripped. Included by packaging/CMakeLists.txt, which names the packages.

# The Debian revision comes from the changelog's latest entry; the upstream version is the
# project's (the test packaging_deb checks that the two entries agree).
file(STRINGS ${CMAKE_CURRENT_LIST_DIR}/changelog gravlin_changelog_top LIMIT_COUNT 1)
if(NOT gravlin_changelog_top MATCHES "^gravlin \\(([^()]+)-([^()-]+)\\) ")
  message(FATAL_ERROR "packaging/debian/changelog: the first line names no version of gravlin: ${gravlin_changelog_top}")
endif()
set(GRAVLIN_CHANGELOG_VERSION "${CMAKE_MATCH_1}-${CMAKE_MATCH_2}")
set(CPACK_DEBIAN_PACKAGE_RELEASE "${CMAKE_MATCH_2}")
set(gravlin_deb_version "${PROJECT_VERSION}-${CPACK_DEBIAN_PACKAGE_RELEASE}")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME gravlin)
set(CPACK_PACKAGE_VENDOR "The Gravlin developers")
set(CPACK_PACKAGE_CONTACT "The Gravlin developers <gravlin@example.org>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEB_COMPONENT_INSTALL ON)
set(CPACK_COMPONENTS_ALL ${GRAVLIN_COMPONENTS})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SOURCE gravlin)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
# Dependencies on the libraries the binaries link come from dpkg-shlibdeps; the library
# package says in its shlibs and symbols files which version later programs need.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS_POLICY ">=")
set(CPACK_DEBIAN_DEBUGINFO_PACKAGE ON)
# What CPack's DEB generator leaves to mend: see there.
set(CPACK_POST_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/post_build.cmake)

set(CPACK_DEBIAN_PROGRAM_PACKAGE_NAME ${GRAVLIN_PACKAGE_program})
set(CPACK_DEBIAN_PROGRAM_PACKAGE_SECTION games)
# The program binds the engine at run time, by its SONAME, so no link names it; Qt's German
# texts are only read at run time too.
set(CPACK_DEBIAN_PROGRAM_PACKAGE_DEPENDS
    "${GRAVLIN_PACKAGE_runtime} (>= ${gravlin_deb_version}), qt6-translations-l10n")
set(CPACK_DEBIAN_PROGRAM_DESCRIPTION "mine-finding puzzle with an exact equation solver
Gravlin is a single-player mine-finding game with a German user interface,
and a workbench for solving the field. After every click a local-rule
solver marks the certain mines and opens the certain free cells; the open
border of the field can be written as linear equations over 0/1 unknowns,
which the engine library solves exactly, painting every cell the position
determines. It also computes for every covered cell the exact probability
that it holds a mine, and with automatic play the program plays by itself
as far as logic allows. Games and their layouts of mines are saved to text
files.")

set(CPACK_DEBIAN_RUNTIME_PACKAGE_NAME ${GRAVLIN_PACKAGE_runtime})
set(CPACK_DEBIAN_RUNTIME_PACKAGE_SECTION libs)
set(CPACK_DEBIAN_RUNTIME_DESCRIPTION "solver engine of the Gravlin mine-finding game
libgravlin solves the systems of linear equations over 0/1 unknowns that
describe the open border of a minefield: it finds every cell the system
determines and computes for every unknown the exact probability of a mine.
Its C interface keeps one system per process, for one caller at a time.
.
This package holds the shared library.")
# The loader's cache is renewed through dpkg's ldconfig trigger; the symbols file names the
# version that brought each function.
set(CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA ${CMAKE_CURRENT_LIST_DIR}/triggers)
if(GRAVLIN_DEBIAN_BUILD)
  find_program(DPKG_GENSYMBOLS dpkg-gensymbols REQUIRED)
  set(symbols ${CMAKE_CURRENT_BINARY_DIR}/debian/symbols)
  # Fails when the library lost a function the file lists: that breaks the ABI.
  add_custom_command(
    OUTPUT ${symbols}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_CURRENT_BINARY_DIR}/debian
    COMMAND ${DPKG_GENSYMBOLS} -q -c1 -p${GRAVLIN_PACKAGE_runtime} -v${gravlin_deb_version}
            -e$<TARGET_FILE:gravlin_engine>
            -I${CMAKE_CURRENT_LIST_DIR}/${GRAVLIN_PACKAGE_runtime}.symbols -O${symbols}
    DEPENDS gravlin_engine ${CMAKE_CURRENT_LIST_DIR}/${GRAVLIN_PACKAGE_runtime}.symbols
    COMMENT "Checking the engine's functions against ${GRAVLIN_PACKAGE_runtime}.symbols"
    VERBATIM)
  add_custom_target(gravlin_symbols ALL DEPENDS ${symbols})
  list(APPEND CPACK_DEBIAN_RUNTIME_PACKAGE_CONTROL_EXTRA ${symbols})
endif()

set(CPACK_DEBIAN_DEV_PACKAGE_NAME ${GRAVLIN_PACKAGE_dev})
set(CPACK_DEBIAN_DEV_PACKAGE_SECTION libdevel)
set(CPACK_DEBIAN_DEV_PACKAGE_DEPENDS "${GRAVLIN_PACKAGE_runtime} (= ${gravlin_deb_version})")
set(CPACK_DEBIAN_DEV_DESCRIPTION "solver engine of the Gravlin mine-finding game (development files)
libgravlin solves the systems of linear equations over 0/1 unknowns that
describe the open border of a minefield: it finds every cell the system
determines and computes for every unknown the exact probability of a mine.
Its C interface keeps one system per process, for one caller at a time.
.
This package holds the C header, the CMake package (find_package(gravlin))
and the pkg-config file (gravlin).")

include(CPack)
