// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/Product.h"

#include <map>
#include <string>
#include <string_view>
#include <vector>

namespace modflash {

// The fixed set of products the application can update, keyed by exact title, with the titles
// in the order the product list shows them.
class ProductCatalogue {
public:
    ProductCatalogue();

    // The product with exactly this title (case and every character count), or nothing.
    ProductPtr productWithTitle(std::string_view title) const;

    // The product a person typed: its title or its page name (the prefix trimmed of "_" and
    // "."), which is plain ASCII and so easier to type than "µTessary" or "Brûve". A title or
    // page name as written wins. Otherwise letter case is ignored, but only where no other
    // product fits too: "Glimmet" is the page name of "Glimmet (rev001)" in other letters and
    // begins "Glimmet (rev002)", so it names neither. Nothing for an unknown or ambiguous name.
    ProductPtr productNamed(std::string_view name) const;
    // The titles of the products an ambiguous name fits, in display order: those whose title or
    // page name is the name or begins with it, in any letter case. Empty unless some title or
    // page name is the name in other letters (a name that only begins titles is unknown).
    std::vector<std::string> candidateTitles(std::string_view name) const;
    // Every title close to a name that matched none, for a suggestion, in display order: a few
    // typing mistakes away, or beginning with the name. Empty when none is close enough.
    std::vector<std::string> nearestTitles(std::string_view name) const;

    const std::vector<std::string>& displayOrder() const { return m_displayOrder; }
    std::size_t size() const { return m_products.size(); }

    // Every product in display order.
    std::vector<ProductPtr> products() const;

private:
    std::map<std::string, ProductPtr, std::less<>> m_products;
    std::vector<std::string> m_displayOrder;
};

} // namespace modflash
