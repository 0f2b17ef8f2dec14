// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flashing/Firmware.h"

#include <QMetaType>

// Lets a version entry carry its firmware as item data.
Q_DECLARE_METATYPE(modflash::FirmwarePtr)
