// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The interface of libusb 0.1 as programs built against it expect it: its structures, laid out
// as they are, and its functions.
#include <climits>
#include <cstddef>
#include <cstdint>

struct usb_endpoint_descriptor {
    std::uint8_t bLength;
    std::uint8_t bDescriptorType;
    std::uint8_t bEndpointAddress;
    std::uint8_t bmAttributes;
    std::uint16_t wMaxPacketSize;
    std::uint8_t bInterval;
    std::uint8_t bRefresh;
    std::uint8_t bSynchAddress;
    unsigned char* extra;
    int extralen;
};

struct usb_interface_descriptor {
    std::uint8_t bLength;
    std::uint8_t bDescriptorType;
    std::uint8_t bInterfaceNumber;
    std::uint8_t bAlternateSetting;
    std::uint8_t bNumEndpoints;
    std::uint8_t bInterfaceClass;
    std::uint8_t bInterfaceSubClass;
    std::uint8_t bInterfaceProtocol;
    std::uint8_t iInterface;
    usb_endpoint_descriptor* endpoint;
    unsigned char* extra;
    int extralen;
};

struct usb_interface {
    usb_interface_descriptor* altsetting;
    int num_altsetting;
};

struct usb_config_descriptor {
    std::uint8_t bLength;
    std::uint8_t bDescriptorType;
    std::uint16_t wTotalLength;
    std::uint8_t bNumInterfaces;
    std::uint8_t bConfigurationValue;
    std::uint8_t iConfiguration;
    std::uint8_t bmAttributes;
    std::uint8_t MaxPower;
    usb_interface* interface;
    unsigned char* extra;
    int extralen;
};

struct __attribute__((packed)) usb_device_descriptor {
    std::uint8_t bLength;
    std::uint8_t bDescriptorType;
    std::uint16_t bcdUSB;
    std::uint8_t bDeviceClass;
    std::uint8_t bDeviceSubClass;
    std::uint8_t bDeviceProtocol;
    std::uint8_t bMaxPacketSize0;
    std::uint16_t idVendor;
    std::uint16_t idProduct;
    std::uint16_t bcdDevice;
    std::uint8_t iManufacturer;
    std::uint8_t iProduct;
    std::uint8_t iSerialNumber;
    std::uint8_t bNumConfigurations;
};

struct usb_bus;

struct usb_device {
    usb_device* next;
    usb_device* prev;
    char filename[PATH_MAX + 1];
    usb_bus* bus;
    usb_device_descriptor descriptor;
    usb_config_descriptor* config;
    void* dev;
    std::uint8_t devnum;
    unsigned char num_children;
    usb_device** children;
};

struct usb_bus {
    usb_bus* next;
    usb_bus* prev;
    char dirname[PATH_MAX + 1];
    usb_device* devices;
    std::uint32_t location;
    usb_device* root_dev;
};

struct usb_dev_handle;

// usb_device(), which shares its name with the structure, is declared where it is defined so
// that the structure's name stays usable everywhere else.
extern "C" {

extern usb_bus* usb_busses;

void usb_init(void);
void usb_set_debug(int level);
int usb_find_busses(void);
int usb_find_devices(void);
usb_bus* usb_get_busses(void);
char* usb_strerror(void);

usb_dev_handle* usb_open(struct usb_device* dev);
int usb_close(usb_dev_handle* dev);
int usb_get_string(usb_dev_handle* dev, int index, int langid, char* buf, std::size_t buflen);
int usb_get_string_simple(usb_dev_handle* dev, int index, char* buf, std::size_t buflen);
int usb_get_descriptor_by_endpoint(usb_dev_handle* dev, int ep, unsigned char type,
                                   unsigned char index, void* buf, int size);
int usb_get_descriptor(usb_dev_handle* dev, unsigned char type, unsigned char index, void* buf,
                       int size);
int usb_control_msg(usb_dev_handle* dev, int requesttype, int request, int value, int index,
                    char* bytes, int size, int timeout);
int usb_bulk_write(usb_dev_handle* dev, int ep, const char* bytes, int size, int timeout);
int usb_bulk_read(usb_dev_handle* dev, int ep, char* bytes, int size, int timeout);
int usb_interrupt_write(usb_dev_handle* dev, int ep, const char* bytes, int size, int timeout);
int usb_interrupt_read(usb_dev_handle* dev, int ep, char* bytes, int size, int timeout);
int usb_set_configuration(usb_dev_handle* dev, int configuration);
int usb_claim_interface(usb_dev_handle* dev, int interface);
int usb_release_interface(usb_dev_handle* dev, int interface);
int usb_set_altinterface(usb_dev_handle* dev, int alternate);
int usb_resetep(usb_dev_handle* dev, unsigned int ep);
int usb_clear_halt(usb_dev_handle* dev, unsigned int ep);
int usb_reset(usb_dev_handle* dev);
int usb_get_driver_np(usb_dev_handle* dev, int interface, char* name, unsigned int namelen);
int usb_detach_kernel_driver_np(usb_dev_handle* dev, int interface);

} // extern "C"
