# Builds the consumer project against the library installed under PREFIX, through
# find_package(gravlin) and through pkg-config, and runs both programs. C_FLAGS are the
# flags the library was built with (a sanitizer build needs its runtime in the consumer too).
file(REMOVE_RECURSE "${WORK_DIR}")
file(MAKE_DIRECTORY "${WORK_DIR}")

include(${CMAKE_CURRENT_LIST_DIR}/run_step.cmake)

function(expect_answer program)
  # The pkg-config build has no run path: the loader is told where the library lies.
  run("running ${program}" ${CMAKE_COMMAND} -E env "LD_LIBRARY_PATH=${PREFIX}/${LIBDIR}:$ENV{LD_LIBRARY_PATH}" "${program}")
  if(NOT output MATCHES "engine answered")
    message(FATAL_ERROR "${program} printed: ${output}")
  endif()
endfunction()

run("configuring with find_package" ${CMAKE_COMMAND} -S "${SOURCE_DIR}" -B "${WORK_DIR}/cmake" -G "${GENERATOR}"
    "-DCMAKE_C_COMPILER=${C_COMPILER}" "-DCMAKE_PREFIX_PATH=${PREFIX}" "-DCMAKE_C_FLAGS=${C_FLAGS}"
    "-DCMAKE_EXE_LINKER_FLAGS=${C_FLAGS}")
run("building with find_package" ${CMAKE_COMMAND} --build "${WORK_DIR}/cmake")
expect_answer("${WORK_DIR}/cmake/consumer")

find_program(PKG_CONFIG NAMES pkg-config pkgconf REQUIRED)
run("pkg-config" ${CMAKE_COMMAND} -E env "PKG_CONFIG_PATH=${PREFIX}/${LIBDIR}/pkgconfig"
    "${PKG_CONFIG}" --cflags --libs gravlin)
separate_arguments(flags UNIX_COMMAND "${C_FLAGS} ${output}")
run("compiling with pkg-config" "${C_COMPILER}" "${SOURCE_DIR}/main.c" -o "${WORK_DIR}/consumer-pc" ${flags})
expect_answer("${WORK_DIR}/consumer-pc")
message(STATUS "Both builds against ${PREFIX} run")
