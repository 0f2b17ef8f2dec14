// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "update/UsbDeviceSource.h"

#include <QTimer>

#include <map>
#include <memory>
#include <vector>

struct libusb_context;

class QSocketNotifier;

namespace modflash {

// The connected USB devices as libusb sees them. Plugging and unplugging arrive through
// libusb's hotplug events, handled on this object's thread when libusb's file descriptors turn
// readable; where hotplug is not supported the list is read again every two seconds. Where
// libusb cannot start (no USB on the machine), the source is quietly unavailable and tries
// again at the same pace.
class LibusbDeviceSource : public UsbDeviceSource {
    Q_OBJECT

public:
    static constexpr int pollIntervalMs = 2000;

    explicit LibusbDeviceSource(QObject* parent = nullptr);
    ~LibusbDeviceSource() override;

    std::vector<UsbId> devices() const override { return m_devices; }
    bool isAvailable() const override { return m_context != nullptr; }
    std::optional<std::string> dfuMemoryLayout(UsbId id) const override;
    bool mayOpen(UsbId id) const override;
    // The same, with a libusb of its own for the one question (the command line).
    static std::optional<std::string> readDfuMemoryLayout(UsbId id);
    bool usesHotplug() const { return m_hotplugRegistered; }

private:
    void connectTimers();
    void startLibusb();
    bool startHotplug();
    void watchEventDescriptors();
    void watchDescriptor(int fd, short events);
    void forgetDescriptor(int fd);
    void handleEvents();
    void queueRefresh();
    void refresh();
    void stopLibusb();

    libusb_context* m_context = nullptr;
    int m_hotplugHandle = 0;
    bool m_hotplugRegistered = false;
    bool m_refreshQueued = false;
    std::map<int, std::vector<std::unique_ptr<QSocketNotifier>>> m_notifiers;
    QTimer m_pollTimer;
    QTimer m_timeoutTimer;
    std::vector<UsbId> m_devices;
};

} // namespace modflash
