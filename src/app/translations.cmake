# SPDX-License-Identifier: GPL-3.0-or-later
# The translations of both front ends, built into each program that shows them (the window's
# tests and picture tool too) so that the build tree and an installed copy find them alike;
# UserLanguage installs them. lupdate reads every source with user-visible text;
# update_translations brings translations/*.ts up to date with them.
find_package(Qt6 REQUIRED COMPONENTS Core LinguistTools)
add_library(modflash_translations OBJECT)
target_link_libraries(modflash_translations PRIVATE Qt6::Core)
file(GLOB modflash_ts_files ${PROJECT_SOURCE_DIR}/translations/*.ts)
file(GLOB modflash_translated_sources CONFIGURE_DEPENDS
    ${PROJECT_SOURCE_DIR}/src/flashing/*.cpp ${PROJECT_SOURCE_DIR}/src/flashing/output/*.cpp
    ${PROJECT_SOURCE_DIR}/src/feed/*.cpp
    ${PROJECT_SOURCE_DIR}/src/update/*.cpp
    ${PROJECT_SOURCE_DIR}/src/window/*.cpp ${PROJECT_SOURCE_DIR}/src/window/*.h
    ${PROJECT_SOURCE_DIR}/src/window/*.ui
    ${PROJECT_SOURCE_DIR}/src/app/cli/*.cpp ${PROJECT_SOURCE_DIR}/src/app/cli/*.h
    ${PROJECT_SOURCE_DIR}/src/app/window/*.cpp)
# The check that the shipped .ts files match the sources runs lupdate the same way; lupdate
# follows the includes from src/, the one include root, to know each text's class.
set(modflash_lupdate_options -locations none -tr-function-alias QT_TRANSLATE_NOOP+=MODFLASH_TRANSLATABLE)
set_property(GLOBAL PROPERTY modflash_translated_sources ${modflash_translated_sources})
set_property(GLOBAL PROPERTY modflash_lupdate_options
    ${modflash_lupdate_options} -I ${PROJECT_SOURCE_DIR}/src)
# update_translations hands lupdate a project file, which takes the include root from the
# target: lupdate refuses -I beside a project.
target_include_directories(modflash_translations PRIVATE ${PROJECT_SOURCE_DIR}/src)
qt_add_translations(modflash_translations
    TS_FILES ${modflash_ts_files}
    SOURCES ${modflash_translated_sources}
    RESOURCE_PREFIX /i18n
    LUPDATE_OPTIONS ${modflash_lupdate_options})
