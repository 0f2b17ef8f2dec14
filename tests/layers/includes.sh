#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# includes.sh SRC_DIR: every file under src/ includes the headers of src/ by their layer's path
# ("flashing/UsbId.h"), and only from its own layer or one below it, so the dependencies run one
# way: flashing <- catalogue <- update <- feed <- window <- app/window, and feed <- app/cli.
set -eu
cd "$1"
# The layers each folder may include, its own first.
allowed() {
    case $1 in
    flashing) echo "flashing" ;;
    catalogue) echo "catalogue flashing" ;;
    update) echo "update catalogue flashing" ;;
    feed) echo "feed update catalogue flashing" ;;
    window) echo "window feed update catalogue flashing" ;;
    app/cli) echo "app/cli feed update catalogue flashing" ;;
    app/window) echo "app/window window feed update catalogue flashing" ;;
    *) echo "includes.sh: $1 is no known layer" >&2 && exit 2 ;;
    esac
}
# The layer of a path under src/: its first folder, or its first two within app/.
layerOf() {
    case $1 in
    app/*) echo "$1" | cut -d/ -f1-2 ;;
    *) echo "$1" | cut -d/ -f1 ;;
    esac
}
status=0
for file in $(find . -name '*.cpp' -o -name '*.h' -o -name '*.ui' | sed 's|^\./||' | sort); do
    layer=$(layerOf "$file")
    permitted=$(allowed "$layer")
    for header in $(sed -n 's/^[[:space:]]*#[[:space:]]*include[[:space:]]*"\([^"]*\)".*/\1/p;
                               s|.*<header>\(.*\)</header>.*|\1|p' "$file"); do
        if [ ! -e "$header" ]; then
            # Generated headers and moc files are nobody's layer; a header of src/ is named by
            # its path.
            if [ -n "$(find . -name "$(basename "$header")")" ]; then
                echo "$file: \"$header\" does not name its layer" >&2
                status=1
            fi
            continue
        fi
        target=$(layerOf "$header")
        case " $permitted " in
        *" $target "*) ;;
        *)
            echo "$file ($layer) includes $header of $target, which is not below it" >&2
            status=1
            ;;
        esac
    done
done
exit $status
