// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/ARMProduct.h"

#include "flashing/DfuUtilProfile.h"

namespace modflash {

ARMProduct::ARMProduct(std::string title, std::string prefix, std::string address,
                       std::string device, bool factoryOnly)
    : Product(std::move(title), std::move(prefix), factoryOnly, DfuUtilProfile::instance())
    , m_address(std::move(address))
    , m_device(std::move(device)) {}

std::shared_ptr<const ARMProduct> ARMProduct::productWithTitle(std::string title,
                                                               std::string prefix) {
    return productWithTitle(std::move(title), std::move(prefix), std::string(defaultAddress));
}

std::shared_ptr<const ARMProduct>
ARMProduct::productWithTitle(std::string title, std::string prefix, bool factoryOnly) {
    return std::make_shared<const ARMProduct>(std::move(title), std::move(prefix), defaultAddress,
                                              defaultDevice, factoryOnly);
}

std::shared_ptr<const ARMProduct>
ARMProduct::productWithTitle(std::string title, std::string prefix, std::string address) {
    return productWithTitle(std::move(title), std::move(prefix), std::move(address),
                            std::string(defaultDevice));
}

std::shared_ptr<const ARMProduct>
ARMProduct::productWithTitle(std::string title, std::string prefix, const char* address) {
    return productWithTitle(std::move(title), std::move(prefix), std::string(address));
}

std::shared_ptr<const ARMProduct> ARMProduct::productWithTitle(std::string title,
                                                               std::string prefix,
                                                               std::string address,
                                                               std::string device) {
    return std::make_shared<const ARMProduct>(std::move(title), std::move(prefix),
                                              std::move(address), std::move(device), false);
}

UpdateTask ARMProduct::createUpdateTask(const Firmware& firmware,
                                        const ResourceDirectory& resources,
                                        const Preferences& preferences) const {
    return DfuUtilProfile::instance().command(m_address, m_device, firmware, resources,
                                              preferences);
}

std::optional<DeviceRequirement> ARMProduct::requiredDevice(const Preferences&) const {
    return DfuUtilProfile::instance().bootLoader(m_device);
}

} // namespace modflash
