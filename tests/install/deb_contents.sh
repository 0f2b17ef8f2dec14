# Builds the Debian package with CPack and looks inside without installing it: its name,
# its dependencies (the Qt libraries dpkg-shlibdeps found plus the three flashing tools), its
# files, and that the command line runs from the unpacked tree.
# shellcheck source-path=SCRIPTDIR
. "$(dirname "$0")/common.sh"
. "$(dirname "$0")/package.sh"
build_package

field() { dpkg-deb --field "$package" "$1"; }
[ "$(field Package)" = modflash ] || fail "the package is named $(field Package)"
[ "$(field Version)" = "$MODFLASH_VERSION" ] || fail "the package version is $(field Version)"
depends=$(field Depends)
echo "Depends: $depends"
wanted="avrdude dfu-util openocd libqt6core6"
[ "$MODFLASH_GUI" = ON ] && wanted="$wanted libqt6widgets6 libqt6gui6"
for dependency in $wanted; do
    echo "$depends" | tr ',' '\n' | grep -q "^ *$dependency\b" ||
        fail "the package does not depend on $dependency"
done
[ -n "$(field Maintainer)" ] || fail "the package names no maintainer"

dpkg-deb --contents "$package" >"$scratch/contents"
for path in ./usr/bin/modflash-cli ./usr/share/modflash/instructions/intro.html \
    ./usr/share/man/man1/modflash-cli.1; do
    grep -q " $path\( \|$\)" "$scratch/contents" || fail "the package does not hold $path"
done
if grep 'libusb' "$scratch/contents" >&2; then
    fail "the package holds the virtual bench's libraries above"
fi
[ "$MODFLASH_GUI" = ON ] && { grep -q ' ./usr/bin/modflash$' "$scratch/contents" ||
    fail "the package does not hold ./usr/bin/modflash"; }
if [ -n "$MODFLASH_DFU_UTIL" ]; then
    grep -q " ./usr/share/modflash/dfu-util -> $MODFLASH_DFU_UTIL$" "$scratch/contents" ||
        fail "the package's dfu-util link does not point at $MODFLASH_DFU_UTIL"
fi

# apt's dry run resolves the dependencies against this system's packages without changing it.
(cd "$(dirname "$package")" && apt-get install --simulate "./$(basename "$package")") \
    >"$scratch/simulate" 2>&1 || { cat "$scratch/simulate" >&2; fail "apt-get cannot install the package"; }
grep -q '^Inst modflash ' "$scratch/simulate" || { cat "$scratch/simulate" >&2; fail "apt-get would not install modflash"; }
if grep '^Remv ' "$scratch/simulate" >&2; then
    fail "installing the package would remove the packages above"
fi

dpkg-deb --extract "$package" "$scratch/root"
"$scratch/root/usr/bin/modflash-cli" products >"$scratch/unpacked" ||
    fail "modflash-cli from the unpacked package failed"
"$MODFLASH_BUILT_CLI" products >"$scratch/built"
diff -u "$scratch/built" "$scratch/unpacked" >&2 ||
    fail "the unpacked package offers other products than the build tree"
echo "$(basename "$package") holds what it should"
