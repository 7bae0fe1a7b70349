# Cross toolchain for the 32-bit Windows products (the saver, the player DLL, the Windows tests).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)

set(QUORLIN_MINGW_TRIPLE i686-w64-mingw32)
set(CMAKE_C_COMPILER   ${QUORLIN_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUORLIN_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER  ${QUORLIN_MINGW_TRIPLE}-windres)
set(CMAKE_AR           ${QUORLIN_MINGW_TRIPLE}-ar CACHE FILEPATH "")
set(CMAKE_RANLIB       ${QUORLIN_MINGW_TRIPLE}-ranlib CACHE FILEPATH "")

set(CMAKE_FIND_ROOT_PATH /usr/${QUORLIN_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Static runtime: neither the module nor the player DLL may need MinGW DLLs at run time.
set(CMAKE_EXE_LINKER_FLAGS_INIT    "-static -static-libgcc -static-libstdc++")
set(CMAKE_SHARED_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_MODULE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
