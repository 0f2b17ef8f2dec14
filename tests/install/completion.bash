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
# word at the cursor as typed, and prints the candidates sorted, one a line. Bash runs completion
# functions without errexit, and so does this.
complete_line() {
    (
        set -u +e
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

# The reviewed cases, each command line followed by the candidates it gets now, against the file.
cases="$MODFLASH_SOURCE_DIR/tests/data/install/completions.txt"
while IFS= read -r line; do
    [[ $line == "  "* ]] && continue
    printf '%s\n' "$line"
    [[ -z $line || $line == "#"* ]] && continue
    words=()
    line="$line | "
    while [[ -n $line ]]; do
        word=${line%% | *}
        [[ $word == "''" ]] && word=
        word=${word//\{resources\}/$resources}
        word=${word//\{files\}/$files}
        words+=("${word//\{scratch\}/$scratch}")
        line=${line#* | }
    done
    complete_line "${words[@]}" | sed "s|$files|{files}|; s|$resources|{resources}|; s/^/  /"
done <"$cases" >"$scratch/completions"
diff -u "$cases" "$scratch/completions" >&2 || fail "the completions differ from $cases as shown"

# An option is offered where --help lists it (-), and nowhere else (+).
for subcommand in '' products versions command check update; do
    "$MODFLASH_BUILT_CLI" $subcommand --help | grep -oE '^  (-[a-z], )?--[a-z-]+' | grep -oE -- '-+[a-z-]+' |
        sort | diff -u - <(complete_line $subcommand -) >&2 || fail "the options after \"$subcommand\" differ"
done

# bash-completion loads the file by the command's name from share/ of each XDG_DATA_DIRS entry.
loader=/usr/share/bash-completion/bash_completion
if [[ -f $loader && $MODFLASH_COMPLETIONS_DIR == share/bash-completion/completions ]]; then
    XDG_DATA_DIRS="$installed/share" bash --norc --noprofile -c \
        '. "$1" && __load_completion modflash-cli && complete -p modflash-cli' bash "$loader" |
        grep -q -- '-F _modflash_cli modflash-cli$' ||
        fail "bash-completion does not load the completion from $installed/share"
fi
echo "bash completion of modflash-cli offers what it should"
