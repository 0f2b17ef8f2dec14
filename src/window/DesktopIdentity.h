// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QIcon>
#include <QString>

namespace modflash::DesktopIdentity {

// The name the desktop knows the application by: its desktop entry, icon and metainfo are
// installed under it, and on Wayland it is the window's app id.
QString applicationId();

// The installed theme's icon of that name where there is one, else the icon built into the
// program, so that the window has its icon wherever the program runs from.
QIcon icon();

} // namespace modflash::DesktopIdentity
