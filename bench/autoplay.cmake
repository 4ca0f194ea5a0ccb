# Automatic play over many random games, with the engine library bound at run time.
if(TARGET gravlin_app AND TARGET gravlin_test_support)
  gravlin_add_bench(autoplay
    SOURCES ${CMAKE_CURRENT_LIST_DIR}/autoplay/autoplay_bench.cpp ${CMAKE_CURRENT_LIST_DIR}/autoplay/stop_check.cpp
            ${CMAKE_CURRENT_LIST_DIR}/autoplay/win_rate.cpp ${CMAKE_CURRENT_LIST_DIR}/autoplay/previous_suggestion.cpp
    LINK gravlin_app gravlin_test_support gravlin_engine_core)
  # The engine is looked for in ../lib beside this folder, as the program does.
  target_compile_definitions(bench_autoplay PRIVATE GRAVLIN_BENCH_DIR="${PROJECT_BINARY_DIR}/bench")
  add_dependencies(bench_autoplay gravlin_engine)
endif()
