# Shared part of the MinGW-w64 toolchain files; QUILLBARROW_MINGW_TRIPLE names the target.
set(CMAKE_C_COMPILER ${QUILLBARROW_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${QUILLBARROW_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${QUILLBARROW_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${QUILLBARROW_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Programs need no DLL beyond Windows' own: the C++ runtime and winpthread are linked in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
