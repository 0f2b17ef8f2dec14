// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/AVRProduct.h"

#include "catalogue/ProductCatalogue.h"
#include "flashing/AvrdudeProfile.h"

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

const FamilyProfile& AVRProduct::profile() const {
    return AvrdudeProfile::instance();
}

UpdateTask AVRProduct::createUpdateTask(const Firmware& firmware,
                                        const ResourceDirectory& resources,
                                        const Preferences& preferences) const {
    return AvrdudeProfile::instance().command(m_cpu, firmware, resources, preferences);
}

std::optional<DeviceRequirement> AVRProduct::requiredDevice(const Preferences& preferences) const {
    return AvrdudeProfile::instance().requiredDevice(preferences);
}

std::optional<ImageCheck::Requirements> AVRProduct::imageRequirements() const {
    return AvrdudeProfile::instance().imageRequirements(m_cpu);
}

std::optional<UpdateTask> AVRProduct::moduleCheckTask(const ResourceDirectory& resources,
                                                      const Preferences& preferences) const {
    return AvrdudeProfile::instance().signatureCommand(m_cpu, resources, preferences);
}

ModuleVerdict AVRProduct::judgeModule(std::string_view checkOutput, const ToolEnd& checkEnd) const {
    return AvrdudeProfile::instance().judgeModule(checkOutput, checkEnd, {title(), m_cpu},
                                                  catalogueAvrProducts());
}

std::vector<AvrProductChip> AVRProduct::catalogueAvrProducts() {
    // Every AVR product of the catalogue, in its display order, may own the module found.
    std::vector<AvrProductChip> products;
    for (const ProductPtr& product : ProductCatalogue().products())
        if (const auto* avr = dynamic_cast<const AVRProduct*>(product.get()))
            products.push_back({avr->title(), avr->cpu()});
    return products;
}

std::string AVRProduct::chipName() const {
    const AvrChip* chip = AvrChips::at(m_cpu);
    return chip ? std::string(chip->name) : std::string();
}

} // namespace modflash
