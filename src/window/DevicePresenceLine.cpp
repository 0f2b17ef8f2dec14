// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/DevicePresenceLine.h"

#include "window/ReadableColour.h"
#include "window/WholeQuantities.h"

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
    m_line->setText(keepQuantitiesWhole(m_presence.text()));
    // No product, no line: an empty label takes no room in the form.
    m_line->setVisible(!m_presence.text().isEmpty());
    // What the person must act on stands out; a boot loader gone after an update is no fault.
    const DevicePresence::State state = m_presence.state();
    const bool act =
        state == DevicePresence::State::Missing || state == DevicePresence::State::Refused;
    ReadableColour::setTextHue(m_line, act ? ReadableColour::caution : QColor());
    // The access advice is long; the line names the problem and its tip says what to do.
    m_line->setToolTip(m_presence.accessAdvice());
}

} // namespace modflash
