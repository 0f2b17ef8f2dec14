#pragma once

#include "Firmware.h"

#include <QMetaType>

// Lets a version entry carry its firmware as item data.
Q_DECLARE_METATYPE(modflash::FirmwarePtr)
