#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# includes.sh SRC_DIR: every file under src/ includes the headers of src/ by their layer's path
# ("flashing/UsbId.h"), and only from its own layer or one below it, so the dependencies run one
# way: flashing <- catalogue <- feed <- update <- window <- app/window, update <- app/cli, and
# feed <- app/feed.
set -eu
cd "$1"
# Sets "layer" to the layer of a path under src/: its first folder, or its first two within
# app/. No process per call: it runs for every include of src/.
layerOf() {
    case $1 in
    app/*/*) layer=${1#app/} && layer="app/${layer%%/*}" ;;
    *) layer=${1%%/*} ;;
    esac
}
# A layer and every one below it.
upTo() {
    below=""
    for each in flashing catalogue feed update window; do
        below="$below $each"
        [ "$each" != "$1" ] || { echo "$below" && return; }
    done
}
status=0
files=$(find . -name '*.cpp' -o -name '*.h' -o -name '*.ui' | sed 's|^\./||' | sort)
# Every file name of src/, each between spaces, to tell its headers from generated ones.
names=" $(for each in $files; do printf '%s ' "${each##*/}"; done)"
for file in $files; do
    layerOf "$file"
    own=$layer
    case $own in
    app/cli) permitted="$own $(upTo update)" ;;
    app/feed) permitted="$own $(upTo feed)" ;;
    app/window) permitted="app/window $(upTo window)" ;;
    *) permitted=$(upTo "$own") ;;
    esac
    [ -n "$permitted" ] || { echo "includes.sh: $own is no known layer" >&2 && exit 2; }
    for header in $(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p;
                               s|.*<header>\(.*\)</header>.*|\1|p' "$file"); do
        if [ -e "$header" ]; then
            layerOf "$header"
            case " $permitted " in *" $layer "*) continue ;; esac
            echo "$file ($own) includes $header of $layer, which is not below it" >&2
            status=1
        # Generated headers and moc files are nobody's layer; a header of src/ is named by its path.
        else
            case $names in *" ${header##*/} "*) ;; *) continue ;; esac
            echo "$file: \"$header\" does not name its layer" >&2
            status=1
        fi
    done
done
exit $status
