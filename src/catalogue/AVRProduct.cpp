// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/AVRProduct.h"

#include "catalogue/ProductCatalogue.h"
#include "flashing/AvrdudeProfile.h"

#include <stdexcept>

namespace modflash {

AVRProduct::AVRProduct(std::string title, std::string prefix, AvrChipId chip, bool factoryOnly)
    : Product(std::move(title), std::move(prefix), factoryOnly, AvrdudeProfile::instance())
    , m_chip(chip) {}

std::shared_ptr<const AVRProduct> AVRProduct::productWithTitle(std::string title,
                                                               std::string prefix, AvrChipId chip,
                                                               bool factoryOnly) {
    return std::make_shared<const AVRProduct>(std::move(title), std::move(prefix), chip,
                                              factoryOnly);
}

std::shared_ptr<const AVRProduct> AVRProduct::productWithTitle(std::string title,
                                                               std::string prefix, std::int32_t cpu,
                                                               bool factoryOnly) {
    if (cpu < 0 || static_cast<std::size_t>(cpu) >= AvrChips::all().size())
        throw std::out_of_range("no AVR chip is known for number " + std::to_string(cpu) +
                                " of product \"" + title + "\"");
    return productWithTitle(std::move(title), std::move(prefix), static_cast<AvrChipId>(cpu),
                            factoryOnly);
}

UpdateTask AVRProduct::createUpdateTask(const Firmware& firmware,
                                        const ResourceDirectory& resources,
                                        const Preferences& preferences) const {
    return AvrdudeProfile::instance().command(m_chip, firmware, resources, preferences);
}

std::optional<ImageCheck::Requirements> AVRProduct::imageRequirements() const {
    return ImageCheck::Requirements::forAvrChip(AvrChips::chip(m_chip));
}

std::optional<UpdateTask> AVRProduct::moduleCheckTask(const ResourceDirectory& resources,
                                                      const Preferences& preferences) const {
    return AvrdudeProfile::instance().signatureCommand(m_chip, resources, preferences);
}

ModuleVerdict AVRProduct::judgeModule(std::string_view checkOutput, const ToolEnd& checkEnd) const {
    return AvrdudeProfile::instance().judgeModule(checkOutput, checkEnd, {title(), m_chip},
                                                  catalogueAvrProducts());
}

std::vector<AvrProductChip> AVRProduct::catalogueAvrProducts() {
    // Every AVR product of the catalogue, in its display order, may own the module found.
    std::vector<AvrProductChip> products;
    for (const ProductPtr& product : ProductCatalogue().products())
        if (const auto* avr = dynamic_cast<const AVRProduct*>(product.get()))
            products.push_back({avr->title(), avr->chip()});
    return products;
}

std::string AVRProduct::chipName() const {
    return std::string(AvrChips::chip(m_chip).name);
}

} // namespace modflash
