# SPDX-License-Identifier: GPL-3.0-or-later
# Starts the installed window on the offscreen platform: it must come up from the relocated
# prefix and stay up without complaining until a session's end (SIGTERM) tells it to quit.
# shellcheck source-path=SCRIPTDIR
. "$(dirname "$0")/common.sh"
require_installed
[ "$MODFLASH_GUI" = ON ] || skip "this build has no window (MODFLASH_BUILD_GUI is off)"

# It has no quit option: timeout sends SIGTERM after two seconds and answers 124 when it had to
# and the window then ended; 137 when it had to kill it five seconds later.
status=0
QT_QPA_PLATFORM=offscreen timeout -k 5 2 "$installed/bin/modflash" >"$scratch/out" \
    2>"$scratch/err" || status=$?
[ $status -eq 124 ] || { cat "$scratch/err" >&2; fail "modflash ended with status $status, not on SIGTERM after 2 s"; }
[ ! -s "$scratch/err" ] || { cat "$scratch/err" >&2; fail "modflash wrote the above on standard error"; }
echo "the installed window started offscreen and quit on SIGTERM"
