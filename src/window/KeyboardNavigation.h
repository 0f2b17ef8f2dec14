// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QComboBox>
#include <QElapsedTimer>
#include <QMenuBar>
#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <memory>

namespace modflash {

class ProductCatalogue;

// What the window's keyboard does beyond Qt's own: F10 opens the menus; typing in the product
// list finds a title by what can be typed ("u" finds "µTessary", through its page name) and
// never a hidden product; and moving through the closed version list never opens the file
// chooser: "Other..." opens it only when chosen from the open list or activated with Enter.
class KeyboardNavigation : public QObject {
    Q_OBJECT

public:
    // chooseOther opens the file chooser; chosen reports a product picked by typing.
    KeyboardNavigation(QMenuBar* menuBar, QComboBox* productList, QComboBox* versionList,
                       const ProductCatalogue& catalogue, std::function<void()> chooseOther,
                       std::function<void()> productChosen, QObject* parent = nullptr);
    ~KeyboardNavigation() override;

    // True while the version list changes because a key moved through the closed list: the
    // choice of "Other..." then waits for Enter.
    bool isMovingByKey() const { return m_movingByKey; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool productKey(QEvent* event);
    bool versionKey(QEvent* event);

    QPointer<QMenuBar> m_menuBar;
    QPointer<QComboBox> m_productList;
    QPointer<QComboBox> m_versionList;
    const ProductCatalogue& m_catalogue;
    std::function<void()> m_chooseOther;
    std::function<void()> m_productChosen;
    bool m_movingByKey = false;
    QString m_typed;
    QElapsedTimer m_sinceTyped;
};

} // namespace modflash
