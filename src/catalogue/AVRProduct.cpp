#include "AVRProduct.h"

namespace modflash {

AVRProduct::AVRProduct(std::string title, std::string prefix, std::int32_t cpu, bool factoryOnly)
    : Product(std::move(title), std::move(prefix), factoryOnly)
    , m_cpu(cpu) {}

std::shared_ptr<const AVRProduct>
AVRProduct::productWithTitle(std::string title, std::string prefix, std::int32_t cpu) {
    return productWithTitle(std::move(title), std::move(prefix), cpu, false);
}

std::shared_ptr<const AVRProduct> AVRProduct::productWithTitle(std::string title,
                                                               std::string prefix, std::int32_t cpu,
                                                               bool factoryOnly) {
    return std::make_shared<const AVRProduct>(std::move(title), std::move(prefix), cpu,
                                              factoryOnly);
}

std::string_view AVRProduct::family() const {
    return "avr";
}

} // namespace modflash
