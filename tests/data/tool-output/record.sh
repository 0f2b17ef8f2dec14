#!/bin/sh
# Records the success and failure output of the real avrdude, dfu-util and openocd against the virtual
# bench's emulated modules (virtual-bench/README.md): the command modflash-cli builds for the
# update, run with nothing but LD_LIBRARY_PATH in its environment, standard output and error
# merged into one pipe, as an update runs it. Writes the files into this directory.
# Usage: tests/data/tool-output/record.sh [BUILD_DIR]   (from the repository root)
set -eu
build=${1:-build}
here=$(dirname "$0")
cli=$build/bin/modflash-cli
bench=/tmp/modflash-bench
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
export XDG_CONFIG_HOME="$scratch/config"

# The sample images are a few hundred bytes; the DFU recordings use an image of 45060 bytes,
# so dfu-util redraws its bars as it goes.
# Random bytes after a vector table that passes the image check: the initial stack pointer at
# the top of 16 KiB of RAM, the reset handler in the flash.
stm32_image() { # file size
    printf '\000\100\000\040\001\001\000\010' >"$1"
    head -c $(($2 - 8)) /dev/urandom >>"$1"
}
dfu_image() {
    stm32_image "$bench/firmware/Wendrel.9.9.bin" 45060
}

# The SWD recordings write an image of 50000 bytes, a loader's ring buffer full many times over.
swd_image() {
    stm32_image "$bench/firmware/zembro_9.9.bin" 50000
}

# record FILE [CLI OPTIONS] PRODUCT VERSION
record() {
    file=$1
    shift
    "$cli" --resources "$bench" command "$@" >"$scratch/command"
    set --
    while IFS= read -r element; do
        set -- "$@" "$element"
    done <"$scratch/command"
    {
        env -i LD_LIBRARY_PATH="$bench" "$@" </dev/null 2>&1 && status=0 || status=$?
        echo "$status" >"$scratch/status"
    } | cat >"$here/$file"
    echo "$file: exit status $(cat "$scratch/status")" >&2
}

scripts/virtual-bench --build "$build" "$bench" --avr m328p >/dev/null
record avrdude-7.1-usbtiny-success.txt "Parvonne (rev009 or Higher)" 2.0

scripts/virtual-bench --build "$build" "$bench" --avr m328p >/dev/null
echo "unplug-after-bytes 384" >>"$bench/virtual-bench/usbtiny"
record avrdude-7.1-write-failed.txt "Parvonne (rev009 or Higher)" 2.0

scripts/virtual-bench --build "$build" "$bench" --dfu f4 >/dev/null
dfu_image
record dfu-util-0.11-success.txt Wendrel 9.9

scripts/virtual-bench --build "$build" "$bench" --dfu f4 >/dev/null
dfu_image
record dfu-util-0.11-mass-erase-success.txt --factory --mass-erase Wendrel 9.9

scripts/virtual-bench --build "$build" "$bench" --dfu f4-late-error >/dev/null
dfu_image
record dfu-util-0.11-late-error.txt Wendrel 9.9

# Nine blocks of 2048 bytes taken (each after its 5-byte set-address command, the three
# 16 KiB sectors erased before), then the cable is pulled: 40%.
scripts/virtual-bench --build "$build" "$bench" --dfu f4 >/dev/null
dfu_image
echo "unplug-after-bytes 18500" >>"$bench/virtual-bench/dfu"
record dfu-util-0.11-download-failed.txt Wendrel 9.9

scripts/virtual-bench --build "$build" "$bench" --swd f0 >/dev/null
swd_image
record openocd-0.12-stlink-v2-success.txt --factory Zembro 9.9

scripts/virtual-bench --build "$build" "$bench" --swd f0 >/dev/null
echo "write-protect" >>"$bench/virtual-bench/stlink"
swd_image
record openocd-0.12-write-protected.txt --factory Zembro 9.9

scripts/virtual-bench --build "$build" "$bench" --swd f0 >/dev/null
echo "no-target" >>"$bench/virtual-bench/stlink"
swd_image
record openocd-0.12-no-target.txt --factory Zembro 9.9

# The probe goes while the flash loader runs, 20000 bytes of commands and data into the run.
scripts/virtual-bench --build "$build" "$bench" --swd f0 >/dev/null
echo "unplug-after-bytes 20000" >>"$bench/virtual-bench/stlink"
swd_image
record openocd-0.12-unplugged.txt --factory Zembro 9.9

# The modules' device nodes refuse this user (no-access): each tool finds its device and may
# not open it.
scripts/virtual-bench --build "$build" "$bench" --avr m328p --dfu f4 --swd f0 >/dev/null
for module in usbtiny dfu stlink; do
    echo "no-access" >>"$bench/virtual-bench/$module"
done
dfu_image
swd_image
record avrdude-7.1-usbtiny-no-access.txt "Parvonne (rev009 or Higher)" 2.0
record dfu-util-0.11-no-access.txt Wendrel 9.9
record openocd-0.12-no-access.txt --factory Zembro 9.9

rm -rf "$bench"
