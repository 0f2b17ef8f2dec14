// SPDX-License-Identifier: GPL-3.0-or-later
// The libusb-1.0 event handling: the callbacks of submitted transfers, hotplug callbacks and
// the poll descriptor behind them (an inotify descriptor on the state directory). A transfer
// completes when submitted, so there are no timeouts to handle.
#include "Context.h"
#include "Library.h"

#include <poll.h>

#include <climits>
#include <vector>

using vbench::libraryLock;

namespace {

int milliseconds(const timeval* tv) {
    if (!tv)
        return 60000; // libusb's own wait when none is given
    const long long ms = static_cast<long long>(tv->tv_sec) * 1000 + tv->tv_usec / 1000;
    return ms > INT_MAX ? INT_MAX : static_cast<int>(ms);
}

int handle(libusb_context* context, const timeval* tv, int* completed) {
    const std::lock_guard lock(libraryLock());
    context = vbench::contextOrDefault(context);
    if (!context)
        return LIBUSB_ERROR_INVALID_PARAM;
    if (completed && *completed)
        return LIBUSB_SUCCESS;
    context->handleEvents(milliseconds(tv));
    return LIBUSB_SUCCESS;
}

} // namespace

extern "C" {

int libusb_handle_events_timeout_completed(libusb_context* context, struct timeval* tv,
                                           int* completed) {
    return handle(context, tv, completed);
}

int libusb_handle_events_timeout(libusb_context* context, struct timeval* tv) {
    return handle(context, tv, nullptr);
}

int libusb_handle_events_completed(libusb_context* context, int* completed) {
    return handle(context, nullptr, completed);
}

int libusb_handle_events(libusb_context* context) {
    return handle(context, nullptr, nullptr);
}

int libusb_pollfds_handle_timeouts(libusb_context*) {
    return 1;
}

int libusb_get_next_timeout(libusb_context*, struct timeval*) {
    return 0;
}

const struct libusb_pollfd** libusb_get_pollfds(libusb_context* context) {
    const std::lock_guard lock(libraryLock());
    context = vbench::contextOrDefault(context);
    if (!context)
        return nullptr;
    struct Poll {
        std::vector<libusb_pollfd> descriptors;
        std::vector<const libusb_pollfd*> list;
    };
    auto poll = std::make_unique<Poll>();
    if (context->watchDescriptor() >= 0)
        poll->descriptors.push_back({context->watchDescriptor(), POLLIN});
    for (const auto& each : poll->descriptors)
        poll->list.push_back(&each);
    poll->list.push_back(nullptr);
    const libusb_pollfd** list = poll->list.data();
    vbench::handouts().keep(list, std::move(poll));
    return list;
}

void libusb_free_pollfds(const struct libusb_pollfd** pollfds) {
    if (pollfds)
        vbench::handouts().release(pollfds);
}

void libusb_set_pollfd_notifiers(libusb_context*, libusb_pollfd_added_cb, libusb_pollfd_removed_cb,
                                 void*) {
    // The one descriptor is there from libusb_init to libusb_exit: nothing to notify.
}

int libusb_hotplug_register_callback(libusb_context* context, int events, int flags, int vendorId,
                                     int productId, int deviceClass,
                                     libusb_hotplug_callback_fn callback, void* userData,
                                     libusb_hotplug_callback_handle* handle) {
    const std::lock_guard lock(libraryLock());
    context = vbench::contextOrDefault(context);
    const int known = LIBUSB_HOTPLUG_EVENT_DEVICE_ARRIVED | LIBUSB_HOTPLUG_EVENT_DEVICE_LEFT;
    if (!context || !callback || !events || (events & ~known))
        return LIBUSB_ERROR_INVALID_PARAM;
    const int registered = context->registerHotplug(events, flags, vendorId, productId, deviceClass,
                                                    callback, userData);
    if (handle)
        *handle = registered;
    return LIBUSB_SUCCESS;
}

void libusb_hotplug_deregister_callback(libusb_context* context,
                                        libusb_hotplug_callback_handle handle) {
    const std::lock_guard lock(libraryLock());
    if ((context = vbench::contextOrDefault(context)))
        context->deregisterHotplug(handle);
}

void* libusb_hotplug_get_user_data(libusb_context* context, libusb_hotplug_callback_handle handle) {
    const std::lock_guard lock(libraryLock());
    context = vbench::contextOrDefault(context);
    return context ? context->hotplugUserData(handle) : nullptr;
}

} // extern "C"
