#!/usr/bin/env bash
# Installs what building and testing Kavelo needs on Debian or Ubuntu, and
# only what is missing (nothing at all, and no root, when all is there).
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

PACKAGES=(
  # native build and its tests
  g++ cmake ninja-build googletest libgtest-dev libbenchmark-dev libpng-dev clang python3
  # the Windows build (posix threads for the tests, win32 for the release),
  # and the same built by clang, linked by LLVM's linker
  g++-mingw-w64-x86-64-posix g++-mingw-w64-x86-64-win32 lld
  # the downloads: the installer and the zip; their manifests' checks
  nsis zip python3-jsonschema python3-yaml
  # running it: Wine, a virtual X server, screenshots and pointer input
  wine wine64 xvfb xauth imagemagick xdotool
  # private mount namespaces (unshare, mount, setpriv)
  util-linux mount
)

missing=()
for p in "${PACKAGES[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  say "all packages present"
  exit 0
fi

say "missing packages: ${missing[*]}"
if ! is_root; then
  become_root "$0" "$@" || die "installing needs root: run this as root or with sudo"
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y "${missing[@]}"
