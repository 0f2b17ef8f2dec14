# The installed man page renders without groff warnings and documents what the installed
# command line offers: every subcommand and every option its --help texts list.
# shellcheck source-path=SCRIPTDIR
. "$(dirname "$0")/common.sh"
require_installed

page="$installed/share/man/man1/modflash-cli.1"
[ -f "$page" ] || fail "no man page at $page"
LC_ALL=C.UTF-8 MANWIDTH=100 man --warnings -E ascii -l "$page" >"$scratch/page" 2>"$scratch/warnings" ||
    fail "man could not render $page"
if [ -s "$scratch/warnings" ]; then
    cat "$scratch/warnings" >&2
    fail "the man page renders with the warnings above"
fi
for section in NAME SYNOPSIS DESCRIPTION 'EXIT STATUS' FILES EXAMPLES; do
    grep -qx "$section" "$scratch/page" || fail "the rendered page has no $section section"
done

cli="$installed/bin/modflash-cli"
"$cli" --help >"$scratch/help" || fail "$cli --help failed"
subcommands=$(sed -n '/^Subcommands:/,/^$/s/^  \([a-z][a-z-]*\) .*/\1/p' "$scratch/help")
[ -n "$subcommands" ] || fail "found no subcommands in $cli --help"

# Options as --help lists them; --help-all only adds the toolkit's own options.
options_of() { sed -n 's/^  \(-[a-z], \)\{0,1\}--\([a-z][a-z-]*\).*/\2/p' "$1" | grep -vx help-all || true; }

for subcommand in $subcommands; do
    grep -Eq "^ +$subcommand( |$)" "$scratch/page" ||
        fail "the man page does not describe the subcommand $subcommand"
    "$cli" "$subcommand" --help >"$scratch/help-$subcommand" ||
        fail "$cli $subcommand --help failed"
    for option in $(options_of "$scratch/help-$subcommand"); do
        grep -q -- "--$option\b" "$scratch/page" ||
            fail "the man page does not describe --$option of $subcommand"
    done
done
for option in $(options_of "$scratch/help"); do
    grep -q -- "--$option\b" "$scratch/page" || fail "the man page does not describe --$option"
done
echo "the man page renders cleanly and covers: $(echo "$subcommands" | tr "\n" " ")"
