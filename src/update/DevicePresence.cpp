// SPDX-License-Identifier: GPL-3.0-or-later
#include "update/DevicePresence.h"

#include "flashing/DeviceRequirement.h"
#include "flashing/DfuseLayout.h"
#include "flashing/UsbAccess.h"
#include "flashing/Wording.h"
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
    m_afterUpdate = AfterUpdate::Nothing;
    refresh();
}

void DevicePresence::updateStarted() {
    const bool there = m_state == State::Found || m_state == State::Refused;
    m_afterUpdate = there ? AfterUpdate::WasThere : AfterUpdate::Nothing;
}

void DevicePresence::updateEnded(bool succeeded) {
    const auto requirement = m_product ? m_product->requiredDevice(m_preferences) : std::nullopt;
    m_afterUpdate = succeeded && requirement && requirement->leavesAfterUpdate() &&
                            m_afterUpdate == AfterUpdate::WasThere
                        ? AfterUpdate::Leaving
                        : AfterUpdate::Nothing;
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
        .arg(QString::fromStdString(Wording::user().memorySize(*flash)))
        .toStdString();
}

DevicePresence::State DevicePresence::stateOf(const DeviceRequirement& requirement,
                                              const std::vector<UsbId>& present,
                                              std::string& text) {
    text = requirement.message(present);
    if (!requirement.canCheck())
        return State::CannotCheck;
    const std::optional<UsbId> found = requirement.presentId(present);
    if (!found) {
        // The boot loader gave way to the new firmware; whether it goes before or after the
        // update's end is the bus's timing.
        if (m_afterUpdate != AfterUpdate::Leaving && m_afterUpdate != AfterUpdate::Left)
            return State::Missing;
        m_afterUpdate = AfterUpdate::Left;
        text = requirement.leftMessage();
        return State::LeftAfterUpdate;
    }
    if (m_afterUpdate == AfterUpdate::Left)
        m_afterUpdate = AfterUpdate::Nothing; // back for another update
    if (!m_source.mayOpen(*found)) {
        text = requirement.refusedMessage(*found);
        return State::Refused;
    }
    return State::Found;
}

void DevicePresence::refresh() {
    State state = State::NoProduct;
    std::string text;
    std::optional<std::uint64_t> flash;
    QString advice;
    const auto requirement = m_product ? m_product->requiredDevice(m_preferences) : std::nullopt;
    if (requirement && !m_source.isAvailable()) {
        state = State::CannotCheck;
        text = QCoreApplication::translate("modflash::DevicePresence",
                                           "USB devices cannot be listed on this computer, so "
                                           "modflash cannot check for the %1")
                   .arg(QString::fromStdString(requirement->deviceName()))
                   .toStdString();
    } else if (requirement) {
        const auto present = m_source.devices();
        state = stateOf(*requirement, present, text);
        if (state == State::Found && requirement->describesMemory())
            text += flashOf(*requirement->presentId(present), flash);
        if (state == State::Refused)
            advice = QString::fromStdString(UsbAccess().advice(requirement));
    }
    m_state = state;
    m_accessAdvice = advice;
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
