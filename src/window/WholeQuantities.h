// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

namespace modflash {

// The text with a no-break space wherever a number meets the word after it ("1 MiB",
// "2,048 bytes"), so that a wrapping label breaks between phrases, never between a quantity
// and its unit. The words stay as the core and the translations give them.
QString keepQuantitiesWhole(const QString& text);

} // namespace modflash
