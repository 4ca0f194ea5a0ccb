# The program, as built and as installed, looks for its libraries beside itself and where
# the system looks, never in the working folder: its RUNPATH holds only $ORIGIN-relative
# entries, and libraries planted in the working folder are not the ones the loader takes.
# -D BUILD_DIR, PROGRAM (the built program), PLANTED (a library to plant), WORK (scratch),
#    BINDIR, LIBDIR (install folders), ENGINE (the engine's SONAME)
file(REMOVE_RECURSE "${WORK}")
file(MAKE_DIRECTORY "${WORK}/cwd")
set(failures "")

function(check_runpath program)
  file(READ_ELF "${program}" RPATH rpath RUNPATH runpath CAPTURE_ERROR error)
  if(error)
    string(APPEND failures "${program}: ${error}\n")
  elseif(rpath)
    string(APPEND failures "${program}: an RPATH (searched before LD_LIBRARY_PATH): ${rpath}\n")
  elseif(NOT runpath MATCHES "^\\$ORIGIN/[^:]+(:\\$ORIGIN/[^:]+)*$")
    string(APPEND failures "${program}: RUNPATH '${runpath}' has an empty or absolute entry\n")
  endif()
  set(failures "${failures}" PARENT_SCOPE)
  set(runpath "${runpath}" PARENT_SCOPE)
endfunction()

# Plants libraries the program needs, or binds, in the working folder and lets the loader
# say which files it would take.
foreach(name libQt6Core.so.6 libQt6Widgets.so.6 ${ENGINE})
  file(COPY_FILE "${PLANTED}" "${WORK}/cwd/${name}")
endforeach()
function(check_loader program)
  execute_process(COMMAND "${CMAKE_COMMAND}" -E env LD_TRACE_LOADED_OBJECTS=1 "${program}"
                  WORKING_DIRECTORY "${WORK}/cwd" RESULT_VARIABLE rc OUTPUT_VARIABLE out ERROR_VARIABLE err)
  foreach(name libQt6Core.so.6 libQt6Widgets.so.6)
    string(FIND "${out}" "${WORK}" planted)
    if(NOT out MATCHES "${name} => /" OR NOT planted EQUAL -1)
      string(APPEND failures "${program}: ${name} not taken from where it belongs:\n${out}\n")
    endif()
  endforeach()
  set(failures "${failures}" PARENT_SCOPE)
endfunction()

check_runpath("${PROGRAM}")
check_loader("${PROGRAM}")

execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${WORK}/prefix"
                RESULT_VARIABLE rc OUTPUT_QUIET ERROR_VARIABLE err)
set(installed "${WORK}/prefix/${BINDIR}/gravlin")
if(NOT rc EQUAL 0)
  string(APPEND failures "cmake --install failed (${rc}): ${err}\n")
else()
  check_runpath("${installed}")
  check_loader("${installed}")
  # One entry leads to the installed engine.
  set(found FALSE)
  string(REPLACE ":" ";" entries "${runpath}")
  foreach(entry IN LISTS entries)
    string(REPLACE "$ORIGIN" "${WORK}/prefix/${BINDIR}" folder "${entry}")
    if(EXISTS "${folder}/${ENGINE}")
      set(found TRUE)
    endif()
  endforeach()
  if(NOT found)
    string(APPEND failures "${installed}: no RUNPATH entry leads to ${LIBDIR}/${ENGINE}\n")
  endif()
endif()

if(failures)
  message(FATAL_ERROR "${failures}")
endif()
