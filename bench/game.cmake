# Benchmarks of the game and its main window.
find_package(Qt6 REQUIRED COMPONENTS Widgets)
if(TARGET gravlin_ui AND TARGET gravlin_test_support)
  gravlin_add_bench(game SOURCES ${CMAKE_CURRENT_LIST_DIR}/game/game_bench.cpp LINK gravlin_ui gravlin_test_support)
  gravlin_add_bench(startup SOURCES ${CMAKE_CURRENT_LIST_DIR}/game/startup_bench.cpp LINK Qt6::Core)
  target_compile_definitions(bench_startup PRIVATE GRAVLIN_PROGRAM="$<TARGET_FILE:gravlin>")
  add_dependencies(bench_startup gravlin)
endif()
