# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian package with apt-get, runs the command line from /usr/bin, follows its
# relative tool links to the installed tools and removes the package again. It changes the
# system, so it runs only as root on a throwaway machine (CI=true).
# shellcheck source-path=SCRIPTDIR
. "$(dirname "$0")/common.sh"

[ "$(id -u)" -eq 0 ] || skip "installing a package needs root"
[ "${CI:-}" = true ] || skip "installs into the system; runs only where CI=true marks a throwaway machine"
if dpkg-query -W -f='${Status}' modflash 2>/dev/null | grep -q 'install ok installed'; then
    skip "a modflash package is already installed here; not replacing it"
fi

. "$(dirname "$0")/package.sh"
build_package

trap 'apt-get remove -y modflash >/dev/null 2>&1 || true; rm -rf "$scratch"' EXIT
(cd "$(dirname "$package")" && DEBIAN_FRONTEND=noninteractive \
    apt-get install -y "./$(basename "$package")") || fail "apt-get install of the package failed"

/usr/bin/modflash-cli products >"$scratch/installed" || fail "/usr/bin/modflash-cli products failed"
same_offer "$scratch/installed" /usr/bin/modflash-cli
/usr/bin/modflash-cli products --all | grep -q . || fail "the installed catalogue lists no product"
for link in /usr/share/modflash/*; do
    if [ -L "$link" ] && [ ! -e "$link" ]; then
        fail "$link -> $(readlink "$link") leads nowhere once installed"
    fi
done

DEBIAN_FRONTEND=noninteractive apt-get remove -y modflash || fail "apt-get remove modflash failed"
[ ! -e /usr/bin/modflash-cli ] || fail "/usr/bin/modflash-cli is still there after the removal"
echo "the package installs, runs from /usr/bin and removes cleanly"
