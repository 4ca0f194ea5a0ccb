# Builds the Debian packages and checks them as Debian would: lintian, the control data, what
# each package holds, the desktop entry, the AppStream metadata, the MIME type and the
# scalable icon; then unpacks the game with its library, starts it by the command of its
# desktop entry, also with a saved game, and asks it for its version without a display.
# -D BUILD_DIR, WORK_DIR (scratch), SOURCE_DIR (packaging/), DESKTOP_ID, APPSTREAM_ID,
#    MIME_TYPE, LIBDIR (the multiarch library folder below /usr), PROGRAM_PACKAGE,
#    RUNTIME_PACKAGE, DEV_PACKAGE, VERSION (upstream), ENGINE_SONAME
cmake_policy(VERSION 3.25)
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")
include(${CMAKE_CURRENT_LIST_DIR}/run_step.cmake)
set(failures "")
macro(fail text)
  string(APPEND failures "${text}\n")
endmacro()

# The package version is the one of the changelog's latest entry.
run("dpkg-parsechangelog" dpkg-parsechangelog -l "${SOURCE_DIR}/debian/changelog" -S Version)
string(STRIP "${output}" deb_version)
if(NOT deb_version MATCHES "^${VERSION}-[^-]+$")
  message(FATAL_ERROR "packaging/debian/changelog: the latest entry is ${deb_version}, the project is ${VERSION}: "
                      "add an entry for this version")
endif()
run("dpkg --print-architecture" dpkg --print-architecture)
string(STRIP "${output}" arch)

# Time stamps from the changelog, as a reproducible build takes them.
run("dpkg-parsechangelog" dpkg-parsechangelog -l "${SOURCE_DIR}/debian/changelog" -S Timestamp)
string(STRIP "${output}" epoch)
get_filename_component(bin "${CMAKE_COMMAND}" DIRECTORY)
run("cpack" ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=${epoch}
    "${bin}/cpack" -G DEB --config "${BUILD_DIR}/CPackConfig.cmake" -B "${WORK_DIR}/out")
set(out "${WORK_DIR}/out")
foreach(package ${PROGRAM_PACKAGE} ${RUNTIME_PACKAGE} ${DEV_PACKAGE})
  set(deb_${package} "${out}/${package}_${deb_version}_${arch}.deb")
endforeach()
set(expected ${deb_${PROGRAM_PACKAGE}} ${deb_${RUNTIME_PACKAGE}} ${deb_${DEV_PACKAGE}}
             "${out}/${PROGRAM_PACKAGE}-dbgsym_${deb_version}_${arch}.ddeb"
             "${out}/${RUNTIME_PACKAGE}-dbgsym_${deb_version}_${arch}.ddeb")
file(GLOB built "${out}/*.deb" "${out}/*.ddeb")
list(SORT built)
list(SORT expected)
if(NOT built STREQUAL expected)
  message(FATAL_ERROR "cpack built:\n${built}\ninstead of:\n${expected}")
endif()

# lintian: no error and no warning; the informational tags are shown with the output. Left
# out: that the first changelog entry closes no bug, which in Debian would be the request
# to package the program (there is none: these packages are not uploaded to Debian).
run("lintian" lintian --fail-on error,warning --display-info --pedantic
    --suppress-tags initial-upload-closes-no-bugs ${built})
message(STATUS "lintian:\n${output}")

# control data
function(expect_control package)
  execute_process(COMMAND dpkg-deb -f "${deb_${package}}" OUTPUT_VARIABLE control)
  foreach(want IN LISTS ARGN)
    if(NOT control MATCHES "${want}")
      fail("${package}: the control data lacks '${want}':\n${control}")
    endif()
  endforeach()
  set(failures "${failures}" PARENT_SCOPE)
endfunction()
string(REPLACE "+" "\\+" v "${deb_version}")
expect_control(${PROGRAM_PACKAGE} "\nSection: games\n" "\nVersion: ${v}\n" "\nSource: gravlin\n"
               "\nDepends: [^\n]*${RUNTIME_PACKAGE} \\(>= ${v}\\)" "\nDepends: [^\n]*qt6-translations-l10n"
               "\nDepends: [^\n]*libqt6widgets6" "\nDepends: [^\n]*libqt6network6" "\nDepends: [^\n]*libstdc\\+\\+6")
expect_control(${RUNTIME_PACKAGE} "\nSection: libs\n" "\nDepends: [^\n]*libc6")
expect_control(${DEV_PACKAGE} "\nSection: libdevel\n"
               "\nDepends: ${RUNTIME_PACKAGE} \\(= ${v}\\)\n")

# The library package tells dpkg which package holds the library and runs ldconfig through
# the trigger, without maintainer scripts of its own.
run("dpkg-deb -e" dpkg-deb -e "${deb_${RUNTIME_PACKAGE}}" "${WORK_DIR}/runtime-control")
file(GLOB control_files RELATIVE "${WORK_DIR}/runtime-control" "${WORK_DIR}/runtime-control/*")
list(SORT control_files)
if(NOT control_files STREQUAL "control;md5sums;shlibs;symbols;triggers")
  fail("${RUNTIME_PACKAGE}: control files ${control_files}")
endif()
string(REPLACE "." "\\." so "${ENGINE_SONAME}")
string(REGEX REPLACE "\\.so\\.([0-9]+)$" " \\1" shlib "${ENGINE_SONAME}")
foreach(pair "shlibs|^${shlib} ${RUNTIME_PACKAGE} \\(>= ${v}\\)\n$" "triggers|^activate-noawait ldconfig\n$"
             "symbols|^${so} ${RUNTIME_PACKAGE} #MINVER#\n")
  string(REPLACE "|" ";" pair "${pair}")
  list(GET pair 0 name)
  list(GET pair 1 want)
  if(EXISTS "${WORK_DIR}/runtime-control/${name}")
    file(READ "${WORK_DIR}/runtime-control/${name}" text)
    if(NOT text MATCHES "${want}")
      fail("${RUNTIME_PACKAGE}: ${name} reads:\n${text}")
    endif()
  endif()
endforeach()

# Every file lies in the package it belongs to, and each package holds its files.
set(doc "usr/share/doc/PACKAGE/(copyright|changelog\\.Debian\\.gz)")
set(allowed_${PROGRAM_PACKAGE} "usr/games/gravlin" "usr/share/applications/${DESKTOP_ID}\\.desktop"
    "usr/share/metainfo/${APPSTREAM_ID}\\.metainfo\\.xml" "usr/share/mime/packages/${DESKTOP_ID}\\.xml"
    "usr/share/icons/hicolor/([0-9]+x[0-9]+/apps/${DESKTOP_ID}\\.png|scalable/apps/${DESKTOP_ID}\\.svg)"
    "usr/share/man/man6/gravlin\\.6\\.gz")
set(allowed_${RUNTIME_PACKAGE} "usr/${LIBDIR}/${so}(\\.[0-9.]+)?")
set(allowed_${DEV_PACKAGE} "usr/${LIBDIR}/libgravlin\\.so" "usr/include/gravlin/[a-z_]+\\.h"
    "usr/${LIBDIR}/cmake/gravlin/gravlin-[a-z-]+\\.cmake" "usr/${LIBDIR}/pkgconfig/gravlin\\.pc")
set(required_${PROGRAM_PACKAGE} "usr/games/gravlin" "usr/share/applications/${DESKTOP_ID}.desktop"
    "usr/share/icons/hicolor/16x16/apps/${DESKTOP_ID}.png" "usr/share/man/man6/gravlin.6.gz")
set(required_${RUNTIME_PACKAGE} "usr/${LIBDIR}/${ENGINE_SONAME}")
set(required_${DEV_PACKAGE} "usr/${LIBDIR}/libgravlin.so" "usr/include/gravlin/engine.h"
    "usr/${LIBDIR}/cmake/gravlin/gravlin-config.cmake" "usr/${LIBDIR}/pkgconfig/gravlin.pc")
foreach(package ${PROGRAM_PACKAGE} ${RUNTIME_PACKAGE} ${DEV_PACKAGE})
  run("dpkg-deb -c" dpkg-deb -c "${deb_${package}}")
  string(REPLACE "\n" ";" entries "${output}")
  string(REPLACE "PACKAGE" "${package}" own_doc "${doc}")
  list(JOIN allowed_${package} "|" allowed)
  set(files "")
  foreach(entry IN LISTS entries)
    if(entry MATCHES "^-|^l" AND entry MATCHES " \\./([^ ]+)( -> .*)?$")
      set(path "${CMAKE_MATCH_1}")
      list(APPEND files "${path}")
      if(NOT path MATCHES "^(${allowed}|${own_doc})$")
        fail("${package} holds /${path}, which belongs elsewhere")
      endif()
    endif()
  endforeach()
  foreach(path ${required_${package}} "usr/share/doc/${package}/copyright"
               "usr/share/doc/${package}/changelog.Debian.gz")
    if(NOT path IN_LIST files)
      fail("${package} lacks /${path}")
    endif()
  endforeach()
endforeach()

# The -dbgsym packages hold the debug information split off the stripped binaries.
foreach(package ${PROGRAM_PACKAGE} ${RUNTIME_PACKAGE})
  set(ddeb "${out}/${package}-dbgsym_${deb_version}_${arch}.ddeb")
  run("dpkg-deb -c" dpkg-deb -c "${ddeb}")
  if(NOT output MATCHES " \\./usr/lib/debug/\\.build-id/[0-9a-f][0-9a-f]/[0-9a-f]+\\.debug\n")
    fail("${package}-dbgsym holds no debug information:\n${output}")
  endif()
endforeach()

set(root "${WORK_DIR}/root")
run("dpkg-deb -x" dpkg-deb -x "${deb_${PROGRAM_PACKAGE}}" "${root}")
run("dpkg-deb -x" dpkg-deb -x "${deb_${RUNTIME_PACKAGE}}" "${root}")
include(${CMAKE_CURRENT_LIST_DIR}/check_deb_files.cmake)

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
message(STATUS "the packages of ${deb_version} pass lintian, unpack and start")
