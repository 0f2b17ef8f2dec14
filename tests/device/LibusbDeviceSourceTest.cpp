// The libusb device list against the kernel's own list of USB devices.
#include "LibusbDeviceSource.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace modflash {
namespace {

// What sysfs lists: the ids of every USB device the kernel knows, hubs included.
std::vector<UsbId> kernelDevices() {
    std::vector<UsbId> ids;
    const QDir devices("/sys/bus/usb/devices");
    for (const QString& entry : devices.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        QFile vendor(devices.filePath(entry + "/idVendor"));
        QFile product(devices.filePath(entry + "/idProduct"));
        if (!vendor.open(QIODevice::ReadOnly) || !product.open(QIODevice::ReadOnly))
            continue;
        const auto id = UsbId::parse(
            (vendor.readAll().trimmed() + ":" + product.readAll().trimmed()).toStdString());
        if (id)
            ids.push_back(*id);
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

void processEventsFor(int milliseconds) {
    const QDeadlineTimer deadline(milliseconds);
    while (!deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
}

TEST(LibusbDeviceSource, listsWhatTheKernelLists) {
    LibusbDeviceSource source;
    processEventsFor(200);
    if (!source.isAvailable()) {
        // No USB stack at all: quietly nothing.
        EXPECT_TRUE(source.devices().empty());
        GTEST_SKIP() << "libusb cannot start on this machine; the source stays unavailable";
    }
    EXPECT_EQ(source.devices(), kernelDevices());
    RecordProperty("hotplug", source.usesHotplug() ? "yes" : "no, polling");
}

TEST(LibusbDeviceSource, startsAndStopsRepeatedlyWithEventsInBetween) {
    for (int round = 0; round < 20; ++round) {
        auto source = std::make_unique<LibusbDeviceSource>();
        int changes = 0;
        QObject::connect(source.get(), &UsbDeviceSource::devicesChanged, [&] { ++changes; });
        processEventsFor(20);
        const auto first = source->devices();
        processEventsFor(20);
        if (source->devices() != first)
            continue; // a device really came or went
        EXPECT_EQ(changes, 0) << "a change reported in round " << round << " with none made";
    }
}

} // namespace
} // namespace modflash
