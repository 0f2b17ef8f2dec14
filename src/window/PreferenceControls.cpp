// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/PreferenceControls.h"

#include "flashing/Preferences.h"
#include "flashing/Programmers.h"

#include <QCheckBox>
#include <QComboBox>

namespace modflash {

PreferenceControls::PreferenceControls(Preferences& preferences, QComboBox* avrProgrammerSelector,
                                       QComboBox* stlinkProgrammerSelector,
                                       QCheckBox* factoryFirmwareEnable,
                                       QCheckBox* massEraseBeforeProgramming,
                                       QCheckBox* checkModuleBeforeWriting)
    : m_preferences(preferences)
    , m_avrProgrammerSelector(avrProgrammerSelector)
    , m_stlinkProgrammerSelector(stlinkProgrammerSelector)
    , m_factoryFirmwareEnable(factoryFirmwareEnable)
    , m_massEraseBeforeProgramming(massEraseBeforeProgramming)
    , m_checkModuleBeforeWriting(checkModuleBeforeWriting) {}

void PreferenceControls::registerDefaults() {
    registerPreferenceDefaults(m_preferences);
}

void PreferenceControls::load() {
    loadSelector(m_avrProgrammerSelector, avrProgrammerList());
    loadSelector(m_stlinkProgrammerSelector, stlinkProbeList());
    m_factoryFirmwareEnable->setChecked(
        m_preferences.boolForKey(PreferenceKey::enableFactoryFirmware));
    m_massEraseBeforeProgramming->setChecked(
        m_preferences.boolForKey(PreferenceKey::massEraseBeforeProgramming));
    m_checkModuleBeforeWriting->setChecked(
        m_preferences.boolForKey(PreferenceKey::checkModuleBeforeWriting));
}

void PreferenceControls::loadSelector(QComboBox* selector, const ProgrammerList& list) {
    selector->clear();
    for (const Programmer& choice : list.choices())
        selector->addItem(QString::fromStdString(choice.name));
    // The entry the flashing command will use. A programmer name this version does not offer
    // still goes to avrdude, so the pop-up shows it rather than pretending another is in use.
    const QString inUse = QString::fromStdString(list.chosenName(m_preferences));
    int row = selector->findText(inUse, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    if (row < 0) {
        selector->addItem(inUse);
        row = selector->count() - 1;
    }
    selector->setCurrentIndex(row);
}

void PreferenceControls::storeAvrProgrammer() {
    m_preferences.setString(PreferenceKey::avrProgrammer,
                            m_avrProgrammerSelector->currentText().toStdString());
}

void PreferenceControls::storeStlinkProgrammer() {
    m_preferences.setString(PreferenceKey::stlinkProgrammer,
                            m_stlinkProgrammerSelector->currentText().toStdString());
}

void PreferenceControls::storeFactoryFirmware() {
    m_preferences.setBool(PreferenceKey::enableFactoryFirmware, isFactoryFirmwareEnabled());
}

void PreferenceControls::storeMassErase() {
    m_preferences.setBool(PreferenceKey::massEraseBeforeProgramming,
                          m_massEraseBeforeProgramming->isChecked());
}

void PreferenceControls::storeModuleCheck() {
    m_preferences.setBool(PreferenceKey::checkModuleBeforeWriting, isModuleCheckEnabled());
}

bool PreferenceControls::isModuleCheckEnabled() const {
    return m_checkModuleBeforeWriting->isChecked();
}

bool PreferenceControls::isFactoryFirmwareEnabled() const {
    return m_factoryFirmwareEnable->isChecked();
}

} // namespace modflash
