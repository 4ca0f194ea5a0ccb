# Builds the Debian package, unpacks it into a scratch folder, checks that the files lie
# where the desktop looks for them and that the package names its dependencies, and starts
# the unpacked program.
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")

include(${CMAKE_CURRENT_LIST_DIR}/run_step.cmake)

get_filename_component(bin "${CMAKE_COMMAND}" DIRECTORY)
run("cpack" "${bin}/cpack" -G DEB --config "${BUILD_DIR}/CPackConfig.cmake" -B "${WORK_DIR}/out")
file(GLOB debs "${WORK_DIR}/out/*.deb")
list(LENGTH debs count)
if(NOT count EQUAL 1)
  message(FATAL_ERROR "expected one package in ${WORK_DIR}/out, found: ${debs}")
endif()
set(root "${WORK_DIR}/root")
run("dpkg-deb -x" dpkg-deb -x "${debs}" "${root}")

set(failures "")
foreach(path "usr/bin/gravlin" "usr/lib/${ENGINE_SONAME}" "usr/include/gravlin/engine.h"
             "usr/lib/pkgconfig/gravlin.pc" "usr/share/applications/${DESKTOP_ID}.desktop"
             "usr/share/icons/hicolor/48x48/apps/${DESKTOP_ID}.png"
             "usr/share/icons/hicolor/256x256/apps/${DESKTOP_ID}.png")
  if(NOT EXISTS "${root}/${path}")
    string(APPEND failures "missing: /${path}\n")
  endif()
endforeach()

run("dpkg-deb -f" dpkg-deb -f "${debs}" Package Depends Section)
foreach(want "Package: gravlin" "libqt6widgets6" "libqt6network6" "libstdc\\+\\+6" "qt6-translations-l10n"
             "Section: games")
  if(NOT output MATCHES "${want}")
    string(APPEND failures "the control data lacks '${want}':\n${output}\n")
  endif()
endforeach()
if(failures)
  message(FATAL_ERROR "${failures}")
endif()

# The unpacked program starts and paints its window. On Qt's minimal platform the debug
# backing store saves every painted frame as a PNG in the working folder; the program is
# ended once the first one is there, or after ten seconds.
set(run_dir "${WORK_DIR}/run")
file(MAKE_DIRECTORY "${run_dir}")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env QT_QPA_PLATFORM=minimal QT_DEBUG_BACKINGSTORE=1
          sh -c [[
"$1" 2>program.log & pid=$!
for i in $(seq 100); do
  [ -s output0000.png ] && break
  kill -0 $pid 2>/dev/null || break
  sleep 0.1
done
kill $pid 2>/dev/null
wait $pid
[ -s output0000.png ]
]] sh "${root}/usr/bin/gravlin"
  WORKING_DIRECTORY "${run_dir}"
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  file(READ "${run_dir}/program.log" log)
  message(FATAL_ERROR "the unpacked program painted no window:\n${log}")
endif()
message(STATUS "${debs} unpacks and starts")
