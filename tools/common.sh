# Shared set-up for tools/run, tools/test and tools/bench: installs what is missing, builds,
# prepares the project's own Wine prefix and starts a private X server when needed.
# Sourced, not run.

set -euo pipefail

ROOT="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
BUILD_DIR="${FILESTAMP_BUILD_DIR:-$ROOT/build}"
export WINEPREFIX="$BUILD_DIR/wineprefix"
export WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# Debian package -> a file it installs, to tell cheaply whether it is there.
REQUIRED_PACKAGES=(
  "g++-mingw-w64-x86-64-posix:/usr/bin/x86_64-w64-mingw32-g++-posix"
  "cmake:/usr/bin/cmake"
  "ninja-build:/usr/bin/ninja"
  "wine64:/usr/lib/wine/wine64"
  "wine:/usr/bin/wine"
  "xvfb:/usr/bin/Xvfb"
  "xauth:/usr/bin/xauth"
  "fonts-wqy-microhei:/usr/share/fonts/truetype/wqy/wqy-microhei.ttc"
  "imagemagick:/usr/bin/import"
  "xdotool:/usr/bin/xdotool"
  "googletest:/usr/src/googletest/CMakeLists.txt"
  "clang:/usr/bin/clang++"
  "libclang-rt-dev:/usr/lib/llvm-14/lib/clang/14.0.6/lib/linux/libclang_rt.fuzzer-x86_64.a"
  "g++:/usr/bin/g++"
  "libimage-exiftool-perl:/usr/bin/exiftool"
)

# Needed only by tools/test (the native sanitizer build, fuzzing, the exiftool cross-check):
# tools/run does without them.
TEST_ONLY_PACKAGES=" clang libclang-rt-dev g++ libimage-exiftool-perl "

log() { printf '[filestamp] %s\n' "$*" >&2; }

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# Installs what is missing; with "run", only what building and running the program needs.
ensure_packages() {
  local missing=() entry pkg file
  for entry in "${REQUIRED_PACKAGES[@]}"; do
    pkg="${entry%%:*}"
    file="${entry#*:}"
    if [ "${1:-}" = run ] && [[ "$TEST_ONLY_PACKAGES" == *" $pkg "* ]]; then continue; fi
    # The clang runtime's path carries a version; accept any installed one.
    if [ "$pkg" = libclang-rt-dev ]; then
      compgen -G '/usr/lib/llvm-*/lib/clang/*/lib/linux/libclang_rt.fuzzer-x86_64.a' >/dev/null && continue
    elif [ -e "$file" ]; then
      continue
    fi
    missing+=("$pkg")
  done
  [ ${#missing[@]} -eq 0 ] && return 0
  log "installing: ${missing[*]}"
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
}

# Configures and builds the Windows program and its tests (BUILD_TYPE: Debug or Release), or
# only the targets named after the type.
build_windows() {
  local type="${1:-Debug}"
  shift || true
  if [ ! -f "$BUILD_DIR/build.ninja" ] || ! grep -q "CMAKE_BUILD_TYPE:STRING=$type" "$BUILD_DIR/CMakeCache.txt"; then
    cmake -S "$ROOT" -B "$BUILD_DIR" -G Ninja \
      -DCMAKE_TOOLCHAIN_FILE="$ROOT/cmake/mingw-w64-x86_64.cmake" \
      -DCMAKE_BUILD_TYPE="$type" >/dev/null
  fi
  if [ $# -gt 0 ]; then
    cmake --build "$BUILD_DIR" -j2 --target "$@"
  else
    cmake --build "$BUILD_DIR" -j2
  fi
}

# Builds the platform-free logic natively with AddressSanitizer and UBSan, plus the fuzz target.
build_native() {
  local dir="$BUILD_DIR/native"
  if [ ! -f "$dir/build.ninja" ]; then
    CC=clang CXX=clang++ cmake -S "$ROOT" -B "$dir" -G Ninja -DFILESTAMP_NATIVE=ON -DCMAKE_BUILD_TYPE=Debug >/dev/null
  fi
  cmake --build "$dir" -j2
}

# A Wine prefix of the project's own, with CJK font replacements and settings for running
# without a window manager.
ensure_wine_prefix() {
  local marker="$WINEPREFIX/.filestamp-ready"
  [ -f "$marker" ] && return 0
  log "preparing Wine prefix $WINEPREFIX"
  mkdir -p "$WINEPREFIX"
  wineboot -i >/dev/null 2>&1 || true
  wineserver -w
  wine regedit "$ROOT/tools/wineprefix.reg" >/dev/null 2>&1
  wineserver -w
  touch "$marker"
}

# The display scales the window tests also run at, each in a prefix of its own (their CTest
# entries are in cmake/dpi_tests.cmake).
SCALED_DPIS=(144 192)

# The same prefix at a display scale, beside the plain one: build/wineprefix-DPI, with
# LogPixels (96 = 100 %) in both places Wine reads it.
ensure_scaled_wine_prefix() {
  local dpi="$1"
  (
    export WINEPREFIX="$BUILD_DIR/wineprefix-$dpi"
    ensure_wine_prefix
    local marker="$WINEPREFIX/.filestamp-dpi-$dpi"
    [ -f "$marker" ] && exit 0
    local reg="$WINEPREFIX/logpixels.reg"
    printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Control Panel\\Desktop]\n"LogPixels"=dword:%08x\n\n[HKEY_LOCAL_MACHINE\\System\\CurrentControlSet\\Hardware Profiles\\Current\\Software\\Fonts]\n"LogPixels"=dword:%08x\n' "$dpi" "$dpi" >"$reg"
    wine regedit "$reg" >/dev/null 2>&1
    wineserver -w
    touch "$marker"
  )
}

XVFB_PID=""
# Starts a private X server when there is no display; sets DISPLAY.
ensure_display() {
  if [ -n "${DISPLAY:-}" ] && [ "${FILESTAMP_PRIVATE_X:-0}" != 1 ]; then return 0; fi
  local n=77
  while [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ]; do n=$((n + 1)); done
  Xvfb ":$n" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  export DISPLAY=":$n"
  local i
  for i in $(seq 1 100); do
    [ -e "/tmp/.X11-unix/X$n" ] && return 0
    sleep 0.05
  done
  log "Xvfb did not start"
  return 1
}

# One idle Wine process for the whole run: it keeps the server and Wine's background
# services alive and attached to /dev/null. Services started by a test process instead
# would hold that test's output pipe open and CTest would wait for them.
WINE_KEEPER_PID=""
start_wine_keeper() {
  local fifo="$BUILD_DIR/wine-keeper-$(basename "$WINEPREFIX").fifo"
  rm -f "$fifo"
  mkfifo "$fifo"
  exec 9<>"$fifo"  # read-write, so opening never blocks and cmd waits for input forever
  wine cmd <&9 >/dev/null 2>&1 &
  WINE_KEEPER_PID=$!
  wine cmd /c exit >/dev/null 2>&1 || true  # returns once the services are up
}

# The same keeper for each scaled prefix.
start_scaled_wine_keepers() {
  local dpi
  for dpi in "${SCALED_DPIS[@]}"; do
    (
      export WINEPREFIX="$BUILD_DIR/wineprefix-$dpi"
      start_wine_keeper
    )
  done
}

# Ends the Wine servers (and so every Wine process) of the plain and the scaled prefixes.
stop_wine_servers() {
  wineserver -k >/dev/null 2>&1 || true
  local dpi
  for dpi in "${SCALED_DPIS[@]}"; do
    WINEPREFIX="$BUILD_DIR/wineprefix-$dpi" wineserver -k >/dev/null 2>&1 || true
  done
}

stop_display() {
  if [ -n "$XVFB_PID" ]; then
    kill "$XVFB_PID" 2>/dev/null || true
    wait "$XVFB_PID" 2>/dev/null || true
    XVFB_PID=""
  fi
}

# Runs the CTest suite of $BUILD_DIR under Wine, in the project's prefixes (the plain one and
# the scaled ones) on a private Xvfb; returns non-zero on any failure.
run_windows_tests() {
  ensure_wine_prefix
  local dpi
  for dpi in "${SCALED_DPIS[@]}"; do ensure_scaled_wine_prefix "$dpi"; done
  export FILESTAMP_PRIVATE_X=1
  trap 'stop_wine_servers; stop_display' EXIT
  stop_wine_servers
  ensure_display
  start_wine_keeper
  start_scaled_wine_keepers
  log "Windows tests under Wine ($BUILD_DIR)"
  ctest --test-dir "$BUILD_DIR" --output-on-failure -j2
}
