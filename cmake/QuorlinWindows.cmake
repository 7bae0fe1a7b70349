# The 32-bit Windows build: the module, the player DLL and the tests that run under Wine.

set(QUORLIN_DEPS_DIR "${CMAKE_SOURCE_DIR}/build/deps" CACHE PATH "cross-built third-party libraries")
set(QUORLIN_NATIVE_DIR "${CMAKE_SOURCE_DIR}/build/native" CACHE PATH "the native build tree")
set(QUORLIN_MOVIE_DIR ${CMAKE_SOURCE_DIR}/build/movie)

# Windows XP-era API surface is enough; Vista for the few newer calls we make.
add_compile_definitions(WINVER=0x0600 _WIN32_WINNT=0x0600 WIN32_LEAN_AND_MEAN NOMINMAX STRICT)

# libjpeg-turbo, cross-built by scripts/bootstrap from Debian's source package.
set(QUORLIN_JPEG_PREFIX ${QUORLIN_DEPS_DIR}/libjpeg-turbo-i686)
if(NOT EXISTS ${QUORLIN_JPEG_PREFIX}/lib/libjpeg.a)
  message(FATAL_ERROR "libjpeg for i686 is missing at ${QUORLIN_JPEG_PREFIX}: run scripts/bootstrap")
endif()
add_library(quorlin_jpeg STATIC IMPORTED GLOBAL)
set_target_properties(quorlin_jpeg PROPERTIES
  IMPORTED_LOCATION ${QUORLIN_JPEG_PREFIX}/lib/libjpeg.a
  INTERFACE_INCLUDE_DIRECTORIES ${QUORLIN_JPEG_PREFIX}/include)

# The static zlib, so that nothing needs zlib1.dll at run time.
find_library(ZLIB_LIBRARY NAMES libz.a REQUIRED)
find_package(ZLIB REQUIRED)

# GoogleTest, cross-built from the sources that Debian's googletest package installs.
set(INSTALL_GTEST OFF CACHE BOOL "" FORCE)
set(BUILD_GMOCK OFF CACHE BOOL "" FORCE)
add_subdirectory(/usr/src/googletest ${CMAKE_BINARY_DIR}/googletest EXCLUDE_FROM_ALL)

# Windows test executables run under Wine through this wrapper.
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_SOURCE_DIR}/scripts/wine-run)
