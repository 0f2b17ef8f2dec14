#include "DevicePresence.h"

#include "DeviceRequirement.h"
#include "UsbDeviceSource.h"

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

void DevicePresence::refresh() {
    State state = State::NoProduct;
    std::string text;
    const auto requirement = m_product ? m_product->requiredDevice(m_preferences) : std::nullopt;
    if (requirement) {
        if (!m_source.isAvailable()) {
            state = State::CannotCheck;
            text = "USB devices cannot be listed on this computer, so modflash cannot check for "
                   "the " +
                   requirement->deviceName();
        } else {
            const auto present = m_source.devices();
            state = !requirement->canCheck()        ? State::CannotCheck
                    : requirement->isMetBy(present) ? State::Found
                                                    : State::Missing;
            text = requirement->message(present);
        }
    }
    m_state = state;
    const QString next = QString::fromStdString(text);
    if (next == m_text)
        return;
    m_text = next;
    emit textChanged(m_text);
}

} // namespace modflash
