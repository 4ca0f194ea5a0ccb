# The second half of check_deb.cmake: the files of the game's package, unpacked under ${root}
# together with the library's, checked with the desktop's own validators; the game started
# the way the desktop starts it, without and with a saved game, and its command line.
set(share "${root}/usr/share")
macro(validate what)
  execute_process(COMMAND ${ARGN} RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(NOT rc EQUAL 0 OR NOT "${out}${err}" MATCHES "^(✔ Validation was successful\\.)?[ \n]*$")
    fail("${what} (${rc}):\n${out}${err}")
  endif()
endmacro()
validate("desktop-file-validate" desktop-file-validate "${share}/applications/${DESKTOP_ID}.desktop")
validate("appstreamcli validate" appstreamcli validate --no-net --pedantic
         "${share}/metainfo/${APPSTREAM_ID}.metainfo.xml")

# The MIME type as the desktop's database reads it: *.qzd files are saved games.
set(mime "${WORK_DIR}/mime")
file(COPY "${share}/mime/packages" DESTINATION "${mime}")
validate("update-mime-database" ${CMAKE_COMMAND} -E env "XDG_DATA_DIRS=${WORK_DIR}" update-mime-database "${mime}")
file(READ "${mime}/globs2" globs)
if(NOT globs MATCHES "\n[0-9]+:${MIME_TYPE}:\\*\\.qzd\n")
  fail("the MIME database has no *.qzd for ${MIME_TYPE}:\n${globs}")
endif()

# The scalable icon is the same face as the rendered ones: drawn at each of their sizes, it
# may differ from them only in the edges' anti-aliasing.
file(GLOB pngs "${share}/icons/hicolor/*/apps/${DESKTOP_ID}.png")
foreach(png IN LISTS pngs)
  string(REGEX MATCH "/([0-9]+)x[0-9]+/apps/" size "${png}")
  set(size "${CMAKE_MATCH_1}")
  set(svg_png "${WORK_DIR}/scalable-${size}.png")
  run("rsvg-convert" rsvg-convert -w ${size} -h ${size} "${share}/icons/hicolor/scalable/apps/${DESKTOP_ID}.svg"
      -o "${svg_png}")
  execute_process(COMMAND compare -metric RMSE "${png}" "${svg_png}" null: ERROR_VARIABLE difference)
  if(NOT difference MATCHES "\\(([0-9.e-]+)\\)" OR CMAKE_MATCH_1 GREATER 0.05)
    fail("the scalable icon drawn at ${size} px differs from the rendered one (RMSE ${difference})")
  endif()
endforeach()

# The game finds the library beside it in the unpacked tree, as it does in /usr once
# installed: one entry of its run path leads to the library's folder.
set(program "${root}/usr/games/gravlin")
file(READ_ELF "${program}" RUNPATH runpath)
set(found FALSE)
string(REPLACE ":" ";" entries "${runpath}")
foreach(entry IN LISTS entries)
  string(REPLACE "$ORIGIN" "${root}/usr/games" folder "${entry}")
  if(EXISTS "${folder}/${ENGINE_SONAME}")
    set(found TRUE)
  endif()
endforeach()
if(NOT found)
  fail("${program}: no RUNPATH entry (${runpath}) leads to /usr/${LIBDIR}/${ENGINE_SONAME}")
endif()

# The game starts by the command of its desktop entry (without a file, its field code gone)
# and paints its window. On Qt's minimal platform the debug backing store saves every painted
# frame as a PNG in the working folder; the program is ended once the first one is there, or
# after ten seconds.
file(STRINGS "${share}/applications/${DESKTOP_ID}.desktop" exec REGEX "^Exec=")
string(REGEX REPLACE "^Exec=" "" exec "${exec}")
string(REGEX REPLACE " *%[fFuU]" "" exec "${exec}")
set(run_dir "${WORK_DIR}/run")
file(MAKE_DIRECTORY "${run_dir}")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env "PATH=${root}/usr/games:$ENV{PATH}" QT_QPA_PLATFORM=minimal QT_DEBUG_BACKINGSTORE=1
          sh -c [[
command -v "${1%% *}" | grep -q "^$2/" || { echo "the command is not the unpacked game: $1" >program.log; exit 1; }
$1 2>>program.log & pid=$!
for i in $(seq 100); do
  [ -s output0000.png ] && break
  kill -0 $pid 2>/dev/null || break
  sleep 0.1
done
kill $pid 2>/dev/null
wait $pid 2>/dev/null
[ -s output0000.png ]
]] sh "${exec}" "${root}/usr/games"
  WORKING_DIRECTORY "${run_dir}"
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  file(READ "${run_dir}/program.log" log)
  fail("the unpacked game, started as '${exec}', painted no window:\n${log}")
endif()

# The command line is read before any window exists: help and version answer without a
# display (no platform plugin is loaded), and a call that is not understood ends with
# status 2 and a German message.
foreach(call "--version|0|^Gravlin ${VERSION}\n$" "--help|0|--version" "--bogus|2|Unbekannte Option: --bogus"
             "a.qzd;b.qzd|2|nur eine Datei")
  string(REPLACE "|" ";" call "${call}")
  list(POP_BACK call want)
  list(POP_BACK call status)
  execute_process(COMMAND ${CMAKE_COMMAND} -E env --unset=QT_QPA_PLATFORM --unset=DISPLAY --unset=WAYLAND_DISPLAY
                          "${program}" ${call}
                  RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  if(status EQUAL 0)
    set(text "${out}")
  else()
    set(text "${err}")
  endif()
  if(NOT rc EQUAL status OR NOT text MATCHES "${want}")
    fail("'gravlin ${call}' without a display ended with ${rc} (not ${status}):\n${out}${err}")
  endif()
endforeach()

# Opened by the desktop entry's command with a saved game of the beginner's 9 x 9 field, the
# game loads it once its window is up: a frame narrower than the starting field's is painted.
if(NOT EXISTS "${run_dir}/output0000.png")
  return()  # the start above failed, and says so
endif()
file(READ "${run_dir}/output0000.png" header OFFSET 16 LIMIT 4 HEX)
math(EXPR start_width "0x${header}")
set(saved "${WORK_DIR}/spiel.qzd")
set(cells "")
foreach(cell RANGE 1 81)
  string(APPEND cells "#FALSE#,0,0,#FALSE#,#FALSE#,#FALSE#\r\n")
endforeach()
file(WRITE "${saved}" "9\r\n9\r\n10\r\n${cells}")
file(STRINGS "${share}/applications/${DESKTOP_ID}.desktop" exec REGEX "^Exec=")
string(REGEX REPLACE "^Exec=" "" exec "${exec}")
string(REPLACE "%f" "${saved}" exec "${exec}")
set(run_dir "${WORK_DIR}/run-file")
file(MAKE_DIRECTORY "${run_dir}")
execute_process(
  COMMAND ${CMAKE_COMMAND} -E env "PATH=${root}/usr/games:$ENV{PATH}" QT_QPA_PLATFORM=minimal QT_DEBUG_BACKINGSTORE=1
          sh -c [[
$1 2>>program.log & pid=$!
for i in $(seq 100); do
  for frame in output*.png; do
    width=$(od -An -tu4 --endian=big -j16 -N4 "$frame" 2>/dev/null | tr -d ' ')
    if [ -n "$width" ] && [ "$width" -lt "$2" ]; then kill $pid; wait $pid 2>/dev/null; exit 0; fi
  done
  kill -0 $pid 2>/dev/null || break
  sleep 0.1
done
kill $pid 2>/dev/null
wait $pid 2>/dev/null
exit 1
]] sh "${exec}" "${start_width}"
  WORKING_DIRECTORY "${run_dir}"
  RESULT_VARIABLE rc)
if(NOT rc EQUAL 0)
  file(READ "${run_dir}/program.log" log)
  fail("'${exec}' painted no frame of the saved 9 x 9 game (the field at start is ${start_width} pixels wide):\n${log}")
endif()
