// SPDX-License-Identifier: GPL-3.0-or-later
#include "update/DevicePresence.h"

#include "flashing/CheckText.h"
#include "flashing/DeviceRequirement.h"
#include "flashing/DfuseLayout.h"
#include "update/UsbDeviceSource.h"

#include <QCoreApplication>

namespace modflash {

DevicePresence::DevicePresence(UsbDeviceSource& source, const Preferences& preferences,
                               QObject* parent)
    : QObject(parent)
    , m_source(source)
    , m_preferences(preferences) {
    connectSignals();
}

void DevicePresence::connectSignals() {
    connect(&m_source, &UsbDeviceSource::devicesChanged, this, &DevicePresence::refresh);
}

void DevicePresence::setProduct(ProductPtr product) {
    m_product = std::move(product);
    refresh();
}

// ", 1 MiB flash" after the device's name, from the memory its boot loader describes.
std::string DevicePresence::flashOf(UsbId id, std::optional<std::uint64_t>& flash) const {
    const auto name = m_source.dfuMemoryLayout(id);
    if (!name)
        return {};
    flash = DfuseLayout::flashForImages(*name);
    if (!flash)
        return {};
    return QCoreApplication::translate("modflash::DevicePresence", ", %1 flash")
        .arg(QString::fromStdString(memorySize(*flash)))
        .toStdString();
}

void DevicePresence::refresh() {
    State state = State::NoProduct;
    std::string text;
    std::optional<std::uint64_t> flash;
    const auto requirement = m_product ? m_product->requiredDevice(m_preferences) : std::nullopt;
    if (requirement) {
        if (!m_source.isAvailable()) {
            state = State::CannotCheck;
            text = QCoreApplication::translate("modflash::DevicePresence",
                                               "USB devices cannot be listed on this computer, so "
                                               "modflash cannot check for the %1")
                       .arg(QString::fromStdString(requirement->deviceName()))
                       .toStdString();
        } else {
            const auto present = m_source.devices();
            state = !requirement->canCheck()        ? State::CannotCheck
                    : requirement->isMetBy(present) ? State::Found
                                                    : State::Missing;
            text = requirement->message(present);
            if (state == State::Found && requirement->describesMemory())
                text += flashOf(*requirement->presentId(present), flash);
        }
    }
    m_state = state;
    if (flash != m_connectedFlash) {
        m_connectedFlash = flash;
        emit connectedFlashChanged();
    }
    const QString next = QString::fromStdString(text);
    if (next == m_text)
        return;
    m_text = next;
    emit textChanged(m_text);
}

} // namespace modflash
