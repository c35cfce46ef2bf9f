#!/usr/bin/env bash
# Makes the two downloads for Windows users from the release build of
# Kavelo.exe (<build root>/release, see build.sh), in dist/:
#   Kavelo-<version>-win64.zip            Kavelo.exe, LICENSE, README.txt
#   Kavelo-<version>-win64-installer.exe  the per-user NSIS installer
# and the manifests that offer them, with their SHA-256 and their download
# addresses (from packaging/release-base-url), ready to submit:
#   winget/manifests/k/Kavelo/Kavelo/<version>/  winget's three files
#   scoop/kavelo.json                            Scoop's manifest
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

# The manifests. Every address comes from the one release base address.
releases=$(sed -n '/^[[:space:]]*#/d; /[^[:space:]]/{s/[[:space:]]//g; s|/*$||; p; q}' \
  "$KAVELO_SOURCE_DIR/packaging/release-base-url")
[[ $releases == https://* ]] || die "packaging/release-base-url holds no https:// address"
download=$releases/download/v$version
winget_id=Kavelo.Kavelo
sha256() { sha256sum "$1" | cut -d' ' -f1; }
installer_sha=$(sha256 "$out/$base-installer.exe")
fill() {
  sed -e "s|@ID@|$winget_id|g; s|@VERSION@|$version|g; s|@RELEASES@|$releases|g" \
      -e "s|@HOMEPAGE@|${releases%/releases}|g" \
      -e "s|@INSTALLER_URL@|$download/$base-installer.exe|g; s|@INSTALLER_SHA256@|${installer_sha^^}|g" \
      -e "s|@ZIP_URL@|$download/$base.zip|g; s|@ZIP_SHA256@|$(sha256 "$out/$base.zip")|g" "$1" > "$2.part"
  ! grep -n '@[A-Z0-9_]*@' "$2.part" || die "$1: a placeholder is left"
  mv "$2.part" "$2"
}
winget=$out/winget/manifests/$(tr 'A-Z' 'a-z' <<<"${winget_id:0:1}")/${winget_id//.//}/$version
rm -rf "$out/winget" "$out/scoop"
mkdir -p "$winget" "$out/scoop"
fill "$KAVELO_SOURCE_DIR/packaging/winget/version.yaml" "$winget/$winget_id.yaml"
fill "$KAVELO_SOURCE_DIR/packaging/winget/defaultLocale.yaml" "$winget/$winget_id.locale.en-US.yaml"
fill "$KAVELO_SOURCE_DIR/packaging/winget/installer.yaml" "$winget/$winget_id.installer.yaml"
fill "$KAVELO_SOURCE_DIR/packaging/scoop/kavelo.json" "$out/scoop/kavelo.json"

ls -l "$out/$base.zip" "$out/$base-installer.exe" "$winget" "$out/scoop"
