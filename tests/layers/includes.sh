#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# includes.sh SRC_DIR: every file under src/ includes the headers of src/ by their layer's path
# ("flashing/UsbId.h"), and only from its own layer or one below it, so the dependencies run one
# way: flashing <- catalogue <- update <- feed <- window <- app/window, and feed <- app/cli and
# app/feed.
set -eu
cd "$1"
# The layer of a path under src/: its first folder, or its first two within app/.
layerOf() { echo "$1" | sed -E 's#^(app/[^/]*|[^/]*).*#\1#'; }
# A layer and every one below it.
upTo() { echo "flashing catalogue update feed window" | sed -n "s|^\(.*\<$1\>\).*|\1|p"; }
status=0
for file in $(find . -name '*.cpp' -o -name '*.h' -o -name '*.ui' | sed 's|^\./||' | sort); do
    layer=$(layerOf "$file")
    case $layer in
    app/cli | app/feed) permitted="$layer $(upTo feed)" ;;
    app/window) permitted="app/window $(upTo window)" ;;
    *) permitted=$(upTo "$layer") ;;
    esac
    [ -n "$permitted" ] || { echo "includes.sh: $layer is no known layer" >&2 && exit 2; }
    for header in $(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p;
                               s|.*<header>\(.*\)</header>.*|\1|p' "$file"); do
        if [ -e "$header" ]; then
            case " $permitted " in *" $(layerOf "$header") "*) continue ;; esac
            echo "$file ($layer) includes $header of $(layerOf "$header"), which is not below it" >&2
            status=1
        # Generated headers and moc files are nobody's layer; a header of src/ is named by its path.
        elif [ -n "$(find . -name "$(basename "$header")")" ]; then
            echo "$file: \"$header\" does not name its layer" >&2
            status=1
        fi
    done
done
exit $status
