#!/usr/bin/env bash
# Installs what is missing, builds Kavelo.exe and starts it under Wine on
# this display, on a Wine virtual desktop whose taskbar shows the
# notification area. Its Wine prefix (settings included) stays in
# <build root>/wine-prefix.
#   KAVELO_DESKTOP_SIZE  size of that desktop (default 1024x768)
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

"$KAVELO_SCRIPTS/install-deps.sh"
as_owner "$KAVELO_SCRIPTS/build.sh" --win-only
as_owner "$KAVELO_SCRIPTS/run-kavelo.sh"
