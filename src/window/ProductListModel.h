// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QString>

#include <string>
#include <vector>

class QComboBox;
class QStandardItem;

namespace modflash {

// The product list's entries: a placeholder, then one entry per product title. An entry that
// is not offered is both hidden in the pop-up and disabled, because a row that is only hidden
// is still reached by the arrow keys, the wheel and typing its first letter.
class ProductListModel {
public:
    static constexpr int placeholderRow = 0;

    explicit ProductListModel(QComboBox* list);

    static QString placeholderTitle();

    // The placeholder, disabled and selected, then the titles in the given order.
    void fill(const std::vector<std::string>& titles);
    void setOffered(int row, bool offered);
    bool isOffered(int row) const;

    int count() const;
    QString titleAt(int row) const;
    bool isSelectedEnabled() const;
    QString selectedTitle() const;

private:
    QStandardItem* item(int row) const;
    void fitPopupToTitles();
    void setRowHidden(int row, bool hidden);

    QPointer<QComboBox> m_list;
};

} // namespace modflash
