# SPDX-License-Identifier: GPL-3.0-or-later
# modflash: the windowed front end.
find_package(Qt6 REQUIRED COMPONENTS Widgets)

add_executable(modflash
    window/main.cpp
)
target_link_libraries(modflash PRIVATE modflash_window modflash_translations Qt6::Widgets
    modflash_warnings)
target_compile_definitions(modflash PRIVATE
    MODFLASH_VERSION="${PROJECT_VERSION}"
    QT_NO_CAST_FROM_ASCII
    QT_NO_CAST_TO_ASCII)
set_target_properties(modflash PROPERTIES RUNTIME_OUTPUT_DIRECTORY ${MODFLASH_RUNTIME_DIR})
# The default resource directory is the one staged beside the executable.
add_dependencies(modflash modflash_resources)
