// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/ProductListModel.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QListView>
#include <QScrollBar>
#include <QStandardItemModel>

namespace modflash {

ProductListModel::ProductListModel(QComboBox* list)
    : m_list(list) {}

QString ProductListModel::placeholderTitle() {
    return QCoreApplication::translate("modflash::ProductListModel", "Select a product");
}

void ProductListModel::fill(const std::vector<std::string>& titles) {
    m_list->clear();
    m_list->addItem(placeholderTitle());
    for (const std::string& title : titles) {
        const QString text = QString::fromStdString(title);
        // Wherever a title is cut, its tip tells it whole.
        m_list->addItem(text);
        m_list->setItemData(m_list->count() - 1, text, Qt::ToolTipRole);
    }
    if (QStandardItem* placeholder = item(placeholderRow))
        placeholder->setEnabled(false);
    m_list->setCurrentIndex(placeholderRow);
    fitPopupToTitles();
}

void ProductListModel::fitPopupToTitles() {
    // Titles differ only at their ends ("... 1U (rev001/rev002) and 3U (rev001)"), so the
    // pop-up is made wide enough for the longest, with room for a scroll bar.
    QAbstractItemView* view = m_list->view();
    const int widest = view->sizeHintForColumn(0);
    const int scrollBar = view->verticalScrollBar()->sizeHint().width();
    view->setMinimumWidth(widest + scrollBar + 2 * view->frameWidth());
}

void ProductListModel::setOffered(int row, bool offered) {
    if (QStandardItem* entry = item(row))
        entry->setEnabled(offered);
    setRowHidden(row, !offered);
}

bool ProductListModel::isOffered(int row) const {
    const QStandardItem* entry = item(row);
    const auto* view = qobject_cast<const QListView*>(m_list->view());
    return entry && entry->isEnabled() && view && !view->isRowHidden(row);
}

int ProductListModel::count() const {
    return m_list->count();
}

QString ProductListModel::titleAt(int row) const {
    return m_list->itemText(row);
}

bool ProductListModel::isSelectedEnabled() const {
    const QStandardItem* entry = item(m_list->currentIndex());
    return entry && entry->isEnabled();
}

QString ProductListModel::selectedTitle() const {
    return m_list->currentText();
}

QStandardItem* ProductListModel::item(int row) const {
    auto* model = qobject_cast<QStandardItemModel*>(m_list->model());
    return model ? model->item(row) : nullptr;
}

void ProductListModel::setRowHidden(int row, bool hidden) {
    if (auto* view = qobject_cast<QListView*>(m_list->view()))
        view->setRowHidden(row, hidden);
}

} // namespace modflash
