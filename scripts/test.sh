#!/usr/bin/env bash
# Installs what is missing, builds the trees and runs every test with one
# ctest run in the native tree: the native unit tests, the Windows tests
# under Wine, and the end-to-end tests of Kavelo.exe.
# Root is needed for the end-to-end tests' fake battery (a private mount
# namespace); without it they are skipped unless user namespaces are allowed.
set -euo pipefail
. "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

become_root "$0" "$@" ||
  say "not root and no sudo: the end-to-end tests need user namespaces, or are skipped"
started=$SECONDS

"$KAVELO_SCRIPTS/install-deps.sh"
as_owner "$KAVELO_SCRIPTS/build.sh"

trap give_back_build_root EXIT
exe=$KAVELO_RELEASE_DIR/bin/Kavelo.exe
say "release Kavelo.exe: $(stat -c %s "$exe") bytes (the test release.exe fails above its budget)"
say "tests (ctest -j $KAVELO_JOBS in $KAVELO_NATIVE_DIR)"
status=0
ctest --test-dir "$KAVELO_NATIVE_DIR" --output-on-failure -j "$KAVELO_JOBS" || status=$?
say "done in $((SECONDS - started)) s"
exit $status
