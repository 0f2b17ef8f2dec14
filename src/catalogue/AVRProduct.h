// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/Product.h"

#include <cstdint>

namespace modflash {

// A module built on an AVR chip, written by avrdude through a USB programmer.
class AVRProduct : public Product {
public:
    AVRProduct(std::string title, std::string prefix, std::int32_t cpu, bool factoryOnly);

    static std::shared_ptr<const AVRProduct> productWithTitle(std::string title, std::string prefix,
                                                              std::int32_t cpu);
    static std::shared_ptr<const AVRProduct> productWithTitle(std::string title, std::string prefix,
                                                              std::int32_t cpu, bool factoryOnly);

    // Index into the chip table: 0 atmega168, 1 atmega328, 2 attiny44, 3 attiny45, 4 attiny85.
    std::int32_t cpu() const { return m_cpu; }

    const FamilyProfile& profile() const override;
    UpdateTask createUpdateTask(const Firmware& firmware, const ResourceDirectory& resources,
                                const Preferences& preferences) const override;
    std::optional<DeviceRequirement> requiredDevice(const Preferences& preferences) const override;
    std::optional<ImageCheck::Requirements> imageRequirements() const override;
    std::optional<UpdateTask> moduleCheckTask(const ResourceDirectory& resources,
                                              const Preferences& preferences) const override;
    ModuleVerdict judgeModule(std::string_view checkOutput, const ToolEnd& checkEnd) const override;
    std::string chipName() const override;

private:
    // The AVR products of the catalogue, in its display order: who may own a module found.
    static std::vector<AvrProductChip> catalogueAvrProducts();

    std::int32_t m_cpu;
};

} // namespace modflash
