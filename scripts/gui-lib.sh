# Shared by scripts/gui-test and scripts/screenshot: the Windows build to drive, a display, a
# Wine desktop of 1920 x 1080 and the song service. Needs scripts/lib.sh.
# shellcheck shell=bash

GUI_ARCH="$(windows_test_arch)"
GUI_BUILD="$BUILD/$(windows_build_name "$GUI_ARCH")"
GUI_DISPLAY_PID=""
GUI_PORT_FILE=""
GUI_PREFIX=""

windows_path() { local p; p="$(realpath "$1")"; printf 'Z:%s' "${p//\//\\}"; }

gui_build() {
  cmake -S "$ROOT" -B "$BUILD/linux" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVALIN_WERROR=ON \
    -DSONG_SERVICE_HOST="$TEST_SONG_HOST" >/dev/null
  cmake --build "$BUILD/linux" --target corvalin_song_service -j "$JOBS"
  cmake -S "$ROOT" -B "$GUI_BUILD" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVALIN_WERROR=ON \
    -DSONG_SERVICE_HOST="$TEST_SONG_HOST" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-$GUI_ARCH.cmake" >/dev/null
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
  for _ in $(seq 100); do [ -e "/tmp/.X11-unix/X$n" ] && return 0; sleep 0.1; done
  echo "Xvfb did not start on :$n" >&2
  return 1
}

# A fresh prefix (code page 936) whose programs all join one desktop of 1920 x 1080.
gui_start_wine() {
  GUI_PREFIX="$(mktemp -d /tmp/corvalin-gui-wine.XXXXXX)"
  WINEPREFIX_FOR_RUN="$GUI_PREFIX" setup_wine "$GUI_ARCH"
  "$WINELOADER" reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
  "$WINELOADER" reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1920x1080 /f >/dev/null 2>&1
  # The desktop is made when Wine starts: start it again for the setting to hold.
  stop_wine
  WINEPREFIX_FOR_RUN="$GUI_PREFIX" setup_wine "$GUI_ARCH"
}

# The song service on the host the test build asks for; it stops by itself when its port
# file goes, or after 30 minutes.
gui_start_song_service() {  # catalogue
  GUI_PORT_FILE="$(mktemp /tmp/corvalin-gui-port.XXXXXX)"
  "$BUILD/linux/tools/corvalin_song_service" --port "${TEST_SONG_HOST##*:}" --catalogue "$1" \
    --port-file "$GUI_PORT_FILE" --lifetime 1800 --background >/dev/null
}

gui_stop() {
  if [ -n "$GUI_PORT_FILE" ]; then rm -f "$GUI_PORT_FILE"; fi
  stop_wine
  if [ -n "$GUI_DISPLAY_PID" ]; then kill "$GUI_DISPLAY_PID" 2>/dev/null || true; fi
  if [ -n "$GUI_PREFIX" ]; then rm -rf "$GUI_PREFIX"; fi
  return 0
}
