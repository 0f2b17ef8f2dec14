#pragma once

#include "UsbId.h"

#include <QObject>

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

signals:
    // The list of devices, or whether it can be had, changed.
    void devicesChanged();
};

} // namespace modflash
