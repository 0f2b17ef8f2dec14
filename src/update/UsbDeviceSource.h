// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flashing/UsbId.h"

#include <QObject>

#include <optional>
#include <string>
#include <vector>

namespace modflash {

// The USB devices connected now, and a signal when that changes. Behind an interface so that
// tests can plug and unplug devices.
class UsbDeviceSource : public QObject {
    Q_OBJECT

public:
    using QObject::QObject;
    ~UsbDeviceSource() override;

    virtual std::vector<UsbId> devices() const = 0;
    // False where USB devices cannot be listed at all (no USB on this machine, no access);
    // devices() is then empty and says nothing about what is plugged in.
    virtual bool isAvailable() const = 0;
    // The name of the DFU interface of the connected device with this id, where an STM32 boot
    // loader describes its memory ("@Internal Flash  /0x08000000/04*016Kg,..."); nothing when
    // there is no such device or it cannot be asked.
    virtual std::optional<std::string> dfuMemoryLayout(UsbId id) const = 0;
    // False when the connected device with this id refuses this user, as the kernel does
    // without a udev rule that gives access; true otherwise, also when no such device is there.
    virtual bool mayOpen(UsbId id) const = 0;

signals:
    // The list of devices, or whether it can be had, changed.
    void devicesChanged();
};

} // namespace modflash
