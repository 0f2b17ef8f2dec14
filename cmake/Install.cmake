# SPDX-License-Identifier: GPL-3.0-or-later
# Installs modflash like a desktop application: both front ends and the feed tool to bin/, the
# resource directory to share/modflash/ (the executables look for it at ../share/modflash, so a
# moved prefix keeps working), the desktop entry, icon, AppStream metainfo, man pages, bash
# completion, the user guide and the package documentation. cmake/Package.cmake builds the
# Debian package from these rules.

set(MODFLASH_APP_ID org.modflash.Modflash)
set(MODFLASH_INSTALL_RESOURCES "${CMAKE_INSTALL_DATADIR}/modflash")

# The executables find their resources through the fixed relative path ../share/modflash.
if(IS_ABSOLUTE "${CMAKE_INSTALL_BINDIR}" OR IS_ABSOLUTE "${CMAKE_INSTALL_DATADIR}"
   OR NOT CMAKE_INSTALL_BINDIR STREQUAL "bin" OR NOT CMAKE_INSTALL_DATADIR STREQUAL "share")
    message(WARNING "modflash: the installed executables look for their resources at "
        "../share/modflash; with CMAKE_INSTALL_BINDIR=${CMAKE_INSTALL_BINDIR} and "
        "CMAKE_INSTALL_DATADIR=${CMAKE_INSTALL_DATADIR} they will not find them")
endif()

foreach(front_end modflash modflash-cli modflash-feed)
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
# The sample images stay in the build tree for trying modflash out: written to a real module they
# would leave it doing nothing, so they are installed only when asked for. Without either, the
# firmware directory is installed empty, and the window says where images come from.
option(MODFLASH_SAMPLE_FIRMWARE "Install the sample images, which are no real firmware" OFF)
if(MODFLASH_FIRMWARE_DIR)
    install(DIRECTORY "${MODFLASH_FIRMWARE_DIR}/" DESTINATION ${MODFLASH_INSTALL_RESOURCES}/firmware)
elseif(MODFLASH_SAMPLE_FIRMWARE)
    install(DIRECTORY "${CMAKE_SOURCE_DIR}/resources/firmware/"
        DESTINATION ${MODFLASH_INSTALL_RESOURCES}/firmware)
else()
    install(DIRECTORY DESTINATION ${MODFLASH_INSTALL_RESOURCES}/firmware)
endif()

# The tool links are made at install time rather than copied from the staged tree, so they hold
# the configured paths: where the tools live on the target system, never a build or DESTDIR
# tree. The tools need not exist at install time (a package links to its dependencies). A tool
# left unconfigured gets no link, so an update that needs it names the missing program.
#
# A link is relative only when the prefix is /usr and the tool lies in /usr too, as in the
# Debian package: /usr/share/modflash/avrdude -> ../../bin/avrdude. /usr is the system's own
# tree and never moves, and Debian wants links within it relative. Any other prefix (/usr/local,
# a home directory, a DESTDIR staging tree copied elsewhere) may be moved as a whole, which the
# executables allow for; the system's tools stay where they are, so those links stay absolute.
# A tool outside /usr (avrdude.conf in /etc) is linked absolutely in every case.
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
cmake_path(SET modflash_prefix NORMALIZE \"\${CMAKE_INSTALL_PREFIX}/\")
function(modflash_install_tool_link target name)
    set(link \"\$ENV{DESTDIR}\${modflash_resources}/\${name}\")
    cmake_path(SET tool NORMALIZE \"\${target}\")
    if(modflash_prefix STREQUAL \"/usr/\" AND tool MATCHES \"^/usr/\")
        cmake_path(RELATIVE_PATH tool BASE_DIRECTORY \"/usr/${MODFLASH_INSTALL_RESOURCES}\")
    else()
        set(tool \"\${target}\")
    endif()
    message(STATUS \"Linking: \${link} -> \${tool}\")
    file(REMOVE \"\${link}\")
    file(CREATE_LINK \"\${tool}\" \"\${link}\" SYMBOLIC)
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

# The user guide, whose pages the window also carries built in: one folder per language.
install(DIRECTORY ${CMAKE_SOURCE_DIR}/data/guide/
    DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/modflash/guide)

# Man pages, compressed as Debian installs them. gzip -n leaves out the file name and time
# stamp, so the result depends on the page alone and the package builds reproducibly.
find_program(MODFLASH_GZIP gzip REQUIRED DOC "gzip, which compresses the man pages and changelog")
mark_as_advanced(MODFLASH_GZIP)
set(modflash_compressed_dir ${CMAKE_BINARY_DIR}/compressed)
function(modflash_compress source name)
    set(plain ${modflash_compressed_dir}/${name})
    add_custom_command(OUTPUT ${plain}.gz
        COMMAND ${CMAKE_COMMAND} -E make_directory ${modflash_compressed_dir}
        COMMAND ${CMAKE_COMMAND} -E copy ${source} ${plain}
        COMMAND ${MODFLASH_GZIP} -9nf ${plain}
        DEPENDS ${source}
        COMMENT "Compressing ${name}"
        VERBATIM)
    set_property(GLOBAL APPEND PROPERTY modflash_compressed_files ${plain}.gz)
endfunction()

set(man_pages modflash-cli modflash-feed)
if(TARGET modflash)
    list(APPEND man_pages modflash)
endif()
foreach(page IN LISTS man_pages)
    modflash_compress(${CMAKE_SOURCE_DIR}/data/${page}.1 ${page}.1)
    install(FILES ${modflash_compressed_dir}/${page}.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()

# Bash completion goes where bash-completion loads it on demand. Its completionsdir names a
# place under its data directory; the same place under this prefix keeps the install inside
# the prefix (bash-completion also searches the share/ of every XDG_DATA_DIRS entry).
set(completions_dir "${CMAKE_INSTALL_DATADIR}/bash-completion/completions")
find_package(PkgConfig QUIET)
if(PKG_CONFIG_FOUND)
    pkg_get_variable(bash_completion_dir bash-completion completionsdir)
    pkg_get_variable(bash_completion_datadir bash-completion datadir)
    if(bash_completion_dir AND bash_completion_datadir
       AND bash_completion_dir MATCHES "^${bash_completion_datadir}/(.+)$")
        set(completions_dir "${CMAKE_INSTALL_DATADIR}/${CMAKE_MATCH_1}")
    endif()
endif()
set(MODFLASH_BASH_COMPLETION_DIR "${completions_dir}" CACHE STRING
    "Where the bash completion of modflash-cli is installed, relative to the prefix")
install(FILES ${CMAKE_SOURCE_DIR}/data/bash-completion/modflash-cli
    DESTINATION ${MODFLASH_BASH_COMPLETION_DIR})

include(${CMAKE_CURRENT_LIST_DIR}/Package.cmake)

get_property(compressed_files GLOBAL PROPERTY modflash_compressed_files)
add_custom_target(modflash_compressed ALL DEPENDS ${compressed_files})
