# The build of the Debian packages (GRAVLIN_DEBIAN_BUILD), included before GNUInstallDirs:
# the game goes to games/, the libraries to the multiarch folder, and everything is compiled
# and linked with Debian's flags from dpkg-buildflags, every hardening feature switched on
# (PIE, bind-now, relro, fortify, stack protector) and with debug information for the
# -dbgsym packages. Normal variables, not cache entries: a build folder configured before
# without the option gets the Debian layout too, and nothing in the cache can undo it.
if(NOT CMAKE_LIBRARY_ARCHITECTURE)
  message(FATAL_ERROR "GRAVLIN_DEBIAN_BUILD needs the compiler's multiarch name (CMAKE_LIBRARY_ARCHITECTURE), "
                      "which CMake finds only on Debian and its derivatives")
endif()
set(CMAKE_INSTALL_BINDIR games)
set(CMAKE_INSTALL_LIBDIR lib/${CMAKE_LIBRARY_ARCHITECTURE})

find_program(GRAVLIN_DPKG_BUILDFLAGS dpkg-buildflags REQUIRED)
foreach(kind CPPFLAGS CFLAGS CXXFLAGS LDFLAGS)
  # From the source folder, so that -ffile-prefix-map turns its paths into relative ones.
  execute_process(COMMAND ${CMAKE_COMMAND} -E env DEB_BUILD_MAINT_OPTIONS=hardening=+all
                          ${GRAVLIN_DPKG_BUILDFLAGS} --get ${kind}
                  WORKING_DIRECTORY ${PROJECT_SOURCE_DIR}
                  OUTPUT_VARIABLE gravlin_deb_${kind} OUTPUT_STRIP_TRAILING_WHITESPACE
                  COMMAND_ERROR_IS_FATAL ANY)
endforeach()
# CMake has no variable for the preprocessor flags; they go with the compiler's. The build
# type's own flags come after these, so Release keeps its -O3.
string(APPEND CMAKE_C_FLAGS " ${gravlin_deb_CPPFLAGS} ${gravlin_deb_CFLAGS}")
string(APPEND CMAKE_CXX_FLAGS " ${gravlin_deb_CPPFLAGS} ${gravlin_deb_CXXFLAGS}")
foreach(kind EXE SHARED MODULE)
  string(APPEND CMAKE_${kind}_LINKER_FLAGS " ${gravlin_deb_LDFLAGS}")
endforeach()
