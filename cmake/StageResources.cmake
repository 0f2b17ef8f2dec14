# SPDX-License-Identifier: GPL-3.0-or-later
# cmake -P script: copies SOURCE to DEST and links the tools into DEST.
# Inputs: SOURCE, DEST, FIRMWARE_DIR, AVRDUDE, AVRDUDE_CONF, DFU_UTIL, DFU_UTIL_FACTORY,
# OPENOCD, OPENOCD_SCRIPTS.

file(MAKE_DIRECTORY "${DEST}")
# Start from a clean firmware directory so a removed sample image does not linger.
file(REMOVE_RECURSE "${DEST}/firmware")
file(COPY "${SOURCE}/" DESTINATION "${DEST}")
if(FIRMWARE_DIR)
    if(NOT IS_DIRECTORY "${FIRMWARE_DIR}")
        message(FATAL_ERROR "MODFLASH_FIRMWARE_DIR is not a directory: ${FIRMWARE_DIR}")
    endif()
    file(REMOVE_RECURSE "${DEST}/firmware")
    file(COPY "${FIRMWARE_DIR}/" DESTINATION "${DEST}/firmware")
endif()

function(link_tool target name)
    set(link "${DEST}/${name}")
    file(REMOVE "${link}")
    if(target AND EXISTS "${target}")
        file(CREATE_LINK "${target}" "${link}" SYMBOLIC)
    endif()
endfunction()

link_tool("${AVRDUDE}" avrdude)
link_tool("${AVRDUDE_CONF}" avrdude.conf)
link_tool("${DFU_UTIL}" dfu-util)
link_tool("${DFU_UTIL_FACTORY}" dfu-util-factory)
link_tool("${OPENOCD}" openocd)
link_tool("${OPENOCD_SCRIPTS}" openocd-scripts)
