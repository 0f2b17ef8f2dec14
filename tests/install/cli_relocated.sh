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

    "$cli" command "$product" "$version" >"$scratch/command" ||
        fail "$cli command $product $version failed"
    program=$(head -n 1 "$scratch/command")
    case "$program" in
        "$resources/avrdude") tool=$MODFLASH_AVRDUDE ;;
        "$resources/dfu-util") tool=$MODFLASH_DFU_UTIL ;;
        "$resources/dfu-util-factory") tool=$MODFLASH_DFU_UTIL_FACTORY ;;
        "$resources/openocd") tool=$MODFLASH_OPENOCD ;;
        *) fail "the command runs $program, not a tool link in $resources" ;;
    esac
    [ "$product" != Wendrel ] || [ "$program" = "$resources/dfu-util" ] ||
        fail "a Wendrel update runs $program, not $resources/dfu-util"
    [ "$(readlink -f "$program")" = "$(readlink -f "$tool")" ] ||
        fail "$program leads to $(readlink -f "$program"), not to the configured $tool"
    [ -x "$program" ] || fail "$program is not an executable"
    grep -qF "$resources/firmware/" "$scratch/command" ||
        fail "the command does not write an image from $resources/firmware"

    "$cli" command "$product" "$version" --json >"$scratch/command.json"
    grep -q "\"LD_LIBRARY_PATH\": *\"$resources\"" "$scratch/command.json" ||
        fail "the tool's library path is not the installed resource directory $resources"
}

# Wendrel 2.0 is among the sample images. A packager's firmware directory may hold others; then
# the first offered product's first version stands in.
if "$MODFLASH_BUILT_CLI" versions Wendrel 2>/dev/null | grep -qx 2.0; then
    product=Wendrel
    version=2.0
else
    product=$(head -n 1 "$scratch/built-offered")
    [ -n "$product" ] || skip "the firmware directory holds no image of any product"
    version=$("$MODFLASH_BUILT_CLI" versions "$product" | head -n 1)
fi

check_prefix "$installed"
echo "works from $installed"

# A prefix moved after installation: nothing may remember where it was installed.
cp -a "$installed" "$scratch/moved"
check_prefix "$scratch/moved"
echo "works from the moved copy $scratch/moved"
