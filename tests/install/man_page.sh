# SPDX-License-Identifier: GPL-3.0-or-later
# The installed man pages, compressed as Debian wants them, render without groff warnings and
# document what the installed programs offer: every subcommand of the command line and of
# modflash-feed, and every option the --help texts list.
# shellcheck source-path=SCRIPTDIR
. "$(dirname "$0")/common.sh"
require_installed

# Renders an installed page into $scratch/page, failing on any warning.
render() { # page section...
    page="$installed/share/man/man1/$1.1.gz"
    [ -f "$page" ] || fail "no man page at $page"
    gzip -t "$page" || fail "$page is not a valid gzip file"
    LC_ALL=C.UTF-8 MANWIDTH=100 man --warnings -E ascii -l "$page" >"$scratch/page" 2>"$scratch/warnings" ||
        fail "man could not render $page"
    if [ -s "$scratch/warnings" ]; then
        cat "$scratch/warnings" >&2
        fail "$page renders with the warnings above"
    fi
    shift
    for section in NAME SYNOPSIS DESCRIPTION 'EXIT STATUS' FILES "$@"; do
        grep -qx "$section" "$scratch/page" || fail "$page has no $section section"
    done
}

# Options as --help lists them; --help-all only adds the toolkit's own options.
options_of() { sed -n 's/^  \(-[a-z], \)\{0,1\}--\([a-z][a-z-]*\).*/\2/p' "$1" | grep -vx help-all || true; }

documents_options() { # help text file, what the options belong to
    for option in $(options_of "$1"); do
        grep -q -- "--$option\b" "$scratch/page" ||
            fail "the man page does not describe --$option of $2"
    done
}

# Every preference the programs read is named in the page's FILES section and in the README's
# table of preferences.
names_preferences() { # page name
    sed -n '/^FILES$/,/^[A-Z]/p' "$scratch/page" | tr -d ' \n' >"$scratch/files"
    for key in $(sed -n 's/^inline constexpr .* = "\([a-z-]*\)";$/\1/p' "$MODFLASH_SOURCE_DIR"/src/*/Preferences.h); do
        grep -q -- "$key" "$scratch/files" && grep -q "^| \`$key\` |" "$MODFLASH_SOURCE_DIR/README.md" ||
            fail "FILES of $1(1) or the README's table does not name the preference $key"
    done
}

render modflash-cli EXAMPLES 'USB ACCESS'
cli="$installed/bin/modflash-cli"
"$cli" --help >"$scratch/help" || fail "$cli --help failed"
subcommands=$(sed -n '/^Subcommands:/,/^$/s/^  \([a-z][a-z-]*\) .*/\1/p' "$scratch/help")
[ -n "$subcommands" ] || fail "found no subcommands in $cli --help"
for subcommand in $subcommands; do
    grep -Eq "^ +$subcommand( |$)" "$scratch/page" ||
        fail "the man page does not describe the subcommand $subcommand"
    "$cli" "$subcommand" --help >"$scratch/help-$subcommand" ||
        fail "$cli $subcommand --help failed"
    documents_options "$scratch/help-$subcommand" "$subcommand"
done
documents_options "$scratch/help" modflash-cli
# And the other way round: every option the page names is one the program takes (USB ACCESS
# quotes udevadm's).
for option in $(sed '/^USB ACCESS$/,/^FILES$/d' "$scratch/page" | grep -o -- '--[a-z][a-z-]*' | sort -u); do
    ! LANGUAGE= LC_ALL=C.UTF-8 "$cli" "$option" 2>&1 >/dev/null | grep -q "unknown option" ||
        fail "modflash-cli(1) describes $option, which modflash-cli refuses"
done
names_preferences modflash-cli
echo "modflash-cli(1) renders cleanly and covers: $(echo "$subcommands" | tr "\n" " ")"

render modflash-feed EXAMPLES
feed="$installed/bin/modflash-feed"
"$feed" --help >"$scratch/feed-help" || fail "$feed --help failed"
feed_subcommands=$(sed -n 's/^\(Usage:\)\{0,1\} *modflash-feed \([a-z][a-z-]*\) .*/\2/p' "$scratch/feed-help")
[ -n "$feed_subcommands" ] || fail "found no subcommands in $feed --help"
documents_options "$scratch/feed-help" modflash-feed
cp "$scratch/feed-help" "$scratch/feed-options"
for subcommand in $feed_subcommands; do
    grep -Eq "^ +$subcommand( |$)" "$scratch/page" ||
        fail "modflash-feed(1) does not describe the subcommand $subcommand"
    "$feed" "$subcommand" --help >"$scratch/feed-help-$subcommand" ||
        fail "$feed $subcommand --help failed"
    documents_options "$scratch/feed-help-$subcommand" "modflash-feed $subcommand"
    cat "$scratch/feed-help-$subcommand" >>"$scratch/feed-options"
done
for option in $(grep -o -- '--[a-z][a-z-]*' "$scratch/page" | sort -u); do
    grep -q -- "^  \(-[a-z], \)\{0,1\}$option\b" "$scratch/feed-options" ||
        fail "modflash-feed(1) describes $option, which no subcommand of modflash-feed takes"
done
echo "modflash-feed(1) renders cleanly and covers: $(echo "$feed_subcommands" | tr "\n" " ")"

if [ "$MODFLASH_GUI" != ON ]; then
    echo "this build has no window, so no modflash(1) (MODFLASH_BUILD_GUI is off)"
    exit 0
fi
render modflash 'SEE ALSO' 'USB ACCESS'
names_preferences modflash
grep -q 'modflash-cli(1)' "$scratch/page" || fail "modflash(1) does not refer to modflash-cli(1)"
grep -q 'modflash/modflash.conf' "$scratch/page" || fail "modflash(1) does not name the preferences file"
# --help and --version answer without any display, as over ssh.
headless() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$installed/bin/modflash" "$@"; }
headless --help >"$scratch/window-help" 2>/dev/null || fail "modflash --help failed without a display"
[ "$(headless --version 2>/dev/null)" = "modflash $MODFLASH_VERSION" ] ||
    fail "modflash --version without a display printed \"$(headless --version 2>&1)\""
documents_options "$scratch/window-help" modflash
echo "modflash(1) renders cleanly and covers the window's options"
