#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# complete.sh LUPDATE TS_DIR "OPTIONS" SOURCE...: runs lupdate over the sources into copies of
# the .ts files and fails on any entry that is unfinished, vanished or obsolete, or on any
# difference from the shipped file (a translation that is not up to date with the sources), and
# on a German translation that quotes other than „…“.
set -eu
lupdate=$1
ts_dir=$2
options=$3
shift 3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0
for shipped in "$ts_dir"/*.ts; do
    copy="$work/$(basename "$shipped")"
    cp "$shipped" "$copy"
    # shellcheck disable=SC2086 # the options are meant to split into words
    "$lupdate" -silent $options "$@" -ts "$copy"
    if grep -n -E 'type="(unfinished|vanished|obsolete)"' "$copy"; then
        echo "complete.sh: $(basename "$shipped") has the entries above unfinished or out of date" >&2
        status=1
    fi
    if ! diff -u "$shipped" "$copy"; then
        echo "complete.sh: $(basename "$shipped") does not match the sources; build update_translations" >&2
        status=1
    fi
done
# German quotes „…“ only: a translation quoting "…" or “…” (an HTML attribute's quotes aside).
if tr '\n' ' ' <"$ts_dir/modflash_de.ts" | sed 's:</translation>:\n:g' |
    sed -n 's:.*<translation[^>]*>::p' | sed -e 's/[a-z]*=&quot;[^&]*&quot;//g' \
    -e 's/„[^“”]*“//g' | grep -E '&quot;|“|”'; then
    echo 'complete.sh: the German translations above quote with "…" or “…” rather than „…“' >&2
    status=1
fi
exit $status
