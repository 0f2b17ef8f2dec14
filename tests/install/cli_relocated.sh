# SPDX-License-Identifier: GPL-3.0-or-later
# Runs the installed command line from a prefix it was not built for: it must find the
# resource directory beside itself (../share/modflash), list the same products as the build
# tree, and build flashing commands whose tool links lead to the configured tools. Then the
# installed tree is moved once more and must still work.
# shellcheck source-path=SCRIPTDIR
. "$(dirname "$0")/common.sh"
require_installed

# The build tree's own answers, from its staged resource directory, are the reference.
"$MODFLASH_BUILT_CLI" products --all >"$scratch/built-all"
# An image from outside, as a person would pick one: the installed firmware directory may hold
# none (the sample images are installed only when asked for).
image="$MODFLASH_SOURCE_DIR/resources/firmware/Wendrel.2.0.bin"

check_prefix() { # prefix
    cli="$1/bin/modflash-cli"
    resources="$1/share/modflash"

    "$cli" products --all >"$scratch/all" || fail "$cli products --all failed"
    diff -u "$scratch/built-all" "$scratch/all" >&2 ||
        fail "$cli products --all differs from the build tree's"
    # The translations travel inside the program.
    LANG=de_DE.UTF-8 LANGUAGE= LC_ALL= "$cli" --help | grep -q '^Aufruf: modflash-cli' ||
        fail "$cli --help is not German under LANG=de_DE.UTF-8"
    # The offer follows the installed images: none installed, none offered.
    "$cli" products >"$scratch/offered" || fail "$cli products failed"
    [ -n "$(ls -A "$resources/firmware")" ] || [ ! -s "$scratch/offered" ] ||
        fail "$cli offers products without any installed image"

    "$cli" --factory command Wendrel --file "$image" >"$scratch/command" ||
        fail "$cli command Wendrel --file $image failed"
    program=$(head -n 1 "$scratch/command")
    [ "$program" = "$resources/dfu-util-factory" ] ||
        fail "a Wendrel update with factory firmware runs $program, not $resources/dfu-util-factory"
    [ "$(readlink -f "$program")" = "$(readlink -f "$MODFLASH_DFU_UTIL_FACTORY")" ] ||
        fail "$program leads to $(readlink -f "$program"), not to $MODFLASH_DFU_UTIL_FACTORY"
    grep -qxF "$image" "$scratch/command" || fail "the command does not write $image"

    "$cli" --factory command Wendrel --file "$image" --json >"$scratch/command.json"
    grep -q "\"LD_LIBRARY_PATH\": *\"$resources\"" "$scratch/command.json" ||
        fail "the tool's library path is not the installed resource directory $resources"
}

check_prefix "$installed"
echo "works from $installed"

# A prefix moved after installation: nothing may remember where it was installed.
cp -a "$installed" "$scratch/moved"
check_prefix "$scratch/moved"
echo "works from the moved copy $scratch/moved"
