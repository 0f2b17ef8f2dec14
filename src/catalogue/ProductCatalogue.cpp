#include "ProductCatalogue.h"

#include "ARMProduct.h"
#include "ARMSWDProduct.h"
#include "AVRProduct.h"
#include "TitleOrder.h"

#include <algorithm>

namespace modflash {

namespace {

// AVR chip table indexes.
constexpr std::int32_t atmega168 = 0;
constexpr std::int32_t atmega328 = 1;
constexpr std::int32_t attiny44 = 2;
constexpr std::int32_t attiny45 = 3;
constexpr std::int32_t attiny85 = 4;

std::vector<ProductPtr> makeProducts() {
    using ARM = ARMProduct;
    using AVR = AVRProduct;
    using SWD = ARMSWDProduct;
    return {
        SWD::productWithTitle("Zembro", "zembro_"),
        AVR::productWithTitle("Kolvane", "kolvane_", attiny85, true),
        ARM::productWithTitle("Kolvanix", "Kolvanix.", true),
        ARM::productWithTitle("Wendrel", "Wendrel."),
        ARM::productWithTitle("Gossam", "Gossam."),
        AVR::productWithTitle("Parvonne (rev008 or Lower)", "parvonne0_", atmega328),
        AVR::productWithTitle("Parvonne (rev009 or Higher)", "parvonne_", atmega328),
        ARM::productWithTitle("Parvonix", "Parvonne2."),
        ARM::productWithTitle("Tessary 1U (rev001)", "Tessary_1U_f0."),
        ARM::productWithTitle("Tessary 1U (rev002)", "Tessary_1U_f4."),
        ARM::productWithTitle("Fennick", "Fennick."),
        AVR::productWithTitle("Drovel", "drovel_", atmega168),
        SWD::productWithTitle("Hobblewick", "hobblewick_"),
        ARM::productWithTitle("Vishtar 2", "Vishtar2."),
        AVR::productWithTitle("Lurrow Set 1U", "lurrow_1u_", attiny45, true),
        AVR::productWithTitle("Vump", "vump_", atmega168, true),
        ARM::productWithTitle("Hasko", "hasko_"),
        AVR::productWithTitle("Ostrine", "ostrine_", atmega328),
        ARM::productWithTitle("Belvox", "Belvox."),
        ARM::productWithTitle("Scintel Display (rev001)", "scintel_"),
        ARM::productWithTitle("Scintel Display (rev002)", "ScintelF4.", true),
        ARM::productWithTitle("Mirrins (rev001)", "Mirrins_f0."),
        ARM::productWithTitle("Mirrins (rev002)", "Mirrins_f4."),
        ARM::productWithTitle("Dunmere", "Dunmere."),
        ARM::productWithTitle("Glimmet (rev001)", "glimmet_"),
        ARM::productWithTitle("Glimmet (rev002)", "Glimmet_f4."),
        ARM::productWithTitle("Nobbin 1U (rev001/rev002) and 3U (rev001)", "Nobbin_f0."),
        ARM::productWithTitle("Nobbin 1U (rev003) and 3U (rev002)", "Nobbin_f4."),
        ARM::productWithTitle("Purlane", "Purlane."),
        ARM::productWithTitle("Br\u00fbve", "Bruve."),
        AVR::productWithTitle("Ketterel", "ketterel_", attiny44, true),
        ARM::productWithTitle("Fosker 1U", "fosker_1u_"),
        ARM::productWithTitle("\u00b5Tessary", "uTessary_"),
        ARM::productWithTitle("\u00b5Tessary 1U", "uTessary1U_"),
        AVR::productWithTitle("\u00b5Nobb", "unobb_", atmega168, true),
        AVR::productWithTitle("\u00b5Mirrin II Rev011 or Higher", "uMirrin_", atmega328, true),
    };
}

} // namespace

ProductCatalogue::ProductCatalogue() {
    for (auto& product : makeProducts()) {
        m_displayOrder.push_back(product->title());
        m_products.emplace(product->title(), std::move(product));
    }
    std::stable_sort(m_displayOrder.begin(), m_displayOrder.end(), lessCaseInsensitive);
}

ProductPtr ProductCatalogue::productWithTitle(std::string_view title) const {
    const auto it = m_products.find(title);
    return it == m_products.end() ? nullptr : it->second;
}

ProductPtr ProductCatalogue::productNamed(std::string_view name) const {
    if (auto product = productWithTitle(name))
        return product;
    for (const auto& [title, product] : m_products) {
        if (!name.empty() && product->pageName() == name)
            return product;
    }
    return nullptr;
}

std::vector<ProductPtr> ProductCatalogue::products() const {
    std::vector<ProductPtr> ordered;
    ordered.reserve(m_displayOrder.size());
    for (const auto& title : m_displayOrder)
        ordered.push_back(m_products.at(title));
    return ordered;
}

} // namespace modflash
