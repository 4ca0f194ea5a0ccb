# Saving and loading the largest game through the menu procedures, on a real file.
gravlin_add_bench(storage
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/storage/bench_storage.cpp
  LINK gravlin_app)
target_include_directories(bench_storage PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
