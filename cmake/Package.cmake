# SPDX-License-Identifier: GPL-3.0-or-later
# The Debian package CPack builds from the install rules: its control fields, and the copyright
# file and changelog every Debian package carries in /usr/share/doc/modflash. Included from
# cmake/Install.cmake, whose modflash_compress() it uses.

# The maintainer defaults to the person dch would name (DEBFULLNAME and DEBEMAIL, or DEBEMAIL
# alone in the form "Name <address>"), else to the project's packaging address. It is read once,
# when the cache is first made; set the option to change it later.
set(maintainer "modflash maintainers <packaging@modflash.org>")
if("$ENV{DEBEMAIL}" MATCHES "<")
    set(maintainer "$ENV{DEBEMAIL}")
elseif(NOT "$ENV{DEBEMAIL}" STREQUAL "" AND NOT "$ENV{DEBFULLNAME}" STREQUAL "")
    set(maintainer "$ENV{DEBFULLNAME} <$ENV{DEBEMAIL}>")
endif()
set(MODFLASH_PACKAGE_MAINTAINER "${maintainer}" CACHE STRING
    "Maintainer of the Debian package, as \"Full Name <address>\"")
if(NOT MODFLASH_PACKAGE_MAINTAINER MATCHES "^[^<>@]*[^<>@ ] <[^<>@ ]+@([^<>@ ]+\\.[^<>@ ]+)>$")
    message(FATAL_ERROR "MODFLASH_PACKAGE_MAINTAINER is \"${MODFLASH_PACKAGE_MAINTAINER}\"; "
        "give it as \"Full Name <address@domain.example>\"")
elseif(CMAKE_MATCH_1 MATCHES "(^|\\.)(localhost|localdomain|invalid|local)$")
    message(FATAL_ERROR "MODFLASH_PACKAGE_MAINTAINER has the address ${CMAKE_MATCH_1}, which "
        "cannot receive mail; give an address people can write to")
endif()
set(MODFLASH_PACKAGE_HOMEPAGE "https://modflash.org/" CACHE STRING
    "Homepage field of the Debian package")

set(doc_dir "${CMAKE_INSTALL_DATADIR}/doc/modflash")
install(FILES ${CMAKE_SOURCE_DIR}/data/debian/copyright DESTINATION ${doc_dir})
# The user guide (cmake/Install.cmake), registered with doc-base in each language so that
# documentation browsers list it.
foreach(guide modflash-guide modflash-guide-de)
    install(FILES ${CMAKE_SOURCE_DIR}/data/debian/${guide}.doc-base
        DESTINATION ${CMAKE_INSTALL_DATADIR}/doc-base RENAME modflash.${guide})
endforeach()
# The tags lintian raises although they do not apply, each with the reason.
file(READ ${CMAKE_SOURCE_DIR}/data/debian/lintian-overrides lintian_overrides)
if(MODFLASH_SAMPLE_FIRMWARE AND NOT MODFLASH_FIRMWARE_DIR)
    string(APPEND lintian_overrides
        "# The README in the firmware directory says what the images beside it are (samples, not\n"
        "# real firmware), which is where someone looking at them will read it.\n"
        "modflash: package-contains-documentation-outside-usr-share-doc "
        "[usr/share/modflash/firmware/README*]\n")
endif()
file(WRITE ${CMAKE_BINARY_DIR}/lintian-overrides "${lintian_overrides}")
install(FILES ${CMAKE_BINARY_DIR}/lintian-overrides
    DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME modflash)

# The package is native (its version has no Debian revision), so its changelog is changelog.gz.
# Its newest entry must be for this version: a version raised without an entry would ship a
# changelog that says nothing about it.
set(changelog_source ${CMAKE_SOURCE_DIR}/data/debian/changelog.in)
file(STRINGS ${changelog_source} changelog_first_line LIMIT_COUNT 1)
if(NOT changelog_first_line MATCHES "^modflash \\(([^)]+)\\)")
    message(FATAL_ERROR "${changelog_source} does not begin with a \"modflash (VERSION)\" entry")
elseif(NOT CMAKE_MATCH_1 STREQUAL PROJECT_VERSION)
    message(FATAL_ERROR "The newest entry of ${changelog_source} is for version ${CMAKE_MATCH_1}; "
        "add one for ${PROJECT_VERSION} at its top")
endif()
configure_file(${changelog_source} ${CMAKE_BINARY_DIR}/debian/changelog @ONLY)
modflash_compress(${CMAKE_BINARY_DIR}/debian/changelog changelog)
install(FILES ${modflash_compressed_dir}/changelog.gz DESTINATION ${doc_dir})

# The Qt libraries come from dpkg-shlibdeps; the flashing tools are run, not linked, so they
# are listed by hand.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME modflash)
set(CPACK_PACKAGE_VENDOR "modflash developers")
set(CPACK_PACKAGE_CONTACT "${MODFLASH_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
# Directories CPack makes itself follow the umask otherwise; Debian wants them 0755.
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${MODFLASH_PACKAGE_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${MODFLASH_PACKAGE_HOMEPAGE}")
# The summary is the package's synopsis; CPack indents this extended text and marks its empty
# line as a paragraph break. Debian wants its lines at most 80 characters with the indent.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION
"modflash updates the firmware of a family of hardware modules. Pick the
product, pick one of the bundled firmware images and press Update; the tool's
own output is shown as it runs and ends in a clear verdict.

It drives avrdude for AVR-based modules with a USB programmer, dfu-util for
STM32-based modules in their USB DFU boot loader and openocd for STM32-based
modules over SWD with an ST-Link probe. The package holds the window
(modflash), a scriptable command line (modflash-cli) with bash completion, and
modflash-feed, which builds and checks a signed firmware feed for makers.")
set(CPACK_DEBIAN_PACKAGE_SECTION electronics)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "avrdude, dfu-util, openocd")
# modflash-feed prints the minisign command that signs a feed; only a maker runs it.
set(CPACK_DEBIAN_PACKAGE_SUGGESTS "minisign")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
include(CPack)
