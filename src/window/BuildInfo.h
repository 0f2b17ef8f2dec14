// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <QUrl>

namespace modflash {

// Facts fixed when the application is built.
namespace BuildInfo {

// The day the sources were built (yyyy-MM-dd, UTC; the sources' date under SOURCE_DATE_EPOCH).
QString buildDate();

// The text of the window's build-date label.
QString buildDateText();

// The maker's firmware-updates page, opened by the Help command.
QUrl helpUrl();

// modflash's own version, "1.0.0".
QString version();

} // namespace BuildInfo

} // namespace modflash
