# SPDX-License-Identifier: GPL-3.0-or-later
# The installed bash completion of modflash-cli, run as bash runs it (COMP_WORDS and COMP_CWORD
# set, the function called) on lines that start with the built modflash-cli and use a resource
# directory of their own: subcommands, options and their values, product titles quoted for the
# shell, page names, versions, and image files of the product's type.
# shellcheck source-path=SCRIPTDIR
. "$(dirname "$0")/common.sh"
require_installed
export LC_ALL=C.UTF-8

script="$installed/$MODFLASH_COMPLETIONS_DIR/modflash-cli"
[ -f "$script" ] || fail "no bash completion installed at $script"

resources="$scratch/resources"
files="$scratch/files"
mkdir -p "$resources/firmware" "$files/sub"
(cd "$resources/firmware" && touch parvonne_1.0.hex parvonne_3.2.hex kolvane_1.0.hex uTessary_0.9.bin)
(cd "$files" && touch a.hex B.HEX c.Hex d.bin e.BIN f.txt)
ln -s "$resources" "$HOME/resources"

# Completes the line made of the built modflash-cli and the arguments, the last one being the
# word at the cursor as typed, and prints the candidates sorted, one a line.
complete_line() {
    (
        set -u
        # shellcheck source=/dev/null
        . "$script"
        COMP_WORDS=("$MODFLASH_BUILT_CLI" "$@")
        COMP_CWORD=$#
        COMP_LINE="${COMP_WORDS[*]}"
        COMP_POINT=${#COMP_LINE}
        _modflash_cli
        ((${#COMPREPLY[@]} == 0)) || printf '%s\n' "${COMPREPLY[@]}"
    ) | sort
}

# Expects the candidates listed with "|" between them (none for an empty list).
failures=0
expect() { # candidates, words...
    local wanted=$1 actual
    shift
    actual=$(complete_line "$@" | paste -sd '|')
    wanted=$(tr '|' '\n' <<<"$wanted" | sed '/^$/d' | sort | paste -sd '|')
    if [[ $actual != "$wanted" ]]; then
        echo "FAIL: modflash-cli $*<TAB> offers [$actual], expected [$wanted]" >&2
        failures=$((failures + 1))
    fi
}

expect 'products|versions|command|check|update' ''
expect 'check' ch
expect '--programmer' --pro
expect '--no-factory|--no-mass-erase|--no-module-check' --no
expect 'usbtiny|avrisp2|usbasp' --programmer ''
expect 'ST-Link\ v2|ST-Link\ v2-1' --stlink st
expect 'v2|v2-1' --stlink v
expect '--all' products --a
expect '' products --fi
expect '--factory|--file|--force' update Wendrel 2.0 --f
expect '--factory|--file' check Wendrel --f
expect '--json' versions Wendrel --j
expect '' versions Wendrel --json --j
# Titles: any letter case, escaped as typed, or completed inside the quote that was opened.
expect 'Parvonix|Parvonne\ \(rev008\ or\ Lower\)|Parvonne\ \(rev009\ or\ Higher\)' versions parv
expect 'Parvonne (rev009 or Higher)' versions '"Parvonne (rev009'
expect 'Nobbin 1U (rev001/rev002) and 3U (rev001)' command "'nobbin 1U (rev001/"
expect 'µTessary|µTessary\ 1U' command µt
expect 'uTessary|uTessary1U' update uTes
# Versions come from the resource directory named earlier on the line, factory-only products'
# only with --factory.
expect '1.0|3.2' --resources "$resources" command 'Parvonne\ \(rev009\ or\ Higher\)' ''
expect '0.9' --resources "$resources" update uTessary ''
expect '' --resources "$resources" update Kolvane ''
expect '1.0' --resources "$resources" --factory update kolvane ''
expect '1.0|3.2' --resources = "$resources" check parvonne ''
# shellcheck disable=SC2088 # the completion expands it as the shell would
expect '1.0|3.2' --resources '~/resources' update parvonne ''
expect '' --resources "$resources" command parvonne --file x.hex ''
# Image files of the product's type in any letter case, and directories to go on into.
expect "$files/B.HEX|$files/a.hex|$files/c.Hex|$files/sub" command Drovel --file "$files/"
expect "$files/d.bin|$files/e.BIN|$files/sub" update Wendrel --file "$files/"
expect "$resources" --resources "$scratch/res"
((failures == 0)) || fail "$failures completions differ from the expected ones"

# bash-completion loads the file by the command's name from share/ of each XDG_DATA_DIRS entry.
loader=/usr/share/bash-completion/bash_completion
if [[ -f $loader && $MODFLASH_COMPLETIONS_DIR == share/bash-completion/completions ]]; then
    XDG_DATA_DIRS="$installed/share" bash --norc --noprofile -c \
        '. "$1" && __load_completion modflash-cli && complete -p modflash-cli' bash "$loader" |
        grep -q -- '-F _modflash_cli modflash-cli$' ||
        fail "bash-completion does not load the completion from $installed/share"
fi
echo "bash completion of modflash-cli offers what it should"
