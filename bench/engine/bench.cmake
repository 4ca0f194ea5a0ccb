# Engine benchmarks: the solve sequence and the probability text through the shared
# library, and the probability computation alone through the static core.
gravlin_add_bench(engine
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/bench_engine.cpp ${CMAKE_CURRENT_LIST_DIR}/positions.cpp
  LINK gravlin_engine gravlin_engine_core)
