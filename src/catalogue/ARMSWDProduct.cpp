#include "ARMSWDProduct.h"

namespace modflash {

ARMSWDProduct::ARMSWDProduct(std::string title, std::string prefix)
    : Product(std::move(title), std::move(prefix), true) {}

std::shared_ptr<const ARMSWDProduct> ARMSWDProduct::productWithTitle(std::string title,
                                                                     std::string prefix) {
    return std::make_shared<const ARMSWDProduct>(std::move(title), std::move(prefix));
}

std::string_view ARMSWDProduct::family() const {
    return "swd";
}

std::string ARMSWDProduct::firmwareExtension() const {
    return "bin";
}

} // namespace modflash
