// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/ARMSWDProduct.h"

#include "flashing/OpenocdProfile.h"

namespace modflash {

ARMSWDProduct::ARMSWDProduct(std::string title, std::string prefix)
    : Product(std::move(title), std::move(prefix), true, OpenocdProfile::instance()) {}

std::shared_ptr<const ARMSWDProduct> ARMSWDProduct::productWithTitle(std::string title,
                                                                     std::string prefix) {
    return std::make_shared<const ARMSWDProduct>(std::move(title), std::move(prefix));
}

UpdateTask ARMSWDProduct::createUpdateTask(const Firmware& firmware,
                                           const ResourceDirectory& resources,
                                           const Preferences& preferences) const {
    return OpenocdProfile::instance().command(firmware, resources, preferences);
}

} // namespace modflash
