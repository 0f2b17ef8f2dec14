// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>

class QCheckBox;
class QComboBox;

namespace modflash {

class Preferences;
class ProgrammerList;

// The four preference controls and the store behind them. Every change the user makes is
// stored at once; loading only reads, so a first start leaves the store empty.
class PreferenceControls {
public:
    PreferenceControls(Preferences& preferences, QComboBox* avrProgrammerSelector,
                       QComboBox* stlinkProgrammerSelector, QCheckBox* factoryFirmwareEnable,
                       QCheckBox* massEraseBeforeProgramming, QCheckBox* checkModuleBeforeWriting);

    // The first programmer of each list; held in memory only, never written.
    void registerDefaults();
    // Fills the two pop-ups and sets all four controls from the store.
    void load();

    void storeAvrProgrammer();
    void storeStlinkProgrammer();
    void storeFactoryFirmware();
    void storeMassErase();
    void storeModuleCheck();

    bool isFactoryFirmwareEnabled() const;
    bool isModuleCheckEnabled() const;

private:
    void loadSelector(QComboBox* selector, const ProgrammerList& list);

    Preferences& m_preferences;
    QPointer<QComboBox> m_avrProgrammerSelector;
    QPointer<QComboBox> m_stlinkProgrammerSelector;
    QPointer<QCheckBox> m_factoryFirmwareEnable;
    QPointer<QCheckBox> m_massEraseBeforeProgramming;
    QPointer<QCheckBox> m_checkModuleBeforeWriting;
};

} // namespace modflash
