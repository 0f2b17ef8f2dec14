// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/VersionList.h"

#include "window/FirmwareMetaType.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLocale>
#include <QStandardItemModel>

#include <map>

namespace modflash {

namespace {

QStandardItemModel* itemModel(const QComboBox* list) {
    return qobject_cast<QStandardItemModel*>(list->model());
}

QString tr(const char* text) {
    return QCoreApplication::translate("modflash::VersionList", text);
}

} // namespace

// Tells apart a version text offered twice; a release still to download says so anyway.
QString VersionList::sourceMark(feed::FirmwareSource source) {
    switch (source) {
    case feed::FirmwareSource::Bundled:
        return tr("%1 (installed)");
    case feed::FirmwareSource::User:
        return tr("%1 (your folder)");
    case feed::FirmwareSource::Cache:
        return tr("%1 (downloaded)");
    case feed::FirmwareSource::Feed:
        break;
    }
    return QStringLiteral("%1");
}

VersionList::VersionList(QComboBox* list)
    : m_list(list) {}

QString VersionList::placeholderTitle() {
    return tr("Select a version");
}

QString VersionList::otherTitle() {
    return tr("Other...");
}

std::unique_ptr<QStandardItem> VersionList::createVersionItem(const FirmwarePtr& firmware) {
    return createOfferItem({feed::FirmwareSource::Bundled, firmware, std::nullopt});
}

std::unique_ptr<QStandardItem> VersionList::createOfferItem(const feed::FirmwareOffer& offer) {
    QString title = QString::fromStdString(offer.version());
    if (offer.needsDownload())
        title = tr("%1 (%2 to download)")
                    .arg(title, QLocale().formattedDataSize(offer.release->size, 1));
    auto entry = std::make_unique<QStandardItem>(title);
    entry->setData(QVariant::fromValue(offer), offerRole);
    entry->setData(static_cast<int>(Kind::Version), kindRole);
    // Two files may give the same version text; the file's name tells them apart.
    entry->setToolTip(offer.firmware ? QString::fromStdString(offer.firmware->path())
                                     : offer.release->url.toString());
    entry->setEditable(false);
    return entry;
}

std::unique_ptr<QStandardItem> VersionList::createItem(const QString& title, Kind kind) const {
    auto entry = std::make_unique<QStandardItem>(title);
    entry->setData(static_cast<int>(kind), kindRole);
    entry->setEditable(false);
    return entry;
}

void VersionList::reset() {
    ++m_generation;
    m_list->clear();
    auto placeholder = createItem(placeholderTitle(), Kind::Placeholder);
    placeholder->setEnabled(false);
    itemModel(m_list)->appendRow(placeholder.release());
    m_list->setCurrentIndex(0);
}

void VersionList::rebuild(const std::vector<feed::FirmwareOffer>& offers, bool offerOther,
                          const std::set<std::string>& samples) {
    reset();
    std::map<std::string, int> timesOffered;
    for (const feed::FirmwareOffer& offer : offers)
        ++timesOffered[offer.version()];
    for (const feed::FirmwareOffer& offer : offers) {
        auto entry = createOfferItem(offer);
        const std::string path = offer.firmware ? offer.firmware->path() : std::string();
        if (offer.source == feed::FirmwareSource::Bundled &&
            samples.contains(path.substr(path.rfind('/') + 1)))
            entry->setText(tr("%1 (sample)").arg(entry->text()));
        else if (timesOffered[offer.version()] > 1)
            entry->setText(sourceMark(offer.source).arg(entry->text()));
        insertAboveLast(std::move(entry));
    }
    if (offerOther)
        insertAboveLast(createItem(otherTitle(), Kind::Other));
    // Nothing is chosen until the user picks a version.
    m_list->setCurrentIndex(count() - 1);
}

void VersionList::addChosenFile(const FirmwarePtr& firmware) {
    const int previous = rowOfKind(Kind::ChosenFile);
    if (previous >= 0)
        itemModel(m_list)->removeRow(previous);
    auto entry = createVersionItem(firmware);
    entry->setData(static_cast<int>(Kind::ChosenFile), kindRole);
    const int other = rowOfKind(Kind::Other);
    const int row = other >= 0 ? other : count() - 1;
    itemModel(m_list)->insertRow(row, entry.release());
    m_list->setCurrentIndex(row);
}

std::optional<feed::FirmwareOffer> VersionList::selectedOffer() const {
    const QStandardItem* entry = itemModel(m_list)->item(m_list->currentIndex());
    if (!entry || !entry->isEnabled() || !entry->data(offerRole).isValid())
        return std::nullopt;
    return entry->data(offerRole).value<feed::FirmwareOffer>();
}

FirmwarePtr VersionList::selectedFirmware() const {
    const std::optional<feed::FirmwareOffer> offer = selectedOffer();
    return offer ? offer->firmware : nullptr;
}

QString VersionList::keyOf(const feed::FirmwareOffer& offer) {
    return offer.release ? offer.release->sha256 : QString::fromStdString(offer.firmware->path());
}

int VersionList::rowOfKey(const QString& key) const {
    for (int row = 0; !key.isEmpty() && row < count(); ++row) {
        const QVariant offer = m_list->itemData(row, offerRole);
        if (offer.isValid() && keyOf(offer.value<feed::FirmwareOffer>()) == key)
            return row;
    }
    return -1;
}

void VersionList::refresh(const std::vector<feed::FirmwareOffer>& offers,
                          const std::set<std::string>& samples) {
    const Kind selectedKind = kindAt(m_list->currentIndex());
    const std::optional<feed::FirmwareOffer> selected = selectedOffer();
    const int chosenRow = rowOfKind(Kind::ChosenFile);
    const FirmwarePtr chosen =
        chosenRow >= 0
            ? m_list->itemData(chosenRow, offerRole).value<feed::FirmwareOffer>().firmware
            : nullptr;
    const unsigned generation = m_generation;
    rebuild(offers, rowOfKind(Kind::Other) >= 0, samples);
    // A file chooser opened before still answers for this list.
    m_generation = generation;
    if (chosen)
        addChosenFile(chosen);
    const int row = selectedKind == Kind::Other ? rowOfKind(Kind::Other)
                    : selected                  ? rowOfKey(keyOf(*selected))
                                                : -1;
    m_list->setCurrentIndex(row >= 0 ? row : count() - 1);
}

bool VersionList::isOtherSelected() const {
    return kindAt(m_list->currentIndex()) == Kind::Other;
}

int VersionList::count() const {
    return m_list->count();
}

VersionList::Kind VersionList::kindAt(int row) const {
    return static_cast<Kind>(m_list->itemData(row, kindRole).toInt());
}

void VersionList::insertAboveLast(std::unique_ptr<QStandardItem> entry) {
    itemModel(m_list)->insertRow(count() - 1, entry.release());
}

int VersionList::rowOfKind(Kind kind) const {
    for (int row = 0; row < count(); ++row) {
        if (kindAt(row) == kind)
            return row;
    }
    return -1;
}

} // namespace modflash
