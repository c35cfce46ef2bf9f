#!/usr/bin/env bash
# Configures and builds both trees (Release):
#   <root>/win     Kavelo.exe and the Windows tests (mingw-w64 cross build)
#   <root>/native  native unit tests and tools; its ctest also runs the
#                  Windows tree's tests under Wine
# Options: --win-only (just the Windows tree).
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

win_only=false
[ "${1:-}" = "--win-only" ] && win_only=true

say "Windows build in $KAVELO_WIN_DIR"
cmake -S "$KAVELO_SOURCE_DIR" -B "$KAVELO_WIN_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DCMAKE_TOOLCHAIN_FILE="$KAVELO_SOURCE_DIR/cmake/mingw-w64-x86_64.cmake"
cmake --build "$KAVELO_WIN_DIR" -j "$KAVELO_JOBS"
$win_only && exit 0

say "native build in $KAVELO_NATIVE_DIR"
cmake -S "$KAVELO_SOURCE_DIR" -B "$KAVELO_NATIVE_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release \
  -DKAVELO_WIN_BUILD_DIR="$KAVELO_WIN_DIR"
cmake --build "$KAVELO_NATIVE_DIR" -j "$KAVELO_JOBS"
