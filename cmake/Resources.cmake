# SPDX-License-Identifier: GPL-3.0-or-later
# Stages the resource directory beside the executables: the repo's resources/ plus links to
# the flashing tools found at configure time. Re-run on every build so edits to pages or
# sample images reach the staged copy.
set(MODFLASH_FIRMWARE_DIR "" CACHE PATH
    "Directory of firmware images that replaces the bundled samples")

add_custom_target(modflash_resources ALL
    COMMAND ${CMAKE_COMMAND}
        -DSOURCE=${CMAKE_SOURCE_DIR}/resources
        -DDEST=${MODFLASH_STAGED_RESOURCES}
        -DFIRMWARE_DIR=${MODFLASH_FIRMWARE_DIR}
        -DAVRDUDE=${MODFLASH_AVRDUDE}
        -DAVRDUDE_CONF=${MODFLASH_AVRDUDE_CONF}
        -DDFU_UTIL=${MODFLASH_DFU_UTIL}
        -DDFU_UTIL_FACTORY=${MODFLASH_DFU_UTIL_FACTORY}
        -DOPENOCD=${MODFLASH_OPENOCD}
        -DOPENOCD_SCRIPTS=${MODFLASH_OPENOCD_SCRIPTS}
        -P ${CMAKE_SOURCE_DIR}/cmake/StageResources.cmake
    COMMENT "Staging the resource directory"
    VERBATIM)
