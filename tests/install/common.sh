# SPDX-License-Identifier: GPL-3.0-or-later
# Shared by the install tests: strict mode, failure reporting and the installed tree's places.
# Reads MODFLASH_DESTDIR and MODFLASH_PREFIX from the environment CTest gives every test.
set -eu

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

skip() {
    echo "SKIP: $*"
    exit 77
}

installed="$MODFLASH_DESTDIR$MODFLASH_PREFIX"
# shellcheck disable=SC2034 # read by the scripts that source this file
installed_resources="$installed/share/modflash"

# A scratch directory removed on exit, with a home of its own so no test reads or writes the
# preferences of the person running the tests.
scratch=$(mktemp -d "${TMPDIR:-/tmp}/modflash-install-test.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
export HOME="$scratch/home"
export XDG_CONFIG_HOME="$HOME/.config"
export XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -p "$XDG_CONFIG_HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"

require_installed() {
    [ -x "$installed/bin/modflash-cli" ] ||
        fail "nothing installed at $installed (the install.stage test sets it up)"
}
