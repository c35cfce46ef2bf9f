# Shared by the scripts in this directory (sourced, not run).
#   KAVELO_BUILD_ROOT  where the build trees go (default: build, relative to
#                      the checkout): <root>/native, <root>/win and
#                      <root>/release
#   KAVELO_JOBS        parallel build and test jobs (default: the core count)

KAVELO_SOURCE_DIR=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
KAVELO_SCRIPTS=$KAVELO_SOURCE_DIR/scripts
KAVELO_BUILD_ROOT=${KAVELO_BUILD_ROOT:-build}
case $KAVELO_BUILD_ROOT in
  /*) ;;
  *) KAVELO_BUILD_ROOT=$KAVELO_SOURCE_DIR/$KAVELO_BUILD_ROOT ;;
esac
export KAVELO_BUILD_ROOT
KAVELO_NATIVE_DIR=$KAVELO_BUILD_ROOT/native
KAVELO_WIN_DIR=$KAVELO_BUILD_ROOT/win
KAVELO_RELEASE_DIR=$KAVELO_BUILD_ROOT/release
KAVELO_JOBS=${KAVELO_JOBS:-$(nproc 2>/dev/null || echo 2)}

say() { printf '== %s\n' "$*"; }
die() { printf 'error: %s\n' "$*" >&2; exit 1; }
is_root() { [ "$(id -u)" -eq 0 ]; }

# Who owns the checkout. Run as root on a user's behalf (sudo), the scripts
# build and run Kavelo as that user, so that build/ stays theirs.
owner_uid() { stat -c %u "$KAVELO_SOURCE_DIR"; }
owner_gid() { stat -c %g "$KAVELO_SOURCE_DIR"; }

as_owner() {
  local uid
  uid=$(owner_uid)
  if ! is_root || [ "$uid" -eq 0 ]; then
    "$@"
    return
  fi
  local home
  home=$(getent passwd "$uid" | cut -d: -f6)
  setpriv --reuid="$uid" --regid="$(owner_gid)" --clear-groups \
    env HOME="${home:-$KAVELO_BUILD_ROOT}" "$@"
}

# Gives what root made in the build root back to the checkout's owner.
give_back_build_root() {
  local uid
  uid=$(owner_uid)
  if is_root && [ "$uid" -ne 0 ] && [ -d "$KAVELO_BUILD_ROOT" ]; then
    chown -R "$uid:$(owner_gid)" "$KAVELO_BUILD_ROOT"
  fi
}

# Runs this script again as root through sudo when not root already.
become_root() {
  is_root && return 0
  command -v sudo >/dev/null || return 1
  say "asking sudo for root"
  exec sudo env KAVELO_BUILD_ROOT="$KAVELO_BUILD_ROOT" KAVELO_JOBS="$KAVELO_JOBS" "$@"
}
