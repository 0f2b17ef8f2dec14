// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/VersionList.h"

#include "window/FirmwareMetaType.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QStandardItemModel>

namespace modflash {

namespace {

QStandardItemModel* itemModel(const QComboBox* list) {
    return qobject_cast<QStandardItemModel*>(list->model());
}

} // namespace

VersionList::VersionList(QComboBox* list)
    : m_list(list) {}

QString VersionList::placeholderTitle() {
    return QCoreApplication::translate("modflash::VersionList", "Select a version");
}

QString VersionList::otherTitle() {
    return QCoreApplication::translate("modflash::VersionList", "Other...");
}

std::unique_ptr<QStandardItem> VersionList::createVersionItem(const FirmwarePtr& firmware) {
    auto entry = std::make_unique<QStandardItem>(QString::fromStdString(firmware->version()));
    entry->setData(QVariant::fromValue(firmware), firmwareRole);
    entry->setData(static_cast<int>(Kind::Version), kindRole);
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

void VersionList::rebuild(const std::vector<FirmwarePtr>& firmware, bool offerOther,
                          const std::set<std::string>& samples) {
    reset();
    for (const FirmwarePtr& image : firmware) {
        auto entry = createVersionItem(image);
        const std::string& path = image->path();
        if (samples.contains(path.substr(path.rfind('/') + 1)))
            entry->setText(QCoreApplication::translate("modflash::VersionList", "%1 (sample)")
                               .arg(entry->text()));
        // Two files may give the same version text; the file's name tells them apart.
        entry->setToolTip(QString::fromStdString(path));
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

FirmwarePtr VersionList::selectedFirmware() const {
    const QStandardItem* entry = itemModel(m_list)->item(m_list->currentIndex());
    if (!entry || !entry->isEnabled())
        return nullptr;
    return entry->data(firmwareRole).value<FirmwarePtr>();
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
