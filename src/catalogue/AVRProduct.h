// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/Product.h"
#include "flashing/AvrChips.h"

#include <cstdint>

namespace modflash {

// A module built on an AVR chip, written by avrdude through a USB programmer.
class AVRProduct : public Product {
public:
    AVRProduct(std::string title, std::string prefix, AvrChipId chip, bool factoryOnly);

    static std::shared_ptr<const AVRProduct> productWithTitle(std::string title, std::string prefix,
                                                              AvrChipId chip,
                                                              bool factoryOnly = false);
    // cpu numbers the chips from 0 in the order of AvrChipId. Another number names no chip
    // whose fuses could be written safely, so it makes no product: throws std::out_of_range.
    static std::shared_ptr<const AVRProduct> productWithTitle(std::string title, std::string prefix,
                                                              std::int32_t cpu,
                                                              bool factoryOnly = false);

    AvrChipId chip() const { return m_chip; }

    UpdateTask createUpdateTask(const Firmware& firmware, const ResourceDirectory& resources,
                                const Preferences& preferences) const override;
    std::optional<ImageCheck::Requirements> imageRequirements() const override;
    std::optional<UpdateTask> moduleCheckTask(const ResourceDirectory& resources,
                                              const Preferences& preferences) const override;
    ModuleVerdict judgeModule(std::string_view checkOutput, const ToolEnd& checkEnd) const override;
    std::string chipName() const override;

private:
    // The AVR products of the catalogue, in its display order: who may own a module found.
    static std::vector<AvrProductChip> catalogueAvrProducts();

    AvrChipId m_chip;
};

} // namespace modflash
