// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/DesktopIdentity.h"

#include <QPainter>
#include <QPixmap>
#include <QSvgRenderer>

namespace modflash::DesktopIdentity {

QString applicationId() {
    return QStringLiteral("org.modflash.Modflash");
}

QIcon icon() {
    // Drawn here rather than left to an image plugin that may be missing: the sizes docks,
    // title bars and task switchers ask for.
    QSvgRenderer drawing(QStringLiteral(":/icons/modflash.svg"));
    QIcon builtIn;
    for (const int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        QPixmap pixmap(size, size);
        pixmap.fill(Qt::transparent);
        QPainter painter(&pixmap);
        drawing.render(&painter);
        painter.end();
        builtIn.addPixmap(pixmap);
    }
    return QIcon::fromTheme(applicationId(), builtIn);
}

} // namespace modflash::DesktopIdentity
