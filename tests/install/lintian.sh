# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package and runs lintian on it: any error or warning fails. Info and
# pedantic tags are printed for the record but allowed.
# shellcheck source-path=SCRIPTDIR
. "$(dirname "$0")/common.sh"
command -v lintian >/dev/null 2>&1 || skip "lintian is not installed (scripts/install-deps installs it)"

. "$(dirname "$0")/package.sh"
build_package

# lintian's exit status alone would also count a tag it cannot classify; the tags themselves
# decide. Its complaint about running as root goes to standard error and is not a tag.
status=0
lintian --display-info --pedantic --tag-display-limit 0 "$package" \
    >"$scratch/lintian" 2>"$scratch/lintian-errors" || status=$?
cat "$scratch/lintian"
if grep -q '^[EW]: ' "$scratch/lintian"; then
    fail "lintian reports the errors or warnings above for $(basename "$package")"
fi
if [ $status -ne 0 ]; then
    cat "$scratch/lintian-errors" >&2
    fail "lintian ended with status $status"
fi
echo "lintian finds no error or warning in $(basename "$package")"
