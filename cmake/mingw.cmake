# Cross build for Windows with MinGW-w64; tests run under Wine. Included by mingw-i686.cmake
# (the product: 32-bit) and mingw-x86_64.cmake (for machines that cannot run 32-bit programs,
# where Wine's 32-bit loader does not start; see scripts/lib.sh).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR ${CORVALIN_MINGW_ARCH})
set(triplet ${CORVALIN_MINGW_ARCH}-w64-mingw32)
# The posix thread model: its libstdc++ has std::mutex and std::thread (GoogleTest needs them);
# the win32 model's has not. -static links its winpthread into each .exe.
set(CMAKE_C_COMPILER ${triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${triplet}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Static runtime: the .exe files need no MinGW DLLs next to them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
set(CMAKE_CROSSCOMPILING_EMULATOR ${CORVALIN_WINE_LOADER})
