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

# The products the packaged modflash-cli listed in $1 are the build tree's samples when they
# are packaged, none when no image is (a firmware directory of one's own offers what it holds).
same_offer() { # listing, where it ran
    [ -z "$MODFLASH_FIRMWARE_DIR" ] || return 0
    : >"$scratch/built"
    [ "$MODFLASH_SAMPLE_FIRMWARE" != ON ] || "$MODFLASH_BUILT_CLI" products >"$scratch/built"
    diff -u "$scratch/built" "$1" >&2 || fail "$2 offers other products than the build tree's samples"
}
