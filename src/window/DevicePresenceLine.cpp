// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/DevicePresenceLine.h"

#include "window/ReadableColour.h"

#include <QEvent>
#include <QLabel>

namespace modflash {

DevicePresenceLine::DevicePresenceLine(QLabel* line, UsbDeviceSource& source,
                                       const Preferences& preferences, QObject* parent)
    : QObject(parent)
    , m_line(line)
    , m_presence(source, preferences) {
    connectSignals();
    show();
    ReadableColour::followPalette(m_line, this, [this] { show(); });
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
    ReadableColour::setTextHue(m_line, missing ? QColor(0x8a, 0x5a, 0x00) : QColor());
}

} // namespace modflash
