// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "feed/FirmwareOffer.h"
#include "flashing/Firmware.h"

#include <QPointer>
#include <QString>

#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

class QComboBox;
class QStandardItem;

namespace modflash {

// The version list's entries, top to bottom: the product's offered images in their sources'
// order (bundled, the user's folder, downloaded, still to download), at most one file the user
// chose, the "Other..." entry when offered, and the disabled "Select a version" placeholder,
// always last. Entries carry their kind, and version entries their offer, as item data.
class VersionList {
public:
    enum class Kind { Placeholder = 1, Version, ChosenFile, Other };

    static constexpr int offerRole = 0x0100; // Qt::UserRole
    static constexpr int kindRole = offerRole + 1;

    explicit VersionList(QComboBox* list);

    static QString placeholderTitle();
    static QString otherTitle();

    // An enabled entry titled with the firmware's version text that carries the firmware.
    static std::unique_ptr<QStandardItem> createVersionItem(const FirmwarePtr& firmware);
    // The same for an offer; a release still to download says how much.
    static std::unique_ptr<QStandardItem> createOfferItem(const feed::FirmwareOffer& offer);

    // Only the placeholder, selected.
    void reset();
    // A fresh list: the offers in the given order, then "Other..." when offered, then the
    // placeholder, which stays selected. Drops any chosen file. Sample images (by file name)
    // are marked as such beside their version, and a version text offered twice by where it
    // comes from.
    void rebuild(const std::vector<feed::FirmwareOffer>& offers, bool offerOther,
                 const std::set<std::string>& samples = {});
    // The same list over offers that changed under it (a check of the feed, a download, an
    // emptied cache): "Other..." and the chosen file stay, and so does the selection, an image
    // known by its SHA-256 when the feed has it, else by its path.
    void refresh(const std::vector<feed::FirmwareOffer>& offers,
                 const std::set<std::string>& samples = {});
    // Puts the chosen file directly above "Other...", replacing an earlier one, and selects it.
    void addChosenFile(const FirmwarePtr& firmware);

    // The offer of the selected entry when that entry is enabled and carries one.
    std::optional<feed::FirmwareOffer> selectedOffer() const;
    // The image file of the selected offer; none for a release still to download.
    FirmwarePtr selectedFirmware() const;

    bool isOtherSelected() const;
    int count() const;
    Kind kindAt(int row) const;
    // Changes whenever the list is rebuilt, so a late file choice can tell it is stale.
    unsigned generation() const { return m_generation; }

private:
    std::unique_ptr<QStandardItem> createItem(const QString& title, Kind kind) const;
    static QString keyOf(const feed::FirmwareOffer& offer);
    static QString sourceMark(feed::FirmwareSource source);
    int rowOfKey(const QString& key) const;
    void insertAboveLast(std::unique_ptr<QStandardItem> entry);
    int rowOfKind(Kind kind) const;

    QPointer<QComboBox> m_list;
    unsigned m_generation = 0;
};

} // namespace modflash
