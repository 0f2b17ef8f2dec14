# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package of MODFLASH_BUILD_DIR into the scratch directory and sets $package.
# Sourced after common.sh, which provides $scratch and fail.
# shellcheck disable=SC2154
build_package() {
    arch=$(dpkg --print-architecture)
    if ! (cd "$scratch" && cpack --config "$MODFLASH_BUILD_DIR/CPackConfig.cmake" \
        -B "$scratch/package") >"$scratch/cpack.log" 2>&1; then
        cat "$scratch/cpack.log" >&2
        fail "cpack could not build the package"
    fi
    package="$scratch/package/modflash_${MODFLASH_VERSION}_$arch.deb"
    [ -f "$package" ] || {
        ls "$scratch/package" >&2
        fail "cpack made no modflash_${MODFLASH_VERSION}_$arch.deb"
    }
}
