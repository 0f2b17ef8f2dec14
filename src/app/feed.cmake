# SPDX-License-Identifier: GPL-3.0-or-later
# modflash-feed: the maker's tool that builds a feed for minisign to sign and checks it after.
# Qt Core and the feed library only: it runs where firmware is released, without a display.
add_executable(modflash-feed
    feed/main.cpp
    feed/BuildCommand.cpp
    feed/Console.cpp
    feed/SubcommandParser.cpp
    feed/VerifyCommand.cpp
)
target_link_libraries(modflash-feed PRIVATE modflash_feed Qt6::Core modflash_warnings)
target_compile_definitions(modflash-feed PRIVATE MODFLASH_VERSION="${PROJECT_VERSION}")
set_target_properties(modflash-feed PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${MODFLASH_RUNTIME_DIR})
