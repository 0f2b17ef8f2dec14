// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "ConfigurationTree.h"
#include "ControlTransfer.h"
#include "ModuleFile.h"
#include "UnplugTrigger.h"

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace vbench {

// A module on the emulated bus as the host meets it through its default control pipe. This
// part answers the standard requests from the descriptors and keeps the module's presence:
// a module is gone for good once its file is moved away, replaced or rewritten, or it unplugs
// itself, and every later transfer fails as it does when a cable is pulled. Subclasses answer their
// class and vendor requests, and their bulk endpoints where they have some.
class VirtualDevice {
public:
    struct Descriptors {
        std::vector<std::uint8_t> device;
        std::vector<std::uint8_t> configuration;
        std::vector<std::string> strings; // string descriptor 1, 2, ...
    };

    VirtualDevice(ModuleFile file, Descriptors descriptors, UnplugTrigger trigger);
    virtual ~VirtualDevice() = default;
    VirtualDevice(const VirtualDevice&) = delete;
    VirtualDevice& operator=(const VirtualDevice&) = delete;

    // The module file's switch that keeps this user from opening the module.
    static constexpr const char* noAccessKey = "no-access";

    const std::string& moduleName() const { return m_file.name(); }
    std::span<const std::uint8_t> deviceDescriptor() const { return m_descriptors.device; }
    std::span<const std::uint8_t> configurationDescriptor() const {
        return m_descriptors.configuration;
    }
    const ConfigurationTree& configuration() const { return m_tree; }
    std::uint16_t vendorId() const;
    std::uint16_t productId() const;

    bool isPresent();
    // The host lists the module but this user may not open it: its device node is not
    // writable for them, as without a udev rule that grants access.
    bool deniesAccess() const { return m_deniesAccess; }
    void setDeniesAccess(bool denies) { m_deniesAccess = denies; }
    // The cable is pulled: whoever watches the state directory saw the module's file go.
    void pullCable() { m_gone = true; }
    ControlResult control(const SetupPacket& setup, DataStage data);
    // A bulk transfer on one of the module's other endpoints (bit 7 set: IN).
    ControlResult bulk(std::uint8_t endpoint, DataStage data);
    // A reset on the bus; false when the module is no longer there to take it.
    bool busReset();

protected:
    virtual ControlResult classOrVendorRequest(const SetupPacket& setup, DataStage data) = 0;
    // Modules with bulk endpoints answer here; the others have none.
    virtual ControlResult bulkTransfer(std::uint8_t endpoint, DataStage data);
    virtual void alternateSelected(int interfaceNumber, int alternate);
    virtual void resetTaken();

    // The module leaves the bus (its file is moved away); the transfer under way completes.
    void leaveBus();
    const StateDirectory& stateDirectory() const { return m_file.directory(); }
    // Where a memory or state file of this module lives.
    std::string stateFile(const std::string& name) const { return stateDirectory().file(name); }

private:
    ControlResult standardRequest(const SetupPacket& setup, DataStage data);
    ControlResult descriptor(const SetupPacket& setup, DataStage data) const;

    ModuleFile m_file;
    std::optional<std::string> m_plugging;
    Descriptors m_descriptors;
    ConfigurationTree m_tree;
    UnplugTrigger m_trigger;
    bool m_gone = false;
    bool m_deniesAccess = false;
    std::uint8_t m_configuration = 1;
    std::map<int, int> m_alternates;
};

} // namespace vbench
