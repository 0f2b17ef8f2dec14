// SPDX-License-Identifier: GPL-3.0-or-later
#include "DevicePresenceLine.h"

#include <QLabel>

namespace modflash {

DevicePresenceLine::DevicePresenceLine(QLabel* line, UsbDeviceSource& source,
                                       const Preferences& preferences, QObject* parent)
    : QObject(parent)
    , m_line(line)
    , m_presence(source, preferences) {
    connectSignals();
    show();
}

void DevicePresenceLine::connectSignals() {
    connect(&m_presence, &DevicePresence::textChanged, this, &DevicePresenceLine::show);
}

void DevicePresenceLine::show() {
    if (!m_line)
        return;
    m_line->setText(m_presence.text());
    // No product, no line: an empty label takes no room in the form.
    m_line->setVisible(!m_presence.text().isEmpty());
    const bool missing = m_presence.state() == DevicePresence::State::Missing;
    m_line->setStyleSheet(missing ? QStringLiteral("QLabel { color: #8a5a00; }") : QString());
}

} // namespace modflash
