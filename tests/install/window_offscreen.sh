# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the installed window on the offscreen platform: it must come up from the relocated
# prefix and stay up without complaining until it is told to quit.
# shellcheck source-path=SCRIPTDIR
. "$(dirname "$0")/common.sh"
require_installed
[ "$MODFLASH_GUI" = ON ] || skip "this build has no window (MODFLASH_BUILD_GUI is off)"

QT_QPA_PLATFORM=offscreen "$installed/bin/modflash" >"$scratch/out" 2>"$scratch/err" &
pid=$!

# It has no quit option: give it two seconds, then send the signal a session ends it with.
sleep 2
if ! kill -0 $pid 2>/dev/null; then
    status=0
    wait $pid || status=$?
    cat "$scratch/err" >&2
    fail "modflash ended by itself with status $status before it was told to quit"
fi
kill -TERM $pid
status=0
wait $pid || status=$?
# 143 is the shell's report of an end by SIGTERM; 0 if the application quits cleanly on it.
[ $status -eq 0 ] || [ $status -eq 143 ] || fail "modflash ended with status $status on SIGTERM"
if [ -s "$scratch/err" ]; then
    cat "$scratch/err" >&2
    fail "modflash wrote the above on standard error"
fi
echo "the installed window started offscreen and quit on SIGTERM"
