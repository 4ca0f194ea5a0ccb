# One line per fuzz target; each subsystem adds its own.
include(${CMAKE_CURRENT_LIST_DIR}/engine.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/storage.cmake)
