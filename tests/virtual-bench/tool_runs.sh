#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# The real avrdude, dfu-util and openocd, run by modflash-cli against the virtual bench's emulated
# modules: every sample image of every family ends up on the module byte for byte (and the AVR
# fuses as the product sets them), a module unplugged halfway fails with the tool's own message,
# the boot loader that fails after leaving DFU mode gives a failure whose log still says
# "Download done.", and an STM32 that is write-protected, missing or cut off fails with
# openocd's error and the SWD notes, and a module this user may not open fails with the tool's
# access error and what to do about it. Everything the checks expect comes from the images and
# from the command modflash-cli shows for the update.
# Environment: MODFLASH_BUILD_DIR, MODFLASH_SOURCE_DIR.
set -u

if [ -d /dev/bus/usb ] && [ -n "$(ls -A /dev/bus/usb 2>/dev/null)" ]; then
    echo "skipped: /dev/bus/usb lists USB devices; the real tools are not run where they could reach one"
    exit 77
fi
command -v objcopy >/dev/null && command -v objdump >/dev/null && command -v cmp >/dev/null ||
    { echo "objcopy, objdump (binutils) and cmp (diffutils) are needed" >&2; exit 1; }

build=$MODFLASH_BUILD_DIR
cli=$build/bin/modflash-cli
prepare="$MODFLASH_SOURCE_DIR/scripts/virtual-bench --build $build"
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
# Preferences of the person running the tests must not choose another programmer.
export XDG_CONFIG_HOME="$scratch/config"
# Nor may an update elsewhere on the machine hold the user's update lock.
export XDG_RUNTIME_DIR="$scratch/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
bench=$scratch/bench
state=$bench/virtual-bench
failures=0

fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# update CASE STATUS [CLI OPTIONS] update PRODUCT VERSION: runs the update, which must end
# with STATUS; its log is in $scratch/CASE.log.
update() {
    name=$1
    expected_status=$2
    shift 2
    "$cli" --resources "$bench" "$@" >"$scratch/$name.log" 2>&1
    status=$?
    [ "$status" -eq "$expected_status" ] || {
        fail "$name: exit status $status, not $expected_status"
        sed 's/^/    /' "$scratch/$name.log" >&2
    }
}

expect_log() { # case text...
    name=$1 && shift
    for text; do grep -qF -- "$text" "$scratch/$name.log" || fail "$name: the log lacks \"$text\""; done
}

# The command modflash builds for the update, one element a line, into $scratch/command.
command_for() { # [cli options] product version
    "$cli" --resources "$bench" command "$@" >"$scratch/command"
}

# The element after OPTION in that command.
after() { # option
    sed -n "/^$1\$/{n;p;q}" "$scratch/command"
}

# The value of the element PREFIX<value>, e.g. -p<part>.
value_of() { # sed pattern of the element with \(the value\)
    sed -n "s|^$1\$|\1|p" "$scratch/command"
}

# A file of SIZE bytes: FILE at OFFSET, erased flash (0xff) around it.
expected_memory() { # output size file offset
    head -c "$2" /dev/zero | tr '\0' '\377' >"$1"
    dd if="$3" of="$1" bs=1 seek="$4" conv=notrunc status=none
}

check_dfu() { # layout [cli options] product version
    layout=$1
    shift
    $prepare "$bench" --dfu "$layout" >/dev/null || { fail "scripts/virtual-bench failed"; return; }
    command_for "$@"
    image=$(after -D)
    address=$(after -s | cut -d: -f1)
    name="dfu-$layout-$(basename "$image")"
    update "$name" 0 update "$@"
    flash=$state/dfu-flash.bin
    expected_memory "$scratch/expected" "$(wc -c <"$flash")" "$image" $((address - 0x08000000))
    cmp -s "$flash" "$scratch/expected" || fail "$name: the flash does not hold exactly the image at $address"
    [ -e "$state/dfu.unplugged" ] || fail "$name: the boot loader did not leave DFU mode"
}

check_swd() { # probe [cli options] product version
    $prepare "$bench" --swd f0 --stlink "$1" >/dev/null || { fail "scripts/virtual-bench failed"; return; }
    shift
    command_for "$@"
    image=$(sed -n 's|^-c flash write_image erase "\(.*\)" 0x08000000$|\1|p' "$scratch/command")
    update swd 0 update "$@"
    expected_memory "$scratch/expected" 131072 "$image" 0
    cmp -s "$state/swd-flash.bin" "$scratch/expected" || fail "swd $*: the flash is not exactly the image"
}

check_avr() { # part [cli options] product version
    part=$1
    shift
    $prepare "$bench" --avr "$part" >/dev/null || { fail "scripts/virtual-bench failed"; return; }
    command_for "$@"
    image=$(value_of '-Uflash:w:\(.*\):i')
    name="avr-$part-$(basename "$image")"
    update "$name" 0 update "$@"
    flash=$state/avr-flash.bin
    start=$(objdump -h "$image" | awk '$2 ~ /^\.sec/ { print $4; exit }')
    objcopy -I ihex -O binary --gap-fill 0xff "$image" "$scratch/image.bin"
    expected_memory "$scratch/expected" "$(wc -c <"$flash")" "$scratch/image.bin" $((0x$start))
    cmp -s "$flash" "$scratch/expected" || fail "$name: the flash does not hold exactly the HEX file"
    # Bits of the fuse bytes (low, high, extended) each chip has; the others read as 1.
    case $part in m168 | m168p | m328 | m328p) set -- ff ff 07 ;; t44 | t45 | t85) set -- ff ff 01 ;; esac
    expected=""
    field=1
    for fuse in lfuse hfuse efuse; do
        value=$(value_of "-U$fuse:w:\(0x[0-9A-Fa-f]*\):m")
        if [ -n "$value" ]; then
            expected="$expected $(printf '%02x' $(($value & 0x$1 | (~0x$1 & 0xff))))"
        else # a fuse the product leaves alone keeps what it had
            expected="$expected $(cut -d' ' -f$field "$state/avr-fuses")"
        fi
        field=$((field + 1))
        shift
    done
    [ " $(cat "$state/avr-fuses")" = "$expected" ] ||
        fail "$name: fuses are \"$(cat "$state/avr-fuses")\", not \"${expected# }\""
}

# Every sample image of every product the bench can emulate, factory products included; the
# bench names a chip as avrdude's short part names do (m168 for atmega168).
$prepare "$bench" >/dev/null || { echo "scripts/virtual-bench failed" >&2; exit 1; }
"$cli" --resources "$bench" --factory products >"$scratch/products"
while IFS= read -r product; do
    "$cli" --resources "$bench" --factory versions "$product" >"$scratch/versions"
    while IFS= read -r version; do
        command_for --factory "$product" "$version"
        case $(basename "$(head -n 1 "$scratch/command")") in
        dfu-util*) check_dfu f4 --factory "$product" "$version" ;;
        openocd) check_swd v2 --factory "$product" "$version" ;;
        avrdude) check_avr "$(value_of '-p\(.*\)' | sed 's/^atmega/m/; s/^attiny/t/')" --factory "$product" "$version" ;;
        esac
    done <"$scratch/versions"
done <"$scratch/products"

# The other boot loader, the other probe, and a chip whose signature differs from the part named (-F goes on).
check_dfu f0 Wendrel 2.0
check_swd v2-1 --stlink v2-1 --factory Hobblewick 1.0
check_avr m328p "Parvonne (rev009 or Higher)" 2.0

# Mass erase clears the whole flash; a page erase only the pages the image needs.
for erase in --mass-erase --no-mass-erase; do
    $prepare "$bench" --dfu f4 >/dev/null
    head -c 1048576 /dev/zero >"$state/dfu-flash.bin"
    update "dfu$erase" 0 "$erase" update Wendrel 2.0
    expected_memory "$scratch/expected" 1048576 "$bench/firmware/Wendrel.2.0.bin" 0
    # Without a mass erase only the first 16 KiB sector is erased and written; the rest keeps its
    # zeros.
    [ "$erase" = --mass-erase ] || { head -c 16384 "$scratch/expected" && head -c $((1048576 - 16384)) /dev/zero; } >"$scratch/sector"
    [ "$erase" = --mass-erase ] || mv "$scratch/sector" "$scratch/expected"
    cmp -s "$state/dfu-flash.bin" "$scratch/expected" || fail "dfu$erase: the flash is not as expected"
done

# The boot loader fails the status request after the leave request: exit status 1, and the
# log shows the complete download before dfu-util's error.
$prepare "$bench" --dfu f4-late-error >/dev/null
update late-error 1 update Wendrel 2.0
expect_log late-error "Download done." "dfu-util: Error during download get_status"
cmp -s -n 2048 "$state/dfu-flash.bin" "$bench/firmware/Wendrel.2.0.bin" ||
    fail "late-error: the image is not in the flash"

# Unplugged halfway: the module takes part of the image and vanishes; the tool says so itself.
$prepare "$bench" --dfu f4 >/dev/null
echo "unplug-after-bytes 2100" >>"$state/dfu"
update dfu-unplugged 1 update "Tessary 1U (rev002)" 2.0
expect_log dfu-unplugged "dfu-util: dfuse_download: libusb_control_transfer returned -4 (LIBUSB_ERROR_NO_DEVICE)" "dfu-util: Error during download"
grep -q "Download done" "$scratch/dfu-unplugged.log" && fail "dfu-unplugged: the download claims to be done"
[ -e "$state/dfu.unplugged" ] || fail "dfu-unplugged: the module is still plugged in"

$prepare "$bench" --avr m328 >/dev/null
echo "unplug-after-bytes 256" >>"$state/usbtiny"
update avr-unplugged 1 update "Parvonne (rev009 or Higher)" 2.0
expect_log avr-unplugged "avrdude error: error sending control message: No such device (expected 128, got -19)"
[ -e "$state/usbtiny.unplugged" ] || fail "avr-unplugged: the programmer is still plugged in"

# An SWD update that cannot finish ends with openocd's error, the failure status and the SWD
# notes: the first pages write-protected, no chip behind the probe, the probe unplugged while
# openocd writes.
swd_failure() { # case setting error
    $prepare "$bench" --swd f0 >/dev/null
    echo "$2" >>"$state/stlink"
    update "$1" 1 update --factory Zembro 1.0
    expect_log "$1" "$3" "NOTE: openocd did not finish writing the module."
    ! grep -q "^verified" "$scratch/$1.log" || fail "$1: openocd verified an image"
}
swd_failure swd-protected write-protect "Error: stm32x device protected"
head -c 131072 /dev/zero | tr '\0' '\377' | cmp -s - "$state/swd-flash.bin" ||
    fail "swd-protected: a protected page was written"
swd_failure swd-no-target no-target "Error: init mode failed (unable to connect to the target)"
swd_failure swd-unplugged "unplug-after-bytes 2000" "Error: error writing to flash at address 0x08000000"
[ -e "$state/stlink.unplugged" ] || fail "swd-unplugged: the probe is still plugged in"

# Code the core does not emulate (a NOP) locks it up and bench.log says so: openocd never
# gets a flash loader run by accident.
$prepare "$bench" --swd f0 >/dev/null
env -i LD_LIBRARY_PATH="$bench" "$bench/openocd" -s "$bench/openocd-scripts" \
    -f interface/stlink-v2.cfg -f target/stm32f0x.cfg -c init -c "reset halt" \
    -c "mwh 0x20000000 0xbf00" -c "resume 0x20000000" -c "sleep 10" -c halt -c shutdown \
    >"$scratch/lockup.log" 2>&1 || fail "lockup: openocd failed: $(cat "$scratch/lockup.log")"
grep -qF "locked up: the instruction 0xbf00 at 0x20000000 is not emulated" "$state/bench.log" 2>/dev/null ||
    fail "lockup: bench.log does not tell of the lockup"

# The module check: an ATmega328P on the programmer refuses a product built on an ATmega168,
# and nothing is written to the chip.
$prepare "$bench" --avr m328p >/dev/null
update refused 65 update Drovel 1.1
expect_log refused "This module has an ATmega328P, but Drovel uses an ATmega168."
[ ! -e "$state/avr-flash.bin" ] || fail "refused: the chip's flash was written"

# A module whose device node this user may not open (no-access): each tool finds it and is
# refused, and what the person reads last is the access error and what to do about it, not the
# advice for a module that is not there. Nothing is written.
no_access() { # case module error [cli options] product version
    name=$1 module=$2 error=$3
    shift 3
    echo "no-access" >>"$state/$module"
    update "$name" 1 update "$@"
    tail -n 1 "$scratch/$name.log" >"$scratch/$name.last"
    grep -qF "modflash-cli: Update failed: $error. This user may not open the " "$scratch/$name.last" ||
        fail "$name: the last line is not the access error: $(cat "$scratch/$name.last")"
    ! grep -qi "boot loader mode\|connect the\|another USB cable" "$scratch/$name.last" ||
        fail "$name: the last line gives the advice for a missing device"
}
$prepare "$bench" --dfu f4 --avr m168 --swd f0 >/dev/null
no_access dfu-no-access dfu \
    "dfu-util: Cannot open DFU device 0483:df11 found on devnum 2 (LIBUSB_ERROR_ACCESS)" Wendrel 2.0
no_access avr-no-access usbtiny \
    "avrdude error: error sending control message: Operation not permitted" Drovel 1.1
grep -qF "This user may not open the programmer (avrdude error: error sending control message" \
    "$scratch/avr-no-access.log" || fail "avr-no-access: the module check does not say why it failed"
no_access swd-no-access stlink "Error: libusb_open() failed with LIBUSB_ERROR_ACCESS" \
    --factory Zembro 1.0
for memory in dfu-flash.bin avr-flash.bin swd-flash.bin; do
    [ ! -e "$state/$memory" ] || fail "no-access: $memory was written"
done

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
echo "all virtual bench runs passed"
