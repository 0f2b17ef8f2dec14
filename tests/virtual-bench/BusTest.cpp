// modflash's own libusb use on the virtual bench's bus: the device list the window's presence
// line reads, following plugging and unplugging through hotplug events, and the descriptors
// a DFU interface's name is read from. Run with LD_LIBRARY_PATH set to a bench directory
// (argument 1), so that the emulation is the libusb-1.0 this process loads.
#include "LibusbDeviceSource.h"

#include <QCoreApplication>
#include <QDeadlineTimer>

#include <gtest/gtest.h>
#include <libusb.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>

namespace modflash {
namespace {

namespace fs = std::filesystem;

fs::path state;

void plug(const std::string& module, const std::string& settings) {
    std::ofstream(state / module) << settings;
}

std::string benchLog() {
    std::ifstream in(state / "bench.log");
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

bool waitFor(const std::function<bool()>& condition) {
    const QDeadlineTimer deadline(5000);
    while (!condition() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    return condition();
}

class VirtualBus : public ::testing::Test {
protected:
    void SetUp() override {
        for (const auto& entry : fs::directory_iterator(state))
            fs::remove(entry.path());
        ASSERT_EQ(libusb_init(&context), LIBUSB_SUCCESS);
    }
    void TearDown() override { libusb_exit(context); }

    // The device with these ids, opened; null when the bus lacks it.
    libusb_device_handle* open(std::uint16_t vendor, std::uint16_t product) {
        libusb_device** list = nullptr;
        const ssize_t count = libusb_get_device_list(context, &list);
        libusb_device_handle* handle = nullptr;
        for (ssize_t i = 0; i < count; ++i) {
            libusb_device_descriptor descriptor{};
            libusb_get_device_descriptor(list[i], &descriptor);
            if (descriptor.idVendor == vendor && descriptor.idProduct == product) {
                EXPECT_EQ(libusb_open(list[i], &handle), LIBUSB_SUCCESS);
            }
        }
        libusb_free_device_list(list, 1);
        return handle;
    }

    libusb_context* context = nullptr;
};

TEST_F(VirtualBus, DfuInterfaceNamesComeFromTheConfigurationAndStringDescriptors) {
    const struct {
        const char* layout;
        int alternates;
        const char* flash;
    } bootloaders[] = {
        {"f4", 4, "@Internal Flash  /0x08000000/04*016Kg,01*064Kg,07*128Kg"},
        {"f0", 2, "@Internal Flash  /0x08000000/64*0002Kg"},
    };
    for (const auto& bootloader : bootloaders) {
        SCOPED_TRACE(bootloader.layout);
        plug("dfu", std::string("layout ") + bootloader.layout + "\n");
        libusb_device_handle* handle = open(0x0483, 0xdf11);
        ASSERT_NE(handle, nullptr);
        libusb_config_descriptor* config = nullptr;
        ASSERT_EQ(libusb_get_config_descriptor(libusb_get_device(handle), 0, &config),
                  LIBUSB_SUCCESS);
        ASSERT_EQ(config->bNumInterfaces, 1);
        const libusb_interface& interface = config->interface[0];
        ASSERT_EQ(interface.num_altsetting, bootloader.alternates);
        const libusb_interface_descriptor& flash = interface.altsetting[0];
        EXPECT_EQ(flash.bInterfaceClass, 0xfe);
        EXPECT_EQ(flash.bInterfaceSubClass, 0x01);
        EXPECT_EQ(flash.bInterfaceProtocol, 0x02);
        unsigned char name[256] = {};
        EXPECT_EQ(libusb_get_string_descriptor_ascii(handle, flash.iInterface, name, sizeof name),
                  static_cast<int>(std::string(bootloader.flash).size()));
        EXPECT_STREQ(reinterpret_cast<const char*>(name), bootloader.flash);
        // The DFU functional descriptor follows the last setting: DfuSe 1.1a, 2048-byte blocks.
        const auto& last = interface.altsetting[bootloader.alternates - 1];
        ASSERT_EQ(last.extra_length, 9);
        EXPECT_EQ(last.extra[1], 0x21);
        EXPECT_EQ(last.extra[5] | (last.extra[6] << 8), 2048);
        EXPECT_EQ(last.extra[7] | (last.extra[8] << 8), 0x011a);
        libusb_free_config_descriptor(config);

        // Pulled out: the open handle fails as on a real bus.
        fs::remove(state / "dfu");
        EXPECT_EQ(libusb_get_string_descriptor_ascii(handle, flash.iInterface, name, sizeof name),
                  LIBUSB_ERROR_NO_DEVICE);
        libusb_close(handle);
    }
}

// DfuSe through its requests: set the address pointer, write a block over flash that was not
// erased, and read how it went. F4 flash only clears bits; F0 flash refuses a half-word that is
// not erased, and the boot loader reports the failure.
TEST_F(VirtualBus, FlashTakesAWriteOverOldContentsAsTheChipDoes) {
    const struct {
        const char* layout;
        std::uint8_t state;
        std::uint8_t status;
        std::uint8_t first;
    } chips[] = {
        {"f4", 5 /* dfuDNLOAD-IDLE */, 0, 0x30 & 0x0f},
        {"f0", 10 /* dfuERROR */, 6 /* errPROG */, 0x30},
    };
    constexpr std::uint8_t out = 0x21, in = 0xa1, dnload = 1, getStatus = 3;
    for (const auto& chip : chips) {
        SCOPED_TRACE(chip.layout);
        plug("dfu", std::string("layout ") + chip.layout + "\n");
        {
            std::ofstream flash(state / "dfu-flash.bin", std::ios::binary);
            const std::string old(chip.layout == std::string("f4") ? 1048576 : 131072, '\x30');
            flash << old;
        }
        libusb_device_handle* handle = open(0x0483, 0xdf11);
        ASSERT_NE(handle, nullptr);
        ASSERT_EQ(libusb_claim_interface(handle, 0), LIBUSB_SUCCESS);
        const auto request = [&](std::uint8_t type, std::uint8_t code, std::uint16_t block,
                                 unsigned char* data, std::uint16_t length) {
            return libusb_control_transfer(handle, type, code, block, 0, data, length, 1000);
        };
        unsigned char status[6] = {};
        unsigned char setAddress[] = {0x21, 0x00, 0x00, 0x00, 0x08};
        ASSERT_EQ(request(out, dnload, 0, setAddress, 5), 5);
        ASSERT_EQ(request(in, getStatus, 0, status, 6), 6);
        EXPECT_EQ(status[4], 4) << "dfuDNBUSY while the command runs";
        ASSERT_EQ(request(in, getStatus, 0, status, 6), 6);
        EXPECT_EQ(status[4], 5);
        unsigned char block[16];
        std::fill(std::begin(block), std::end(block), 0x0f);
        ASSERT_EQ(request(out, dnload, 2, block, sizeof block), 16);
        ASSERT_EQ(request(in, getStatus, 0, status, 6), 6);
        ASSERT_EQ(request(in, getStatus, 0, status, 6), 6);
        EXPECT_EQ(status[4], chip.state);
        EXPECT_EQ(status[0], chip.status);
        libusb_close(handle);
        std::ifstream flash(state / "dfu-flash.bin", std::ios::binary);
        EXPECT_EQ(flash.get(), chip.first);
        // Unplugged, so that the next chip is a new module.
        fs::remove(state / "dfu");
    }
}

// After the number of transfers set in the module file the module is gone: the next transfer
// fails and the module file is moved aside.
TEST_F(VirtualBus, AModuleUnplugsAfterTheTransfersItWasGiven) {
    plug("usbtiny", "part t85\nunplug-after-transfers 2\n");
    libusb_device_handle* handle = open(0x1781, 0x0c9f);
    ASSERT_NE(handle, nullptr);
    unsigned char product[32];
    for (int transfer = 0; transfer < 2; ++transfer) {
        unsigned char language[4];
        EXPECT_EQ(libusb_control_transfer(handle, LIBUSB_ENDPOINT_IN, LIBUSB_REQUEST_GET_DESCRIPTOR,
                                          LIBUSB_DT_STRING << 8, 0, language, 4, 1000),
                  4);
    }
    EXPECT_EQ(libusb_get_string_descriptor_ascii(handle, 1, product, sizeof product),
              LIBUSB_ERROR_NO_DEVICE);
    libusb_close(handle);
    EXPECT_FALSE(fs::exists(state / "usbtiny"));
    EXPECT_TRUE(fs::exists(state / "usbtiny.unplugged"));
}

TEST_F(VirtualBus, TheDeviceListFollowsPluggingThroughHotplugEvents) {
    LibusbDeviceSource source;
    ASSERT_TRUE(source.isAvailable());
    ASSERT_TRUE(source.usesHotplug()) << "the bench's hotplug events are not in use";
    EXPECT_TRUE(source.devices().empty());
    const UsbId usbtiny{0x1781, 0x0c9f};
    const UsbId dfu{0x0483, 0xdf11};

    plug("usbtiny", "part m168\n");
    EXPECT_TRUE(waitFor([&] { return source.devices() == std::vector{usbtiny}; }));
    plug("dfu", "layout f4\n");
    EXPECT_TRUE(waitFor([&] { return source.devices() == std::vector{dfu, usbtiny}; }));
    fs::rename(state / "usbtiny", state / "usbtiny.unplugged");
    EXPECT_TRUE(waitFor([&] { return source.devices() == std::vector{dfu}; }));
}

TEST_F(VirtualBus, AModuleFileTheBenchCannotTakeStaysOffTheBusWithTheReasonLogged) {
    plug("usbtiny", "part m8\n");
    plug("dfu", "layout f4\nunplug-after 100\n");
    EXPECT_EQ(open(0x1781, 0x0c9f), nullptr);
    EXPECT_EQ(open(0x0483, 0xdf11), nullptr);
    const std::string log = benchLog();
    EXPECT_NE(log.find("part must be one of m168, m168p, m328, m328p, t44, t45, t85, not \"m8\""),
              std::string::npos)
        << log;
    EXPECT_NE(log.find("line 2: unknown setting \"unplug-after\""), std::string::npos) << log;
}

} // namespace
} // namespace modflash

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    QCoreApplication application(argc, argv);
    // Never anything but the emulation: the real library would reach real devices.
    const std::string description = libusb_get_version()->describe;
    if (description != "virtual bench") {
        std::fprintf(stderr,
                     "the libusb-1.0 loaded is not the virtual bench's (\"%s\"); run "
                     "with LD_LIBRARY_PATH set to a bench directory\n",
                     description.c_str());
        return 1;
    }
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s BENCH_DIRECTORY\n", argv[0]);
        return 64;
    }
    modflash::state = std::filesystem::path(argv[1]) / "virtual-bench";
    return RUN_ALL_TESTS();
}
