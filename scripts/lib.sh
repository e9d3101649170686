# Shared by the scripts: paths, build configurations and a Wine environment.
# shellcheck shell=bash
ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD="${CORVALIN_BUILD_DIR:-$ROOT/build}"
JOBS="$(nproc)"
# The host the test and demo builds use for the song service; tests override it at run time
# where they start the service on a free port.
TEST_SONG_HOST="127.0.0.1:18571"

log() { printf '\n==> %s\n' "$*"; }

configure() {  # name, extra cmake arguments...
  local name="$1"; shift
  cmake -S "$ROOT" -B "$BUILD/$name" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCORVALIN_WERROR=ON -DSONG_SERVICE_HOST="$TEST_SONG_HOST" "$@" >/dev/null
}

configure_and_build() {  # name, extra cmake arguments...
  configure "$@"
  cmake --build "$BUILD/$1" -j "$JOBS"
}

# Whether this machine runs 32-bit programs: some kernels are built or booted without 32-bit
# emulation, and then Wine's 32-bit loader cannot start ("Exec format error").
can_run_32bit() { /usr/lib/wine/wine --version >/dev/null 2>&1; }

# The Windows build whose tests run under Wine here: the product's 32-bit build (build/windows)
# where 32-bit programs run, else a 64-bit build of the same sources (build/windows64).
windows_test_arch() { if can_run_32bit; then echo i686; else echo x86_64; fi; }
windows_build_name() { if [ "$1" = i686 ]; then echo windows; else echo windows64; fi; }

# The Windows tests talk to the native song service, which the native build (build/linux) makes.
configure_and_build_windows() {  # arch (i686 or x86_64), extra cmake arguments...
  local arch="$1"; shift
  configure_and_build "$(windows_build_name "$arch")" -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-$arch.cmake" \
    -DCORVALIN_NATIVE_BUILD_DIR="$BUILD/linux" "$@"
}

# A fresh Wine prefix for one run, with the ANSI code page 936, and a wineserver kept alive
# until stop_wine so that each test does not start its own.
setup_wine() {  # arch (i686 or x86_64; default: the one windows_test_arch picks)
  local arch="${1:-$(windows_test_arch)}"
  export WINEPREFIX="${WINEPREFIX_FOR_RUN:-$(mktemp -d /tmp/corvalin-wine.XXXXXX)}"
  if [ "$arch" = i686 ]; then
    export WINEARCH=win32 WINELOADER=/usr/lib/wine/wine
  else
    export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
  fi
  export WINEDEBUG=-all LANG=zh_CN.UTF-8 LC_ALL=zh_CN.UTF-8
  export WINEDLLOVERRIDES="mscoree,mshtml="
  "$WINELOADER" wineboot -i >/dev/null 2>&1 || { echo "wineboot failed for $WINEPREFIX" >&2; return 1; }
  wineserver -p >/dev/null 2>&1 &
  WINESERVER_PID=$!
}

stop_wine() {
  wineserver -k >/dev/null 2>&1 || true
  if [ -n "${WINESERVER_PID:-}" ]; then wait "$WINESERVER_PID" 2>/dev/null || true; fi
}

# The libFuzzer build (clang, AddressSanitizer) and one fuzzer run over the seeds in the repo.
build_fuzzers() {
  CC=clang CXX=clang++ cmake -S "$ROOT" -B "$BUILD/fuzz" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCORVALIN_WERROR=ON -DCORVALIN_FUZZ=ON -DCORVALIN_TESTS=OFF >/dev/null &&
    cmake --build "$BUILD/fuzz" --target fuzzers -j "$JOBS"
}

fuzzer_names() { find "$BUILD/fuzz/tests/fuzz" -maxdepth 1 -type f -name '*_fuzzer' -printf '%f\n' | sort; }

# Runs one fuzzer for some seconds. New inputs go to a work corpus under the build folder, not
# into the repo's seeds; a finding is saved there as crash-* and fails the run. Prints the
# number of executions as "executions: N".
run_fuzzer() {  # name, seconds
  local name="$1" seconds="$2"
  local work="$BUILD/fuzz/corpus/$name" seeds="$ROOT/tests/fuzz/corpus/$name"
  mkdir -p "$work" "$seeds"
  local out="$BUILD/fuzz/$name.log"
  "$BUILD/fuzz/tests/fuzz/$name" -max_total_time="$seconds" -print_final_stats=1 \
    -artifact_prefix="$BUILD/fuzz/$name-" "$work" "$seeds" >"$out" 2>&1
  local status=$?
  echo "executions: $(grep -oE 'stat::number_of_executed_units: *[0-9]+' "$out" | grep -oE '[0-9]+$')"
  if [ "$status" -ne 0 ]; then
    grep -E 'MISMATCH|ERROR|SUMMARY|Test unit written' "$out" | head -5
  fi
  return "$status"
}
