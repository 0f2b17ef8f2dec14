# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package with CPack and looks inside without installing it: its name,
# its dependencies (the Qt libraries dpkg-shlibdeps found plus the three flashing tools), its
# files and tool links, and that the command line runs from the unpacked tree.
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
for path in $installed_files share/modflash/instructions/intro.html; do
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
same_offer "$scratch/unpacked" "modflash-cli from the unpacked package"
echo "$(basename "$package") holds what it should"
