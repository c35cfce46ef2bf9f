#!/usr/bin/env bash
# Configures and builds the three trees (Release):
#   <root>/win      Kavelo.exe and the Windows tests (mingw-w64 cross build)
#   <root>/release  the Kavelo.exe that is shipped: the same code and flags,
#                   built with the win32 thread model (no winpthreads)
#   <root>/native   native unit tests and tools; its ctest also runs the
#                   Windows tree's tests under Wine and checks the release
# Options: --win-only (just the Windows tree), --release-only.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

win_only=false
[ "${1:-}" = "--win-only" ] && win_only=true

build_release() {
  say "release build in $KAVELO_RELEASE_DIR"
  cmake -S "$KAVELO_SOURCE_DIR" -B "$KAVELO_RELEASE_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="$KAVELO_SOURCE_DIR/cmake/mingw-w64-x86_64-win32.cmake" \
    -DKAVELO_WINDOWS_TESTS=OFF
  cmake --build "$KAVELO_RELEASE_DIR" -j "$KAVELO_JOBS" --target Kavelo
}
if [ "${1:-}" = "--release-only" ]; then
  build_release
  exit 0
fi

say "Windows build in $KAVELO_WIN_DIR"
cmake -S "$KAVELO_SOURCE_DIR" -B "$KAVELO_WIN_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$KAVELO_SOURCE_DIR/cmake/mingw-w64-x86_64.cmake"
cmake --build "$KAVELO_WIN_DIR" -j "$KAVELO_JOBS"
$win_only && exit 0
build_release

say "native build in $KAVELO_NATIVE_DIR"
cmake -S "$KAVELO_SOURCE_DIR" -B "$KAVELO_NATIVE_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DKAVELO_WIN_BUILD_DIR="$KAVELO_WIN_DIR" -DKAVELO_RELEASE_BUILD_DIR="$KAVELO_RELEASE_DIR"
cmake --build "$KAVELO_NATIVE_DIR" -j "$KAVELO_JOBS"
