# SPDX-License-Identifier: GPL-3.0-or-later
# Every source file names its licence in its first lines, so that a file copied out of the
# project still says under which terms.
set -eu
cd "$MODFLASH_SOURCE_DIR"
missing=$(find src tests fuzz bench tools virtual-bench scripts Makefile CMakeLists.txt \
    \( -path tests/data -o -path fuzz/corpus \) -prune -o -type f \
    \( -name '*.cpp' -o -name '*.h' -o -name '*.c' -o -name '*.sh' -o -name '*.bash' \
    -o -name '*.cmake' -o -name CMakeLists.txt -o -name Makefile -o -name '*.ui' \
    -o -path 'scripts/*' \) -print |
    while read -r file; do
        head -n 3 "$file" | grep -q 'SPDX-License-Identifier: GPL-3.0-or-later' || echo "$file"
    done)
if [ -n "$missing" ]; then
    echo "no SPDX licence line in:"
    echo "$missing"
    exit 1
fi
grep -q 'GNU GENERAL PUBLIC LICENSE' LICENSE && grep -q 'Version 3' LICENSE ||
    { echo "LICENSE is not the GPL version 3"; exit 1; }
echo "every source file names GPL-3.0-or-later"
