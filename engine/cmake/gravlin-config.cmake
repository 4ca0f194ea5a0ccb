# CMake package of the Gravlin solver engine: find_package(gravlin) gives gravlin::engine,
# the shared library libgravlin with its C header <gravlin/engine.h>.
# The engine's own dependencies are linked into the shared library privately, so a caller
# has nothing more to find.
include("${CMAKE_CURRENT_LIST_DIR}/gravlin-targets.cmake")
