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
# What an installation holds outside the resource directory, relative to its prefix.
installed_files="bin/modflash-cli share/man/man1/modflash-cli.1.gz bin/modflash-feed
    share/man/man1/modflash-feed.1.gz share/doc/modflash/copyright
    share/doc/modflash/changelog.gz $MODFLASH_COMPLETIONS_DIR/modflash-cli
    share/doc/modflash/guide/en/index.html share/doc/modflash/guide/de/index.html"
[ "$MODFLASH_GUI" != ON ] || installed_files="$installed_files bin/modflash share/man/man1/modflash.1.gz"

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

# Runs "$1 TARGET LINK" for each tool link the build configures, TARGET being the configured
# path; a tool that was not found (empty or *-NOTFOUND) is passed as an empty TARGET.
each_tool_link() {
    for entry in "$MODFLASH_AVRDUDE avrdude" "$MODFLASH_AVRDUDE_CONF avrdude.conf" \
        "$MODFLASH_DFU_UTIL dfu-util" "$MODFLASH_DFU_UTIL_FACTORY dfu-util-factory" \
        "$MODFLASH_OPENOCD openocd" "$MODFLASH_OPENOCD_SCRIPTS openocd-scripts"; do
        target=${entry% *}
        [ "${target%-NOTFOUND}" = "$target" ] || target=
        "$1" "$target" "${entry##* }"
    done
}
