// SPDX-License-Identifier: GPL-3.0-or-later
#include "catalogue/ProductCatalogue.h"

#include "catalogue/ARMProduct.h"
#include "catalogue/ARMSWDProduct.h"
#include "catalogue/AVRProduct.h"
#include "catalogue/CloseNames.h"
#include "catalogue/TitleOrder.h"

#include <algorithm>

namespace modflash {

namespace {

std::vector<ProductPtr> makeProducts() {
    using ARM = ARMProduct;
    using AVR = AVRProduct;
    using SWD = ARMSWDProduct;
    using enum AvrChipId;
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
        if (product->pageName() == name)
            return product;
    }
    const std::vector<std::string> candidates = candidateTitles(name);
    return candidates.size() == 1 ? productWithTitle(candidates.front()) : nullptr;
}

std::vector<std::string> ProductCatalogue::candidateTitles(std::string_view name) const {
    const auto fits = [name](std::string_view text, bool orBegins) {
        // Letters fold to letters of the same length in UTF-8, so the first bytes will do.
        return compareCaseInsensitive(orBegins ? text.substr(0, name.size()) : text, name) == 0;
    };
    std::vector<std::string> candidates;
    bool namedInOtherLetters = false;
    for (const auto& title : m_displayOrder) {
        const std::string pageName = m_products.at(title)->pageName();
        namedInOtherLetters = namedInOtherLetters || fits(title, false) || fits(pageName, false);
        if (fits(title, true) || fits(pageName, true))
            candidates.push_back(title);
    }
    if (name.empty() || !namedInOtherLetters)
        return {};
    return candidates;
}

std::vector<std::string> ProductCatalogue::nearestTitles(std::string_view name) const {
    std::vector<std::string> nearest;
    for (const auto& title : m_displayOrder)
        if (isCloseName(name, title) || isCloseName(name, m_products.at(title)->pageName()))
            nearest.push_back(title);
    return nearest;
}

std::vector<ProductPtr> ProductCatalogue::products() const {
    std::vector<ProductPtr> ordered;
    ordered.reserve(m_displayOrder.size());
    for (const auto& title : m_displayOrder)
        ordered.push_back(m_products.at(title));
    return ordered;
}

} // namespace modflash
