# SPDX-License-Identifier: GPL-3.0-or-later
# The installed tree: both executables in bin/, the resource directory complete under
# share/modflash/, each tool link pointing at the tool configured for this build (as it is:
# the prefix is not /usr), and the man pages, bash completion, user guide and package
# documentation.
# shellcheck source-path=SCRIPTDIR
. "$(dirname "$0")/common.sh"
require_installed

# Same listing of two directories, by file name.
same_files() {
    (cd "$1" && find . -type f | sort) >"$scratch/expected"
    (cd "$2" && find . -type f | sort) >"$scratch/actual"
    diff -u "$scratch/expected" "$scratch/actual" >&2 || fail "$2 does not hold the files of $1"
}

same_files "$MODFLASH_SOURCE_DIR/resources/instructions" "$installed_resources/instructions"
# The sample images are no firmware: installed only when asked for.
if [ -n "$MODFLASH_FIRMWARE_DIR" ]; then
    same_files "$MODFLASH_FIRMWARE_DIR" "$installed_resources/firmware"
elif [ "$MODFLASH_SAMPLE_FIRMWARE" = ON ]; then
    same_files "$MODFLASH_SOURCE_DIR/resources/firmware" "$installed_resources/firmware"
else
    [ -d "$installed_resources/firmware" ] || fail "the firmware directory is not installed"
    [ -z "$(ls -A "$installed_resources/firmware")" ] ||
        fail "sample images were installed without MODFLASH_SAMPLE_FIRMWARE"
fi
for script in openocd_flash_pre.cfg openocd_flash_post.cfg; do
    cmp "$MODFLASH_SOURCE_DIR/resources/$script" "$installed_resources/$script" ||
        fail "$script is not installed as it is in the sources"
done

check_link() { # configured target, link name
    link="$installed_resources/$2"
    if [ -z "$1" ]; then
        if [ -e "$link" ] || [ -L "$link" ]; then
            fail "$2 is linked although no tool was configured"
        fi
        return
    fi
    [ -L "$link" ] || fail "$link is not a link"
    [ "$(readlink "$link")" = "$1" ] || fail "$link points at $(readlink "$link"), not $1"
    [ -e "$link" ] || fail "$link does not resolve"
}
each_tool_link check_link
[ -f "$installed_resources/openocd-scripts/interface/stlink-v2.cfg" ] ||
    fail "the linked openocd script directory has no interface/stlink-v2.cfg"

# The user guide as the window shows it, the same pages in each language, and every link
# between them leads to an installed page.
guide="$installed/share/doc/modflash/guide"
same_files "$MODFLASH_SOURCE_DIR/data/guide" "$guide"
same_files "$guide/en" "$guide/de"
for page in "$guide"/*/*.html; do
    grep -o 'href="[^"]*"' "$page" | sed 's/^href="//; s/"$//; s/#.*//' | while read -r target; do
        case "$target" in *:* | '') continue ;; esac
        [ -f "$(dirname "$page")/$target" ] || fail "${page#"$guide/"} links to $target, which is not installed"
    done
done

for path in $installed_files; do
    [ -f "$installed/$path" ] || fail "$path is not installed"
done
# The virtual bench's stand-ins for libusb are a development instrument, never installed.
stray=$(find "$MODFLASH_DESTDIR" -name 'libusb*' | head -n 1)
[ -z "$stray" ] || fail "the install holds the virtual bench's $stray"
echo "layout and tool links as configured"
