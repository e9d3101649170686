# Shared by scripts/gui-test and scripts/screenshot: the Windows build to drive, a display, a
# Wine desktop of 1920 x 1080 and the song service.
# shellcheck shell=bash

GUI_DISPLAY_PID=""
GUI_PORT_FILE=""

# 32-bit Wine needs a 32-bit user space; some kernels (and sandboxes) have none.
runs_32bit_programs() { /usr/lib/wine/wine --version >/dev/null 2>&1; }

if runs_32bit_programs; then
  GUI_ARCH=32
  GUI_BUILD="$BUILD/windows"
  GUI_TOOLCHAIN="$ROOT/cmake/mingw-i686.cmake"
  GUI_WINE=/usr/lib/wine/wine
else
  GUI_ARCH=64
  GUI_BUILD="$BUILD/windows64"
  GUI_TOOLCHAIN="$ROOT/cmake/mingw-x86_64.cmake"
  GUI_WINE=/usr/lib/wine/wine64
fi

windows_path() { local p; p="$(realpath "$1")"; printf 'Z:%s' "${p//\//\\}"; }

gui_build() {
  cmake -S "$ROOT" -B "$BUILD/linux" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVALIN_WERROR=ON \
    -DSONG_SERVICE_HOST="$TEST_SONG_HOST" >/dev/null
  cmake --build "$BUILD/linux" --target corvalin_song_service -j "$JOBS"
  cmake -S "$ROOT" -B "$GUI_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVALIN_WERROR=ON \
    -DSONG_SERVICE_HOST="$TEST_SONG_HOST" -DCMAKE_TOOLCHAIN_FILE="$GUI_TOOLCHAIN" >/dev/null
  cmake --build "$GUI_BUILD" -j "$JOBS" \
    --target cacheconv corvalin_gui_driver folder_check corvalin_wininet_standin
}

# Xvfb on the first free display from :90.
gui_start_display() {
  local n=90
  while [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1920x1080x24 -nolisten tcp >/dev/null 2>&1 &
  GUI_DISPLAY_PID=$!
  export DISPLAY=":$n"
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X$n" ] && return 0; sleep 0.1; done
  echo "Xvfb did not start on :$n" >&2
  return 1
}

# A fresh prefix whose programs all join one desktop of 1920 x 1080, with code page 936.
gui_start_wine() {
  export WINEPREFIX="$(mktemp -d /tmp/corvalin-gui-wine.XXXXXX)"
  export WINEARCH="win$GUI_ARCH" WINELOADER="$GUI_WINE" WINEDEBUG=-all
  export LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8 WINEDLLOVERRIDES="mscoree,mshtml="
  "$GUI_WINE" wineboot -i >/dev/null 2>&1 || true
  "$GUI_WINE" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  "$GUI_WINE" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1920x1080 /f >/dev/null 2>&1
}

# The song service on the host the test build asks (127.0.0.1:18571); it stops by itself when
# its port file goes, or after 30 minutes.
gui_start_song_service() {
  GUI_PORT_FILE="$(mktemp /tmp/corvalin-gui-port.XXXXXX)"
  "$BUILD/linux/tools/corvalin_song_service" --port "${TEST_SONG_HOST##*:}" --catalogue "$1" \
    --port-file "$GUI_PORT_FILE" --lifetime 1800 --background >/dev/null
}

gui_stop() {
  [ -n "$GUI_PORT_FILE" ] && rm -f "$GUI_PORT_FILE"
  wineserver -k >/dev/null 2>&1 || true
  [ -n "$GUI_DISPLAY_PID" ] && kill "$GUI_DISPLAY_PID" 2>/dev/null || true
  [ -n "${WINEPREFIX:-}" ] && [[ "$WINEPREFIX" == /tmp/corvalin-gui-wine.* ]] && rm -rf "$WINEPREFIX"
  return 0
}
