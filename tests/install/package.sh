# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package with CPack once and looks at it every way a user or Debian would:
# its name, dependencies (the Qt libraries dpkg-shlibdeps found plus the three flashing tools),
# files (with the user guide registered with doc-base) and relative tool links; lintian's
# verdict (any error or warning fails); apt's dry run; the command line run from the unpacked
# tree. Where CI=true marks a throwaway machine and it runs as root, it also installs the
# package with apt-get, runs it from /usr/bin and removes it.
# shellcheck source-path=SCRIPTDIR
. "$(dirname "$0")/common.sh"

arch=$(dpkg --print-architecture)
(cd "$scratch" && cpack --config "$MODFLASH_BUILD_DIR/CPackConfig.cmake" -B "$scratch/package") \
    >"$scratch/cpack.log" 2>&1 || { cat "$scratch/cpack.log" >&2; fail "cpack could not build the package"; }
package="$scratch/package/modflash_${MODFLASH_VERSION}_$arch.deb"
[ -f "$package" ] || { ls "$scratch/package" >&2; fail "cpack made no $(basename "$package")"; }

# The products a packaged modflash-cli listed in $1 are the build tree's samples when they are
# packaged, none when no image is (a firmware directory of one's own offers what it holds).
same_offer() { # listing, where it ran
    [ -z "$MODFLASH_FIRMWARE_DIR" ] || return 0
    : >"$scratch/built"
    [ "$MODFLASH_SAMPLE_FIRMWARE" != ON ] || "$MODFLASH_BUILT_CLI" products >"$scratch/built"
    diff -u "$scratch/built" "$1" >&2 || fail "$2 offers other products than the build tree's samples"
}

field() { dpkg-deb --field "$package" "$1"; }
[ "$(field Package)" = modflash ] || fail "the package is named $(field Package)"
[ "$(field Version)" = "$MODFLASH_VERSION" ] || fail "the package version is $(field Version)"
[ -n "$(field Maintainer)" ] || fail "the package names no maintainer"
wanted="avrdude dfu-util openocd libqt6core6"
[ "$MODFLASH_GUI" = ON ] && wanted="$wanted libqt6widgets6 libqt6gui6"
for dependency in $wanted; do
    field Depends | tr ',' '\n' | grep -q "^ *$dependency\b" ||
        fail "the package does not depend on $dependency: $(field Depends)"
done

dpkg-deb --contents "$package" >"$scratch/contents"
for path in $installed_files share/modflash/instructions/intro.html \
    share/doc-base/modflash.modflash-guide share/doc-base/modflash.modflash-guide-de; do
    grep -q " ./usr/$path\( \|$\)" "$scratch/contents" || fail "the package does not hold /usr/$path"
done
# Within /usr the links are relative (../../bin/avrdude from /usr/share/modflash), so they lead
# to the system's tools wherever the package is unpacked; the others hold the configured path.
check_link() { # configured target, link name
    [ -n "$1" ] || return 0
    target=$(sed -n "s|^.* ./usr/share/modflash/$2 -> \(.*\)\$|\1|p" "$scratch/contents")
    [ -n "$target" ] || fail "the package has no $2 link"
    case "$1" in
        /usr/*)
            case "$target" in /*) fail "the package's $2 link is absolute: $target" ;; esac
            resolved=$(realpath -m -s "/usr/share/modflash/$target")
            [ "$resolved" = "$(realpath -m -s "$1")" ] ||
                fail "the package's $2 link $target leads to $resolved, not to $1"
            ;;
        *) [ "$target" = "$1" ] || fail "the package's $2 link points at $target, not $1" ;;
    esac
}
each_tool_link check_link
if grep 'libusb' "$scratch/contents" >&2; then
    fail "the package holds the virtual bench's libraries above"
fi

# lintian's exit status alone would also count a tag it cannot classify; the tags decide. Info
# and pedantic tags are printed for the record but allowed; its complaint about running as root
# goes to standard error and is not a tag.
status=0
lintian --display-info --pedantic --tag-display-limit 0 "$package" >"$scratch/lintian" \
    2>"$scratch/lintian-errors" || status=$?
cat "$scratch/lintian"
grep -q '^[EW]: ' "$scratch/lintian" && fail "lintian reports the errors or warnings above"
[ $status -eq 0 ] || { cat "$scratch/lintian-errors" >&2; fail "lintian ended with status $status"; }

# apt's dry run resolves the dependencies against this system's packages without changing it.
# --reinstall: where a modflash package is installed already, apt would otherwise have nothing
# to do and say nothing of the package's dependencies.
(cd "$scratch/package" && apt-get install --simulate --reinstall "./$(basename "$package")") \
    >"$scratch/simulate" 2>&1 || { cat "$scratch/simulate" >&2; fail "apt-get cannot install the package"; }
grep -q '^Inst modflash ' "$scratch/simulate" || { cat "$scratch/simulate" >&2; fail "apt-get would not install modflash"; }
grep '^Remv ' "$scratch/simulate" >&2 && fail "installing the package would remove the packages above"

dpkg-deb --extract "$package" "$scratch/root"
"$scratch/root/usr/bin/modflash-cli" products >"$scratch/unpacked" ||
    fail "modflash-cli from the unpacked package failed"
same_offer "$scratch/unpacked" "modflash-cli from the unpacked package"
echo "$(basename "$package") holds what it should, and lintian finds no error or warning"

if [ "$(id -u)" -ne 0 ] || [ "${CI:-}" != true ]; then
    echo "not installed with apt-get: that changes the system, so only as root where CI=true"
    exit 0
fi
if dpkg-query -W -f='${Status}' modflash 2>/dev/null | grep -q 'install ok installed'; then
    echo "not installed with apt-get: a modflash package is already installed here"
    exit 0
fi
trap 'apt-get remove -y modflash >/dev/null 2>&1 || true; rm -rf "$scratch"' EXIT
(cd "$scratch/package" && DEBIAN_FRONTEND=noninteractive apt-get install -y "./$(basename "$package")") ||
    fail "apt-get install of the package failed"
/usr/bin/modflash-cli products >"$scratch/installed" || fail "/usr/bin/modflash-cli products failed"
same_offer "$scratch/installed" /usr/bin/modflash-cli
/usr/bin/modflash-cli products --all | grep -q . || fail "the installed catalogue lists no product"
for link in /usr/share/modflash/*; do
    [ ! -L "$link" ] || [ -e "$link" ] || fail "$link -> $(readlink "$link") leads nowhere once installed"
done
DEBIAN_FRONTEND=noninteractive apt-get remove -y modflash || fail "apt-get remove modflash failed"
[ ! -e /usr/bin/modflash-cli ] || fail "/usr/bin/modflash-cli is still there after the removal"
echo "the package installs, runs from /usr/bin and removes cleanly"
