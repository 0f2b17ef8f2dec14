# Runs the installed command line from a prefix it was not built for: it must find the
# resource directory beside itself (../share/modflash), list the same products as the build
# tree, and build flashing commands whose tool links lead to the configured tools. Then the
# installed tree is moved once more and must still work.
# shellcheck source-path=SCRIPTDIR
. "$(dirname "$0")/common.sh"
require_installed

# The build tree's own answers, from its staged resource directory, are the reference.
"$MODFLASH_BUILT_CLI" products --all >"$scratch/built-all"
"$MODFLASH_BUILT_CLI" products >"$scratch/built-offered"

check_prefix() { # prefix
    cli="$1/bin/modflash-cli"
    resources="$1/share/modflash"

    "$cli" products --all >"$scratch/all" || fail "$cli products --all failed"
    diff -u "$scratch/built-all" "$scratch/all" >&2 ||
        fail "$cli products --all differs from the build tree's"
    grep -qx Wendrel "$scratch/all" || fail "$cli products --all does not list Wendrel"
    # Only the offered list depends on the images found, so it proves the firmware was found.
    "$cli" products >"$scratch/offered" || fail "$cli products failed"
    diff -u "$scratch/built-offered" "$scratch/offered" >&2 ||
        fail "$cli offers other products than the build tree: its images were not found"

    "$cli" command Wendrel 2.0 >"$scratch/command" || fail "$cli command Wendrel 2.0 failed"
    program=$(head -n 1 "$scratch/command")
    [ "$program" = "$resources/dfu-util" ] ||
        fail "the command runs $program, not the installed link $resources/dfu-util"
    grep -qx "$resources/firmware/Wendrel.2.0.bin" "$scratch/command" ||
        fail "the command does not write the installed image $resources/firmware/Wendrel.2.0.bin"
    [ "$(readlink -f "$program")" = "$(readlink -f "$MODFLASH_DFU_UTIL")" ] ||
        fail "$program leads to $(readlink -f "$program"), not to $MODFLASH_DFU_UTIL"
    "$program" --version >/dev/null 2>&1 || fail "$program does not run"

    "$cli" command Wendrel 2.0 --json >"$scratch/command.json"
    grep -q "\"LD_LIBRARY_PATH\": *\"$resources\"" "$scratch/command.json" ||
        fail "the tool's library path is not the installed resource directory $resources"
}

check_prefix "$installed"
echo "works from $installed"

# A prefix moved after installation: nothing may remember where it was installed.
cp -a "$installed" "$scratch/moved"
check_prefix "$scratch/moved"
echo "works from the moved copy $scratch/moved"
