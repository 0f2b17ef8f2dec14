// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "Product.h"

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
    // "."), which is plain ASCII and so easier to type than "µTessary" or "Brûve". An exact
    // match wins; otherwise letter case is ignored.
    ProductPtr productNamed(std::string_view name) const;
    // The titles closest to a name that matched none, for a suggestion; empty when none is
    // close enough to be what was meant.
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
