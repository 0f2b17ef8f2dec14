# SPDX-License-Identifier: GPL-3.0-or-later
# modflash-cli: the command-line front end. Qt Core (and Qt D-Bus for the sleep lock); it must
# never pull in Qt Widgets, so it runs on machines without a display.
find_package(Qt6 REQUIRED COMPONENTS Core)

add_executable(modflash-cli
    cli/main.cpp
    cli/CommandContext.cpp
    cli/CommandLine.cpp
    cli/FeedAccess.cpp
    cli/FeedCommand.cpp
    cli/Listings.cpp
    cli/Output.cpp
    cli/ShellLine.cpp
    cli/ProgressLine.cpp
    cli/RunPreferences.cpp
    cli/Subcommands.cpp
    cli/UpdateCommand.cpp
    cli/UpdateTarget.cpp
)
target_link_libraries(modflash-cli PRIVATE modflash_update modflash_translations Qt6::Core
    modflash_warnings)
target_compile_definitions(modflash-cli PRIVATE
    MODFLASH_VERSION="${PROJECT_VERSION}")
set_target_properties(modflash-cli PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${MODFLASH_RUNTIME_DIR})
# The default resource directory is the one staged beside the executable.
add_dependencies(modflash-cli modflash_resources)
