// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "feed/FirmwareOffer.h"

#include <QMetaType>

// Lets a version entry carry its offer, and with it its firmware or release, as item data.
Q_DECLARE_METATYPE(modflash::feed::FirmwareOffer)
