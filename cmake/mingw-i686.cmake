# The product's build: 32-bit Windows, run under Wine's 32-bit loader.
set(CORVALIN_MINGW_ARCH i686)
set(CORVALIN_WINE_LOADER wine)
include(${CMAKE_CURRENT_LIST_DIR}/mingw.cmake)
