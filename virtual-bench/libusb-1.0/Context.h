// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "VirtualBus.h"

#include <libusb.h>

#include <deque>
#include <map>
#include <set>
#include <string>
#include <vector>

// A libusb context on the emulated bus. It keeps one device per plugged module for as long as
// the module stays, watches the state directory with inotify so that plugging and unplugging
// reach hotplug callbacks through the usual poll descriptor and event handling, runs the
// callbacks of submitted transfers there too, and never opens a real USB device.
struct libusb_context {
    explicit libusb_context(vbench::StateDirectory directory);
    ~libusb_context();
    libusb_context(const libusb_context&) = delete;
    libusb_context& operator=(const libusb_context&) = delete;

    // The modules plugged in now, one reference each for the caller.
    std::vector<libusb_device*> devices();

    int registerHotplug(int events, int flags, int vendorId, int productId, int deviceClass,
                        libusb_hotplug_callback_fn callback, void* userData);
    void deregisterHotplug(int handle);
    void* hotplugUserData(int handle) const;

    // Waits up to timeoutMs (negative: not at all) for the state directory to change, then
    // tells the hotplug callbacks what arrived and what left.
    void handleEvents(int timeoutMs);
    // A submitted transfer is done: its callback runs at the next event handling.
    void complete(libusb_transfer* transfer) { m_completed.push_back(transfer); }
    int watchDescriptor() const { return m_inotify; }

    int users = 1; // libusb_init calls on the default context

private:
    struct Hotplug {
        int events;
        int vendorId;
        int productId;
        int deviceClass;
        libusb_hotplug_callback_fn callback;
        void* userData;
    };

    void takeWatchEvents();
    void rescan();
    void announce();
    bool notify(int handle, libusb_device* device, libusb_hotplug_event event);

    vbench::VirtualBus m_bus;
    int m_inotify = -1;
    std::map<std::string, libusb_device*> m_attached;
    std::set<libusb_device*> m_announced;
    std::map<int, Hotplug> m_hotplugs;
    std::deque<libusb_transfer*> m_completed;
    int m_nextHandle = 1;
};
