#include "PreferenceControls.h"

#include "ARMSWDProduct.h"
#include "AVRProduct.h"
#include "Preferences.h"

#include <QCheckBox>
#include <QComboBox>

namespace modflash {

PreferenceControls::PreferenceControls(Preferences& preferences, QComboBox* avrProgrammerSelector,
                                       QComboBox* stlinkProgrammerSelector,
                                       QCheckBox* factoryFirmwareEnable,
                                       QCheckBox* massEraseBeforeProgramming)
    : m_preferences(preferences)
    , m_avrProgrammerSelector(avrProgrammerSelector)
    , m_stlinkProgrammerSelector(stlinkProgrammerSelector)
    , m_factoryFirmwareEnable(factoryFirmwareEnable)
    , m_massEraseBeforeProgramming(massEraseBeforeProgramming) {}

void PreferenceControls::registerDefaults() {
    m_preferences.registerDefaults({
        {PreferenceKey::avrProgrammer, AVRProduct::avrProgrammers().front()},
        {PreferenceKey::stlinkProgrammer, ARMSWDProduct::stlinkInterfaces().front()},
    });
}

void PreferenceControls::load() {
    loadSelector(m_avrProgrammerSelector, AVRProduct::avrProgrammers(),
                 PreferenceKey::avrProgrammer);
    loadSelector(m_stlinkProgrammerSelector, ARMSWDProduct::stlinkInterfaces(),
                 PreferenceKey::stlinkProgrammer);
    m_factoryFirmwareEnable->setChecked(
        m_preferences.boolForKey(PreferenceKey::enableFactoryFirmware));
    m_massEraseBeforeProgramming->setChecked(
        m_preferences.boolForKey(PreferenceKey::massEraseBeforeProgramming));
}

void PreferenceControls::loadSelector(QComboBox* selector, const std::vector<std::string>& names,
                                      const char* key) {
    selector->clear();
    for (const std::string& name : names)
        selector->addItem(QString::fromStdString(name));
    const QString stored = QString::fromStdString(m_preferences.stringForKey(key));
    int row = selector->findText(stored, Qt::MatchFixedString | Qt::MatchCaseSensitive);
    if (row < 0 && !stored.isEmpty()) {
        // A name this version no longer offers still drives the flashing command, so the
        // pop-up shows it rather than pretending another entry is in use.
        selector->addItem(stored);
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

bool PreferenceControls::isFactoryFirmwareEnabled() const {
    return m_factoryFirmwareEnable->isChecked();
}

} // namespace modflash
