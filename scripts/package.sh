#!/usr/bin/env bash
# Makes the two downloads for Windows users from the release build of
# Kavelo.exe (<build root>/release, see build.sh), in dist/:
#   Kavelo-<version>-win64.zip            Kavelo.exe, LICENSE, README.txt
#   Kavelo-<version>-win64-installer.exe  the per-user NSIS installer
# Options: --exe FILE (default: the release build's, built when missing),
#          --out DIR (default: dist/ in the checkout).
# The version is the one in CMakeLists.txt. Also: cmake --build <release
# tree> --target dist.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

exe=
out=$KAVELO_SOURCE_DIR/dist
while [ $# -gt 0 ]; do
  case $1 in
    --exe) exe=$2; shift 2 ;;
    --out) out=$2; shift 2 ;;
    *) die "unknown option $1 (see the head of $0)" ;;
  esac
done
if [ -z "$exe" ]; then
  exe=$KAVELO_RELEASE_DIR/bin/Kavelo.exe
  [ -f "$exe" ] || "$KAVELO_SCRIPTS/build.sh" --release-only
fi
[ -f "$exe" ] || die "$exe is missing"
for tool in makensis zip; do
  command -v $tool >/dev/null || die "$tool is missing: run scripts/install-deps.sh"
done

version=$(sed -n 's/^project(Kavelo VERSION \([0-9.]*\).*/\1/p' "$KAVELO_SOURCE_DIR/CMakeLists.txt")
[ -n "$version" ] || die "no version in CMakeLists.txt"
base=Kavelo-$version-win64
mkdir -p "$out"
out=$(cd "$out" && pwd)
stage=$(mktemp -d)
trap 'rm -rf "$stage"' EXIT

# Text files with Windows line ends, for Notepad.
crlf() { sed 's/\r$//; s/$/\r/' "$1" > "$2"; }
cp "$exe" "$stage/Kavelo.exe"
crlf "$KAVELO_SOURCE_DIR/LICENSE" "$stage/LICENSE"
sed "s/@VERSION@/$version/" "$KAVELO_SOURCE_DIR/packaging/README.txt" > "$stage/README.in"
crlf "$stage/README.in" "$stage/README.txt"
# The files' times are the release build's, so that the same build gives
# the same zip.
touch -r "$exe" "$stage/Kavelo.exe" "$stage/LICENSE" "$stage/README.txt"

say "packaging Kavelo $version into $out"
rm -f "$out/$base.zip" "$out/$base-installer.exe"
(cd "$stage" && zip -q -X "$out/$base.zip" Kavelo.exe LICENSE README.txt)
makensis -V2 -NOCD -DVERSION="$version" -DEXE="$stage/Kavelo.exe" -DLICENSE_FILE="$stage/LICENSE" \
  -DICON="$KAVELO_SOURCE_DIR/resources/kavelo.ico" -DOUTFILE="$out/$base-installer.exe" \
  "$KAVELO_SOURCE_DIR/packaging/kavelo.nsi"
ls -l "$out/$base.zip" "$out/$base-installer.exe"
