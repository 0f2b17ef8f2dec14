# Installs modflash like a desktop application: both front ends to bin/, the resource directory
# to share/modflash/ (the executables look for it at ../share/modflash, so a moved prefix keeps
# working), the desktop entry, icon, AppStream metainfo and man page. Also configures CPack to
# build the Debian package.

set(MODFLASH_APP_ID org.modflash.Modflash)
set(MODFLASH_INSTALL_RESOURCES "${CMAKE_INSTALL_DATADIR}/modflash")

# The executables find their resources through the fixed relative path ../share/modflash.
if(IS_ABSOLUTE "${CMAKE_INSTALL_BINDIR}" OR IS_ABSOLUTE "${CMAKE_INSTALL_DATADIR}"
   OR NOT CMAKE_INSTALL_BINDIR STREQUAL "bin" OR NOT CMAKE_INSTALL_DATADIR STREQUAL "share")
    message(WARNING "modflash: the installed executables look for their resources at "
        "../share/modflash; with CMAKE_INSTALL_BINDIR=${CMAKE_INSTALL_BINDIR} and "
        "CMAKE_INSTALL_DATADIR=${CMAKE_INSTALL_DATADIR} they will not find them")
endif()

foreach(front_end modflash modflash-cli)
    if(TARGET ${front_end})
        install(TARGETS ${front_end} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    endif()
endforeach()

# The resource directory: pages and openocd scripts from the repository, the firmware images
# from MODFLASH_FIRMWARE_DIR when a packager supplies them (they replace the samples), and links
# to the flashing tools recreated below.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/resources/instructions
    DESTINATION ${MODFLASH_INSTALL_RESOURCES})
install(FILES
    ${CMAKE_SOURCE_DIR}/resources/openocd_flash_pre.cfg
    ${CMAKE_SOURCE_DIR}/resources/openocd_flash_post.cfg
    DESTINATION ${MODFLASH_INSTALL_RESOURCES})
if(MODFLASH_FIRMWARE_DIR)
    set(firmware_source "${MODFLASH_FIRMWARE_DIR}")
else()
    set(firmware_source "${CMAKE_SOURCE_DIR}/resources/firmware")
endif()
install(DIRECTORY "${firmware_source}/" DESTINATION ${MODFLASH_INSTALL_RESOURCES}/firmware)

# The tool links are made at install time rather than copied from the staged tree, so they hold
# the configured paths as they are: where the tools live on the target system, never a build or
# DESTDIR tree. The tools need not exist at install time (a package links to its dependencies).
# A tool left unconfigured gets no link, so an update that needs it names the missing program.
set(tool_links "")
foreach(pair
        "MODFLASH_AVRDUDE=avrdude"
        "MODFLASH_AVRDUDE_CONF=avrdude.conf"
        "MODFLASH_DFU_UTIL=dfu-util"
        "MODFLASH_DFU_UTIL_FACTORY=dfu-util-factory"
        "MODFLASH_OPENOCD=openocd"
        "MODFLASH_OPENOCD_SCRIPTS=openocd-scripts")
    string(REPLACE "=" ";" pair "${pair}")
    list(GET pair 0 variable)
    list(GET pair 1 link)
    if(${variable})
        string(APPEND tool_links "modflash_install_tool_link(\"${${variable}}\" \"${link}\")\n")
    else()
        message(STATUS "modflash: ${variable} is not set; the installed resources will not link ${link}")
    endif()
endforeach()

# The manifest lists paths as installed, without DESTDIR, like the entries CMake adds itself.
install(CODE "
set(modflash_resources \"\${CMAKE_INSTALL_PREFIX}/${MODFLASH_INSTALL_RESOURCES}\")
function(modflash_install_tool_link target name)
    set(link \"\$ENV{DESTDIR}\${modflash_resources}/\${name}\")
    message(STATUS \"Linking: \${link} -> \${target}\")
    file(REMOVE \"\${link}\")
    file(CREATE_LINK \"\${target}\" \"\${link}\" SYMBOLIC)
    list(APPEND CMAKE_INSTALL_MANIFEST_FILES \"\${modflash_resources}/\${name}\")
    set(CMAKE_INSTALL_MANIFEST_FILES \"\${CMAKE_INSTALL_MANIFEST_FILES}\" PARENT_SCOPE)
endfunction()
file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${modflash_resources}\")
${tool_links}")

# Desktop integration, only with the window it launches.
if(TARGET modflash)
    install(FILES ${CMAKE_SOURCE_DIR}/data/modflash.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
        RENAME ${MODFLASH_APP_ID}.desktop)
    install(FILES ${CMAKE_SOURCE_DIR}/data/icons/modflash.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${MODFLASH_APP_ID}.svg)
    install(FILES ${CMAKE_SOURCE_DIR}/data/modflash.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo
        RENAME ${MODFLASH_APP_ID}.metainfo.xml)
endif()
install(FILES ${CMAKE_SOURCE_DIR}/data/modflash-cli.1
    DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

# Debian package. The Qt libraries come from dpkg-shlibdeps; the flashing tools are run, not
# linked, so they are listed by hand.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME modflash)
set(CPACK_PACKAGE_VENDOR "modflash developers")
set(CPACK_PACKAGE_CONTACT "modflash developers <modflash@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${CPACK_PACKAGE_CONTACT}")
# The summary is the package's synopsis; CPack indents this extended text and marks its empty
# line as a paragraph break.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"modflash updates the firmware of a family of hardware modules. Pick the product,
pick one of the bundled firmware images and press Update; the tool's own output
is shown as it runs and ends in a clear verdict.

It drives avrdude for AVR-based modules with a USB programmer, dfu-util for
STM32-based modules in their USB DFU boot loader and openocd for STM32-based
modules over SWD with an ST-Link probe. The package holds the window (modflash)
and a scriptable command line (modflash-cli).")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "avrdude, dfu-util, openocd")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
include(CPack)
