// SPDX-License-Identifier: GPL-3.0-or-later
#include "update/LibusbDeviceSource.h"

#include <QSocketNotifier>

#include <libusb.h>

#include <algorithm>
#include <poll.h>

namespace modflash {

namespace {

// The DFU interface's name (class 0xFE, subclass 1) of the first configuration.
std::optional<std::string> dfuInterfaceName(libusb_device* device) {
    libusb_config_descriptor* config = nullptr;
    if (libusb_get_config_descriptor(device, 0, &config) != LIBUSB_SUCCESS)
        return std::nullopt;
    std::uint8_t index = 0;
    for (int i = 0; i < config->bNumInterfaces && !index; ++i) {
        const libusb_interface& interface = config->interface[i];
        for (int alt = 0; alt < interface.num_altsetting && !index; ++alt) {
            const libusb_interface_descriptor& setting = interface.altsetting[alt];
            if (setting.bInterfaceClass == 0xFE && setting.bInterfaceSubClass == 1)
                index = setting.iInterface;
        }
    }
    libusb_free_config_descriptor(config);
    libusb_device_handle* handle = nullptr;
    if (!index || libusb_open(device, &handle) != LIBUSB_SUCCESS)
        return std::nullopt;
    unsigned char name[256];
    const int length = libusb_get_string_descriptor_ascii(handle, index, name, sizeof name);
    libusb_close(handle);
    if (length <= 0)
        return std::nullopt;
    return std::string(reinterpret_cast<const char*>(name), static_cast<std::size_t>(length));
}

// The connected devices with this id.
std::vector<libusb_device*> devicesWith(libusb_device** list, ssize_t count, UsbId id) {
    std::vector<libusb_device*> found;
    for (ssize_t i = 0; i < count; ++i) {
        libusb_device_descriptor descriptor{};
        if (libusb_get_device_descriptor(list[i], &descriptor) == LIBUSB_SUCCESS &&
            UsbId{descriptor.idVendor, descriptor.idProduct} == id)
            found.push_back(list[i]);
    }
    return found;
}

std::optional<std::string> layoutOn(libusb_context* context, UsbId id) {
    libusb_device** list = nullptr;
    const ssize_t count = libusb_get_device_list(context, &list);
    std::optional<std::string> layout;
    for (libusb_device* device : devicesWith(list, count, id))
        if (!layout)
            layout = dfuInterfaceName(device);
    if (list)
        libusb_free_device_list(list, 1);
    return layout;
}

} // namespace

std::optional<std::string> LibusbDeviceSource::dfuMemoryLayout(UsbId id) const {
    return m_context ? layoutOn(m_context, id) : std::nullopt;
}

bool LibusbDeviceSource::mayOpen(UsbId id) const {
    if (!m_context)
        return true;
    libusb_device** list = nullptr;
    const ssize_t count = libusb_get_device_list(m_context, &list);
    bool refused = false;
    // Opening claims nothing: a tool that has the device open goes on undisturbed.
    for (libusb_device* device : devicesWith(list, count, id)) {
        libusb_device_handle* handle = nullptr;
        const int result = libusb_open(device, &handle);
        if (result == LIBUSB_SUCCESS)
            libusb_close(handle);
        refused = refused || result == LIBUSB_ERROR_ACCESS;
    }
    if (list)
        libusb_free_device_list(list, 1);
    return !refused;
}

std::optional<std::string> LibusbDeviceSource::readDfuMemoryLayout(UsbId id) {
    libusb_context* context = nullptr;
    if (libusb_init(&context) != LIBUSB_SUCCESS)
        return std::nullopt;
    std::optional<std::string> layout = layoutOn(context, id);
    libusb_exit(context);
    return layout;
}

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
