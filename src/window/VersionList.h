// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flashing/Firmware.h"

#include <QPointer>
#include <QString>

#include <memory>
#include <set>
#include <string>
#include <vector>

class QComboBox;
class QStandardItem;

namespace modflash {

// The version list's entries, top to bottom: the product's versions, at most one file the user
// chose, the "Other..." entry when offered, and the disabled "Select a version" placeholder,
// always last. Entries carry their kind, and version entries their firmware, as item data.
class VersionList {
public:
    enum class Kind { Placeholder = 1, Version, ChosenFile, Other };

    static constexpr int firmwareRole = 0x0100; // Qt::UserRole
    static constexpr int kindRole = firmwareRole + 1;

    explicit VersionList(QComboBox* list);

    static QString placeholderTitle();
    static QString otherTitle();

    // An enabled entry titled with the firmware's version text that carries the firmware.
    static std::unique_ptr<QStandardItem> createVersionItem(const FirmwarePtr& firmware);

    // Only the placeholder, selected.
    void reset();
    // A fresh list: versions in the given order, then "Other..." when offered, then the
    // placeholder, which stays selected. Drops any chosen file. Sample images (by file name)
    // are marked as such beside their version.
    void rebuild(const std::vector<FirmwarePtr>& firmware, bool offerOther,
                 const std::set<std::string>& samples = {});
    // Puts the chosen file directly above "Other...", replacing an earlier one, and selects it.
    void addChosenFile(const FirmwarePtr& firmware);

    // The firmware of the selected entry when that entry is enabled and carries one.
    FirmwarePtr selectedFirmware() const;
    bool isOtherSelected() const;
    int count() const;
    Kind kindAt(int row) const;
    // Changes whenever the list is rebuilt, so a late file choice can tell it is stale.
    unsigned generation() const { return m_generation; }

private:
    std::unique_ptr<QStandardItem> createItem(const QString& title, Kind kind) const;
    void insertAboveLast(std::unique_ptr<QStandardItem> entry);
    int rowOfKind(Kind kind) const;

    QPointer<QComboBox> m_list;
    unsigned m_generation = 0;
};

} // namespace modflash
