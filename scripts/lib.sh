# Shared by the scripts: paths, build configurations and a Wine environment.
# shellcheck shell=bash
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${CORVALIN_BUILD_DIR:-$ROOT/build}"
JOBS="$(nproc)"
# The host the test and demo builds use for the song service; tests override it at run time
# where they start the service on a free port.
TEST_SONG_HOST="127.0.0.1:18571"

log() { printf '\n==> %s\n' "$*"; }

configure_and_build() {  # name, extra cmake arguments...
  local name="$1"; shift
  cmake -S "$ROOT" -B "$BUILD/$name" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCORVALIN_WERROR=ON -DSONG_SERVICE_HOST="$TEST_SONG_HOST" "$@" >/dev/null
  cmake --build "$BUILD/$name" -j "$JOBS"
}

# A fresh Wine prefix for one run, with the ANSI code page 936.
setup_wine() {
  export WINEPREFIX="${WINEPREFIX_FOR_RUN:-$(mktemp -d /tmp/corvalin-wine.XXXXXX)}"
  export WINEARCH=win32 WINEDEBUG=-all LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
  export WINEDLLOVERRIDES="mscoree,mshtml="
  wineboot -i >/dev/null 2>&1 || true
  wineserver -p >/dev/null 2>&1 || true
}

stop_wine() { wineserver -k >/dev/null 2>&1 || true; }
