# Engine fuzz targets. Under libFuzzer the engine sources are compiled again with the
# sanitizers, so the checks cover the engine itself and not only the harness.
get_target_property(_gravlin_engine_dir gravlin_engine_core SOURCE_DIR)
get_target_property(_gravlin_engine_sources gravlin_engine_core SOURCES)
list(TRANSFORM _gravlin_engine_sources PREPEND ${_gravlin_engine_dir}/)

if(GRAVLIN_FUZZ)
  add_library(gravlin_engine_fuzz_core STATIC ${_gravlin_engine_sources} ${_gravlin_engine_dir}/src/c_api.cpp)
  target_include_directories(gravlin_engine_fuzz_core PUBLIC ${_gravlin_engine_dir}/src)
  target_link_libraries(gravlin_engine_fuzz_core PUBLIC gravlin_engine_headers PRIVATE gravlin_warnings)
  target_compile_options(gravlin_engine_fuzz_core PRIVATE
    -fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined)
  set(_gravlin_engine_fuzz_link gravlin_engine_fuzz_core)
else()
  set(_gravlin_engine_fuzz_link gravlin_engine)
endif()

gravlin_add_fuzzer(engine_interpreter
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/engine_interpreter.cpp
  LINK ${_gravlin_engine_fuzz_link})
gravlin_add_fuzzer(engine_calcstoch
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/engine_calcstoch.cpp
  LINK ${_gravlin_engine_fuzz_link})
