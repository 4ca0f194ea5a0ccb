# Storage fuzz targets: one per reader. The format sources are compiled into each target,
# so under libFuzzer the sanitizers cover the readers themselves; an accepted file is then
# loaded into a whole program and played, which must not throw.
set(_gravlin_storage_dir ${PROJECT_SOURCE_DIR}/storage)

gravlin_add_fuzzer(storage_saved_game
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/storage_saved_game.cpp
          ${_gravlin_storage_dir}/src/saved_game_format.cpp
  LINK gravlin_app)
gravlin_add_fuzzer(storage_mine_layout
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/storage_mine_layout.cpp
          ${_gravlin_storage_dir}/src/mine_layout_format.cpp
  LINK gravlin_app)
foreach(_t fuzz_storage_saved_game fuzz_storage_mine_layout)
  target_include_directories(${_t} PRIVATE ${PROJECT_SOURCE_DIR}/tests/support)
endforeach()
