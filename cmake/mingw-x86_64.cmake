# 64-bit Windows, for running the tests under Wine where 32-bit programs cannot run.
set(CORVALIN_MINGW_ARCH x86_64)
set(CORVALIN_WINE_LOADER /usr/lib/wine/wine64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
