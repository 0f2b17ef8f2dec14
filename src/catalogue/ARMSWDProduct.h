// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/Product.h"

namespace modflash {

// A module built on an STM32 chip, written over its SWD port through an ST-Link probe by
// openocd. Always factory-only.
class ARMSWDProduct : public Product {
public:
    ARMSWDProduct(std::string title, std::string prefix);

    static std::shared_ptr<const ARMSWDProduct> productWithTitle(std::string title,
                                                                 std::string prefix);

    UpdateTask createUpdateTask(const Firmware& firmware, const ResourceDirectory& resources,
                                const Preferences& preferences) const override;
};

} // namespace modflash
