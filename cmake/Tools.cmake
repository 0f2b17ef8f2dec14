# SPDX-License-Identifier: GPL-3.0-or-later
# Locates the flashing tools the resource directory links to. A packager may point any of these
# cache entries at another build of a tool; an empty entry means the tool is left out and an
# update that needs it reports the missing program.
find_program(MODFLASH_AVRDUDE avrdude DOC "avrdude executable")
find_program(MODFLASH_DFU_UTIL dfu-util DOC "dfu-util executable")
set(MODFLASH_DFU_UTIL_FACTORY "${MODFLASH_DFU_UTIL}" CACHE FILEPATH
    "dfu-util executable run while factory firmware is enabled")
find_program(MODFLASH_OPENOCD openocd DOC "openocd executable")

find_file(MODFLASH_AVRDUDE_CONF avrdude.conf
    PATHS /etc /usr/local/etc /usr/share/avrdude /usr/local/share/avrdude
    NO_DEFAULT_PATH
    DOC "avrdude configuration file")
find_path(MODFLASH_OPENOCD_SCRIPTS target/stm32f0x.cfg
    PATHS /usr/share/openocd/scripts /usr/local/share/openocd/scripts
    NO_DEFAULT_PATH
    DOC "openocd script directory")

foreach(tool AVRDUDE DFU_UTIL DFU_UTIL_FACTORY OPENOCD AVRDUDE_CONF OPENOCD_SCRIPTS)
    if(NOT MODFLASH_${tool})
        message(STATUS "modflash: ${tool} not found; the resource directory will not link it")
    endif()
endforeach()
