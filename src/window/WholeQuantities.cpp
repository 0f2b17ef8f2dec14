// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/WholeQuantities.h"

#include <QRegularExpression>

namespace modflash {

QString keepQuantitiesWhole(const QString& text) {
    // A digit, ordinary spaces, then a letter or a percent sign: any unit in any language.
    static const QRegularExpression gap(QStringLiteral("(?<=\\d) +(?=[\\p{L}%])"));
    return QString(text).replace(gap, QStringLiteral("\u00a0"));
}

} // namespace modflash
