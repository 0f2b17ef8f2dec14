#include "LibusbDeviceSource.h"

#include <QSocketNotifier>

#include <libusb.h>

#include <algorithm>
#include <poll.h>

namespace modflash {

LibusbDeviceSource::LibusbDeviceSource(QObject* parent)
    : UsbDeviceSource(parent) {
    connectTimers();
    startLibusb();
    if (!m_hotplugRegistered)
        m_pollTimer.start();
}

void LibusbDeviceSource::connectTimers() {
    m_pollTimer.setInterval(pollIntervalMs);
    connect(&m_pollTimer, &QTimer::timeout, this, [this] {
        if (m_context)
            refresh();
        else
            startLibusb();
    });
    connect(&m_timeoutTimer, &QTimer::timeout, this, &LibusbDeviceSource::handleEvents);
}

LibusbDeviceSource::~LibusbDeviceSource() {
    stopLibusb();
}

void LibusbDeviceSource::startLibusb() {
    libusb_context* context = nullptr;
    if (libusb_init(&context) != LIBUSB_SUCCESS)
        return; // no USB here: stay unavailable, the poll timer tries again
    m_context = context;
    if (startHotplug()) {
        m_pollTimer.stop();
        watchEventDescriptors();
    }
    refresh();
    // The first successful start changes availability even when no device is connected.
    if (m_devices.empty())
        emit devicesChanged();
}

bool LibusbDeviceSource::startHotplug() {
    if (!libusb_has_capability(LIBUSB_CAP_HAS_HOTPLUG))
        return false;
    // Called from libusb_handle_events on this thread; the list is read afterwards, outside
    // libusb's event handling.
    const libusb_hotplug_callback_fn callback = [](libusb_context*, libusb_device*,
                                                   libusb_hotplug_event, void* self) {
        static_cast<LibusbDeviceSource*>(self)->queueRefresh();
        return 0; // stay registered
    };
    const int events = LIBUSB_HOTPLUG_EVENT_DEVICE_ARRIVED | LIBUSB_HOTPLUG_EVENT_DEVICE_LEFT;
    libusb_hotplug_callback_handle handle = 0;
    const int result = libusb_hotplug_register_callback(
        m_context, static_cast<libusb_hotplug_event>(events), LIBUSB_HOTPLUG_NO_FLAGS,
        LIBUSB_HOTPLUG_MATCH_ANY, LIBUSB_HOTPLUG_MATCH_ANY, LIBUSB_HOTPLUG_MATCH_ANY, callback,
        this, &handle);
    if (result != LIBUSB_SUCCESS)
        return false;
    m_hotplugHandle = handle;
    m_hotplugRegistered = true;
    return true;
}

void LibusbDeviceSource::watchEventDescriptors() {
    libusb_set_pollfd_notifiers(
        m_context,
        [](int fd, short events, void* self) {
            static_cast<LibusbDeviceSource*>(self)->watchDescriptor(fd, events);
        },
        [](int fd, void* self) { static_cast<LibusbDeviceSource*>(self)->forgetDescriptor(fd); },
        this);
    if (const libusb_pollfd** descriptors = libusb_get_pollfds(m_context)) {
        for (const libusb_pollfd** each = descriptors; *each; ++each)
            watchDescriptor((*each)->fd, (*each)->events);
        libusb_free_pollfds(descriptors);
    }
    // Where libusb's timeouts do not show on its descriptors, give it a regular turn.
    if (!libusb_pollfds_handle_timeouts(m_context)) {
        m_timeoutTimer.setInterval(250);
        m_timeoutTimer.start();
    }
}

void LibusbDeviceSource::watchDescriptor(int fd, short events) {
    auto& notifiers = m_notifiers[fd];
    notifiers.clear();
    const auto watch = [&](QSocketNotifier::Type type) {
        auto notifier = std::make_unique<QSocketNotifier>(fd, type);
        connect(notifier.get(), &QSocketNotifier::activated, this,
                &LibusbDeviceSource::handleEvents);
        notifiers.push_back(std::move(notifier));
    };
    if (events & POLLIN)
        watch(QSocketNotifier::Read);
    if (events & POLLOUT)
        watch(QSocketNotifier::Write);
}

void LibusbDeviceSource::forgetDescriptor(int fd) {
    // Called from inside libusb, possibly from a notifier's own activation: delete later.
    const auto it = m_notifiers.find(fd);
    if (it == m_notifiers.end())
        return;
    for (auto& notifier : it->second) {
        notifier->setEnabled(false);
        notifier.release()->deleteLater();
    }
    m_notifiers.erase(it);
}

void LibusbDeviceSource::handleEvents() {
    if (!m_context)
        return;
    timeval immediately{0, 0};
    libusb_handle_events_timeout_completed(m_context, &immediately, nullptr);
}

void LibusbDeviceSource::queueRefresh() {
    if (m_refreshQueued)
        return;
    m_refreshQueued = true;
    QMetaObject::invokeMethod(this, &LibusbDeviceSource::refresh, Qt::QueuedConnection);
}

void LibusbDeviceSource::refresh() {
    m_refreshQueued = false;
    if (!m_context)
        return;
    std::vector<UsbId> found;
    libusb_device** list = nullptr;
    const ssize_t count = libusb_get_device_list(m_context, &list);
    for (ssize_t i = 0; i < count; ++i) {
        libusb_device_descriptor descriptor{};
        if (libusb_get_device_descriptor(list[i], &descriptor) == LIBUSB_SUCCESS)
            found.push_back({descriptor.idVendor, descriptor.idProduct});
    }
    if (list)
        libusb_free_device_list(list, 1);
    std::sort(found.begin(), found.end());
    if (found == m_devices)
        return;
    m_devices = std::move(found);
    emit devicesChanged();
}

void LibusbDeviceSource::stopLibusb() {
    if (!m_context)
        return;
    if (m_hotplugRegistered)
        libusb_hotplug_deregister_callback(m_context, m_hotplugHandle);
    m_hotplugRegistered = false;
    libusb_set_pollfd_notifiers(m_context, nullptr, nullptr, nullptr);
    m_notifiers.clear();
    m_timeoutTimer.stop();
    libusb_exit(m_context);
    m_context = nullptr;
}

} // namespace modflash
