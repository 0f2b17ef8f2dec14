// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/KeyboardNavigation.h"

#include "catalogue/ProductCatalogue.h"
#include "window/VersionList.h"

#include <QApplication>
#include <QComboBox>
#include <QKeyEvent>
#include <QMenuBar>
#include <QShortcut>
#include <QStandardItemModel>

namespace modflash {

KeyboardNavigation::KeyboardNavigation(QMenuBar* menuBar, QComboBox* productList,
                                       QComboBox* versionList, const ProductCatalogue& catalogue,
                                       std::function<void()> chooseOther,
                                       std::function<void()> productChosen, QObject* parent)
    : QObject(parent)
    , m_menuBar(menuBar)
    , m_productList(productList)
    , m_versionList(versionList)
    , m_catalogue(catalogue)
    , m_chooseOther(std::move(chooseOther))
    , m_productChosen(std::move(productChosen)) {
    // F10 opens the menus, as in the desktops' own applications.
    // The shortcut belongs to the window, which may go before this object does.
    const auto* f10 = new QShortcut(QKeySequence(Qt::Key_F10), m_menuBar->window());
    connect(f10, &QShortcut::activated, this, [this] {
        if (m_menuBar && !m_menuBar->actions().isEmpty())
            m_menuBar->setActiveAction(m_menuBar->actions().first());
    });
    m_productList->installEventFilter(this);
    m_versionList->installEventFilter(this);
}

KeyboardNavigation::~KeyboardNavigation() = default;

bool KeyboardNavigation::eventFilter(QObject* watched, QEvent* event) {
    // The type first: a list being destroyed still sends events, and is by then no combo box
    // to compare with (the pointers' cast to one is undefined).
    const QEvent::Type type = event->type();
    if (type == QEvent::KeyPress && watched == m_productList)
        return productKey(event);
    if ((type == QEvent::KeyPress || type == QEvent::Wheel) && watched == m_versionList)
        return versionKey(event);
    return QObject::eventFilter(watched, event);
}

bool KeyboardNavigation::productKey(QEvent* event) {
    const auto* key = static_cast<QKeyEvent*>(event);
    const QString text = key->text();
    if (text.isEmpty() || !text.at(0).isPrint() || key->modifiers() & ~Qt::ShiftModifier)
        return false;
    // Letters typed close together search on; after a pause a new search starts.
    if (!m_sinceTyped.isValid() || m_sinceTyped.elapsed() > QApplication::keyboardInputInterval())
        m_typed.clear();
    m_typed += text;
    m_sinceTyped.start();
    const auto* model = qobject_cast<QStandardItemModel*>(m_productList->model());
    for (int row = 0; row < m_productList->count(); ++row) {
        const QStandardItem* item = model->item(row);
        const ProductPtr product =
            m_catalogue.productWithTitle(m_productList->itemText(row).toStdString());
        if (!product || !item->isEnabled())
            continue;
        const QString title = QString::fromStdString(product->title());
        const QString page = QString::fromStdString(product->pageName());
        if (title.startsWith(m_typed, Qt::CaseInsensitive) ||
            page.startsWith(m_typed, Qt::CaseInsensitive)) {
            if (row != m_productList->currentIndex()) {
                m_productList->setCurrentIndex(row);
                m_productChosen();
            }
            break;
        }
    }
    return true;
}

bool KeyboardNavigation::versionKey(QEvent* event) {
    const bool otherIsCurrent = m_versionList->currentData(VersionList::kindRole).toInt() ==
                                static_cast<int>(VersionList::Kind::Other);
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && otherIsCurrent) {
            m_chooseOther();
            return true;
        }
    }
    // The list handles the key (arrows, paging, a typed letter) or the wheel itself; what it
    // activates meanwhile was moved to, not chosen.
    m_movingByKey = true;
    QMetaObject::invokeMethod(
        this, [this] { m_movingByKey = false; }, Qt::QueuedConnection);
    return false;
}

} // namespace modflash
