# SPDX-License-Identifier: GPL-3.0-or-later
# The installed desktop entry and AppStream metainfo pass their validators and agree with each
# other and with the installed files: one application id names the entry, the metainfo and the
# icon, and the programs they launch or provide are installed.
# shellcheck source-path=SCRIPTDIR
. "$(dirname "$0")/common.sh"
require_installed
[ "$MODFLASH_GUI" = ON ] || skip "this build has no window, so no desktop entry (MODFLASH_BUILD_GUI is off)"

set -- "$installed"/share/applications/*.desktop
if [ $# -ne 1 ] || [ ! -f "$1" ]; then
    fail "expected one desktop entry in share/applications, found: $*"
fi
desktop=$1
id=$(basename "$desktop" .desktop)
metainfo="$installed/share/metainfo/$id.metainfo.xml"
icon="$installed/share/icons/hicolor/scalable/apps/$id.svg"

desktop-file-validate "$desktop" || fail "desktop-file-validate rejects $desktop"
[ -f "$metainfo" ] || fail "no metainfo named after the desktop entry: $metainfo"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate rejects $metainfo"

value() { sed -n "s/^$1=//p" "$desktop"; }
exec_program=$(value Exec | cut -d' ' -f1)
[ -x "$installed/bin/$exec_program" ] || fail "Exec=$exec_program is not an installed program"
[ "$(value Icon)" = "$id" ] || fail "Icon=$(value Icon) is not the application id $id"
# On X11 docks group the window under the entry by its class, which Qt takes from the
# application name, the program's.
[ "$(value StartupWMClass)" = "$exec_program" ] ||
    fail "StartupWMClass=$(value StartupWMClass) is not the window's class $exec_program"
[ "$(value Type)" = Application ] || fail "the desktop entry is not of Type=Application"
case ";$(value Categories)" in
    *";Development;"*) ;;
    *) fail "the desktop entry is missing the main category Development" ;;
esac

[ -f "$icon" ] || fail "no scalable icon named after the application id: $icon"
grep -q '<svg' "$icon" || fail "$icon is not an SVG image"

grep -q "<id>$id</id>" "$metainfo" || fail "the metainfo's <id> is not $id"
grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $id.desktop"
for binary in $(sed -n 's:.*<binary>\(.*\)</binary>.*:\1:p' "$metainfo"); do
    [ -x "$installed/bin/$binary" ] || fail "the metainfo provides $binary, which is not installed"
done
# A German desktop names and describes the program in German, in its menu and its software centre.
[ "$(grep -cE '^(Name|GenericName|Comment|Keywords)\[de\]=.' "$desktop")" = 4 ] ||
    fail "the desktop entry lacks one of Name, GenericName, Comment and Keywords in German"
for element in name summary p li; do
    grep -q "<$element xml:lang=\"de\">" "$metainfo" || fail "the metainfo has no German <$element>"
done
grep -q "<release version=\"$MODFLASH_VERSION\"" "$metainfo" ||
    fail "the metainfo has no release entry for version $MODFLASH_VERSION"
echo "desktop entry, icon and metainfo of $id are valid and consistent"
