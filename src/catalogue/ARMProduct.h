// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/Product.h"
#include "flashing/DfuUtilProfile.h"

namespace modflash {

// A module built on an STM32 chip, written through its USB DFU boot loader by dfu-util.
class ARMProduct : public Product {
public:
    static constexpr const char* defaultAddress = "0x08000000";
    static constexpr const char* defaultDevice = DfuUtilProfile::defaultDevice;

    ARMProduct(std::string title, std::string prefix, std::string address, std::string device,
               bool factoryOnly);

    static std::shared_ptr<const ARMProduct> productWithTitle(std::string title,
                                                              std::string prefix);
    static std::shared_ptr<const ARMProduct> productWithTitle(std::string title, std::string prefix,
                                                              bool factoryOnly);
    static std::shared_ptr<const ARMProduct> productWithTitle(std::string title, std::string prefix,
                                                              std::string address);
    // Without this, an address written as a literal would convert to bool and silently pick
    // the factory-only overload.
    static std::shared_ptr<const ARMProduct> productWithTitle(std::string title, std::string prefix,
                                                              const char* address);
    static std::shared_ptr<const ARMProduct> productWithTitle(std::string title, std::string prefix,
                                                              std::string address,
                                                              std::string device);

    // Flash address and boot loader vendor:product id, as dfu-util takes them.
    const std::string& address() const { return m_address; }
    const std::string& device() const { return m_device; }

    UpdateTask createUpdateTask(const Firmware& firmware, const ResourceDirectory& resources,
                                const Preferences& preferences) const override;
    // The boot loader with the product's device id.
    std::optional<DeviceRequirement> requiredDevice(const Preferences& preferences) const override;

private:
    std::string m_address;
    std::string m_device;
};

} // namespace modflash
