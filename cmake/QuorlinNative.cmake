# The Linux build: portable libraries, native tools, the movie generator and native tests.
find_package(GTest REQUIRED)
find_package(ZLIB REQUIRED)
include(GoogleTest)

set(QUORLIN_MOVIE_DIR ${CMAKE_SOURCE_DIR}/build/movie)
