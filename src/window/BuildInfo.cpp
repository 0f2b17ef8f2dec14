// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/BuildInfo.h"

#include "BuildValues.h"

#include <QCoreApplication>

namespace modflash::BuildInfo {

QString buildDate() {
    return QStringLiteral(MODFLASH_BUILD_DATE);
}

QString buildDateText() {
    return QCoreApplication::translate("modflash::BuildInfo", "Build date: %1").arg(buildDate());
}

QString version() {
    return QStringLiteral(MODFLASH_VERSION_TEXT);
}

QUrl helpUrl() {
    QUrl url;
    url.setScheme(QStringLiteral("https"));
    url.setHost(QStringLiteral(MODFLASH_HELP_HOST));
    url.setPath(QStringLiteral("/firmware-updates"));
    return url;
}

} // namespace modflash::BuildInfo
