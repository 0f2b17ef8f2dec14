// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/ButtonConfirmation.h"

#include <QPushButton>

namespace modflash {

ButtonConfirmation::ButtonConfirmation(QPushButton* button, QObject* parent)
    : QObject(parent)
    , m_button(button) {
    m_timer.setSingleShot(true);
    m_timer.setInterval(shownFor);
    m_timer.callOnTimeout(this, &ButtonConfirmation::restore);
}

void ButtonConfirmation::confirm(const QString& text) {
    if (!m_button)
        return;
    if (!m_timer.isActive()) {
        m_ownText = m_button->text();
        // The button keeps its width, so the verdict beside it does not move.
        m_button->setMinimumWidth(m_button->sizeHint().width());
    }
    m_button->setText(text);
    // Its key works on, though the confirmation has no mnemonic of its own.
    m_button->setShortcut(QKeySequence::mnemonic(m_ownText));
    m_timer.start();
}

void ButtonConfirmation::restore() {
    if (!m_button)
        return;
    m_button->setText(m_ownText);
    m_button->setMinimumWidth(0);
}

} // namespace modflash
