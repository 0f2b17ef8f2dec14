// SPDX-License-Identifier: GPL-3.0-or-later
#include "Context.h"

#include "Device.h"
#include "Library.h"

#include <poll.h>
#include <sys/inotify.h>
#include <unistd.h>

#include <array>
#include <cstring>
#include <mutex>
#include <utility>

using vbench::addReference;
using vbench::dropReference;

libusb_context::libusb_context(vbench::StateDirectory directory)
    : m_bus(std::move(directory)) {
    m_inotify = inotify_init1(IN_NONBLOCK | IN_CLOEXEC);
    if (m_inotify >= 0 && inotify_add_watch(m_inotify, m_bus.directory().path().c_str(),
                                            IN_CREATE | IN_DELETE | IN_MOVED_FROM | IN_MOVED_TO |
                                                IN_CLOSE_WRITE) < 0) {
        // No state directory: an empty bus that never changes.
        close(m_inotify);
        m_inotify = -1;
    }
    rescan();
    for (const auto& [name, device] : m_attached)
        m_announced.insert(addReference(device));
}

libusb_context::~libusb_context() {
    for (auto* device : m_announced)
        dropReference(device);
    for (const auto& [name, device] : m_attached)
        dropReference(device);
    if (m_inotify >= 0)
        close(m_inotify);
}

// A module whose file was removed, moved away or written since the last look is gone, even
// when its file is back already: that was a new plugging.
void libusb_context::takeWatchEvents() {
    if (m_inotify < 0)
        return;
    alignas(inotify_event) std::array<char, 4096> buffer;
    ssize_t got = 0;
    while ((got = read(m_inotify, buffer.data(), buffer.size())) > 0) {
        for (ssize_t at = 0; at < got;) {
            inotify_event event{};
            std::memcpy(&event, buffer.data() + at, sizeof event);
            const char* name = buffer.data() + at + sizeof event;
            const auto it = event.len ? m_attached.find(name) : m_attached.end();
            if (it != m_attached.end() &&
                (event.mask & (IN_DELETE | IN_MOVED_FROM | IN_CLOSE_WRITE)))
                it->second->device->pullCable();
            at += static_cast<ssize_t>(sizeof event + event.len);
        }
    }
}

void libusb_context::rescan() {
    takeWatchEvents();
    const auto plugged = m_bus.pluggedPorts();
    for (auto it = m_attached.begin(); it != m_attached.end();) {
        bool stays = it->second->device->isPresent();
        if (stays) {
            stays = false;
            for (const auto& port : plugged)
                stays = stays || it->first == port.module;
        }
        if (stays) {
            ++it;
        } else {
            dropReference(it->second);
            it = m_attached.erase(it);
        }
    }
    for (const auto& port : plugged) {
        if (m_attached.count(port.module))
            continue;
        if (auto module = m_bus.attach(port)) {
            auto device = std::make_unique<libusb_device>(this, std::move(module), port);
            m_attached[port.module] = device.release();
        }
    }
}

std::vector<libusb_device*> libusb_context::devices() {
    rescan();
    std::vector<libusb_device*> list;
    for (const auto& [name, device] : m_attached)
        list.push_back(addReference(device));
    return list;
}

bool libusb_context::notify(int handle, libusb_device* device, libusb_hotplug_event event) {
    const auto it = m_hotplugs.find(handle);
    if (it == m_hotplugs.end())
        return false;
    const Hotplug& hotplug = it->second;
    const auto& descriptor = device->descriptor;
    if (!(hotplug.events & event) ||
        (hotplug.vendorId != LIBUSB_HOTPLUG_MATCH_ANY && hotplug.vendorId != descriptor.idVendor) ||
        (hotplug.productId != LIBUSB_HOTPLUG_MATCH_ANY &&
         hotplug.productId != descriptor.idProduct) ||
        (hotplug.deviceClass != LIBUSB_HOTPLUG_MATCH_ANY &&
         hotplug.deviceClass != descriptor.bDeviceClass))
        return false;
    // A callback that returns 1 is done listening.
    if (hotplug.callback(this, device, event, hotplug.userData) == 1)
        m_hotplugs.erase(handle);
    return true;
}

void libusb_context::announce() {
    rescan();
    std::vector<libusb_device*> left;
    for (auto* device : m_announced) {
        bool stays = false;
        for (const auto& [name, attached] : m_attached)
            stays = stays || attached == device;
        if (!stays)
            left.push_back(device);
    }
    for (auto* device : left) {
        m_announced.erase(device);
        for (const auto& [handle, hotplug] : std::map(m_hotplugs))
            notify(handle, device, LIBUSB_HOTPLUG_EVENT_DEVICE_LEFT);
        dropReference(device);
    }
    for (const auto& [name, device] : std::map(m_attached)) {
        if (!m_announced.insert(device).second)
            continue;
        addReference(device);
        for (const auto& [handle, hotplug] : std::map(m_hotplugs))
            notify(handle, device, LIBUSB_HOTPLUG_EVENT_DEVICE_ARRIVED);
    }
}

int libusb_context::registerHotplug(int events, int flags, int vendorId, int productId,
                                    int deviceClass, libusb_hotplug_callback_fn callback,
                                    void* userData) {
    const int handle = m_nextHandle++;
    m_hotplugs[handle] = {events, vendorId, productId, deviceClass, callback, userData};
    if (flags & LIBUSB_HOTPLUG_ENUMERATE) {
        announce();
        for (auto* device : std::set(m_announced))
            notify(handle, device, LIBUSB_HOTPLUG_EVENT_DEVICE_ARRIVED);
    }
    return handle;
}

void libusb_context::deregisterHotplug(int handle) {
    m_hotplugs.erase(handle);
}

void* libusb_context::hotplugUserData(int handle) const {
    const auto it = m_hotplugs.find(handle);
    return it == m_hotplugs.end() ? nullptr : it->second.userData;
}

void libusb_context::handleEvents(int timeoutMs) {
    if (!m_completed.empty()) {
        // Done transfers first, without waiting: a caller waits for one of them.
        const std::deque<libusb_transfer*> done = std::exchange(m_completed, {});
        for (auto* transfer : done) {
            const bool freeIt = transfer->flags & LIBUSB_TRANSFER_FREE_TRANSFER;
            if (transfer->callback)
                transfer->callback(transfer);
            if (freeIt)
                libusb_free_transfer(transfer);
        }
        return;
    }
    if (m_inotify >= 0) {
        pollfd watch{m_inotify, POLLIN, 0};
        // Waiting must not hold the library: another thread may be transferring meanwhile.
        vbench::libraryLock().unlock();
        poll(&watch, 1, timeoutMs < 0 ? 0 : timeoutMs);
        vbench::libraryLock().lock();
    } else if (timeoutMs > 0) {
        vbench::libraryLock().unlock();
        poll(nullptr, 0, timeoutMs);
        vbench::libraryLock().lock();
    }
    announce();
}
