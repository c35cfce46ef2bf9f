#!/usr/bin/env bash
# Runs the built Kavelo.exe under Wine (see start.sh), until it ends.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

exe=$KAVELO_WIN_DIR/bin/Kavelo.exe
[ -f "$exe" ] || die "$exe is missing: run scripts/build.sh --win-only first"
export WINEPREFIX=$KAVELO_BUILD_ROOT/wine-prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree=;mshtml="
log=$KAVELO_BUILD_ROOT/wine.log
mkdir -p "$KAVELO_BUILD_ROOT"
: > "$log"

# Wine's output goes to a file, never through a pipe: wineserver would keep
# the pipe open long after the program ends.
if [ ! -f "$WINEPREFIX/.kavelo-desktop" ]; then
  say "making the Wine prefix $WINEPREFIX (once, about 15 s)"
  wineboot -i >>"$log" 2>&1 </dev/null
  wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d shell /f >>"$log" 2>&1 </dev/null
  wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v shell \
    /d "${KAVELO_DESKTOP_SIZE:-1024x768}" /f >>"$log" 2>&1 </dev/null
  wineserver -w
  touch "$WINEPREFIX/.kavelo-desktop"
fi

trap 'wineserver -k >/dev/null 2>&1 || true' EXIT INT TERM
status=0
if [ -n "${DISPLAY:-}" ]; then
  say "starting Kavelo on $DISPLAY (Wine's output in $log)"
  wine "$exe" >>"$log" 2>&1 </dev/null || status=$?
else
  say "no display (\$DISPLAY is empty): running Kavelo on a virtual X server (xvfb-run),"
  say "where nothing can be seen; stop it with Ctrl-C. Wine's output is in $log"
  xvfb-run -a -s "-screen 0 ${KAVELO_DESKTOP_SIZE:-1024x768}x24" wine "$exe" >>"$log" 2>&1 </dev/null || status=$?
fi
say "Kavelo ended with exit code $status"
exit $status
