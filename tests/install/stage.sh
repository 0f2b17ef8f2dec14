# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build tree into a fresh DESTDIR with the prefix /usr/local; the other tests
# check the result. Reads MODFLASH_BUILD_DIR.
# shellcheck source-path=SCRIPTDIR
. "$(dirname "$0")/common.sh"

rm -rf "$MODFLASH_DESTDIR"
if ! DESTDIR="$MODFLASH_DESTDIR" cmake --install "$MODFLASH_BUILD_DIR" --prefix "$MODFLASH_PREFIX" \
    >"$scratch/install.log" 2>&1; then
    cat "$scratch/install.log" >&2
    fail "cmake --install into DESTDIR=$MODFLASH_DESTDIR failed"
fi

# The manifest lists each installed path as it is seen once installed: under the prefix, and
# present below DESTDIR. A rule that ignored DESTDIR or the prefix shows up here.
manifest="$MODFLASH_BUILD_DIR/install_manifest.txt"
[ -s "$manifest" ] || fail "no install manifest at $manifest"
while IFS= read -r path; do
    case "$path" in
        "$MODFLASH_PREFIX"/*) ;;
        *) fail "$path was installed outside the prefix $MODFLASH_PREFIX" ;;
    esac
    [ -e "$MODFLASH_DESTDIR$path" ] || [ -L "$MODFLASH_DESTDIR$path" ] ||
        fail "$path is in the manifest but not under DESTDIR"
done <"$manifest"
# The tool links are made by install code of their own; they must be listed too, or removing
# an installation by its manifest leaves them behind.
grep -q "^$MODFLASH_PREFIX/share/modflash/dfu-util\$" "$manifest" ||
    fail "the manifest does not list the dfu-util link"
echo "installed into $MODFLASH_DESTDIR$MODFLASH_PREFIX"
