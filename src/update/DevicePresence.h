// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/Product.h"
#include "flashing/UsbId.h"

#include <QObject>
#include <QString>

#include <cstdint>
#include <optional>

namespace modflash {

class DeviceRequirement;
class Preferences;
class UsbDeviceSource;

// The line under the product lists that says whether the device the chosen product needs is
// connected, kept up to date as devices come and go and as the product or the programmer
// preferences change. Never stops an update; it tells the user what to check.
class DevicePresence : public QObject {
    Q_OBJECT

public:
    enum class State { NoProduct, CannotCheck, Missing, Found, Refused, LeftAfterUpdate };

    // The source and the preferences must outlive this object.
    DevicePresence(UsbDeviceSource& source, const Preferences& preferences,
                   QObject* parent = nullptr);

    // The chosen product; nothing when none is chosen (the line is then empty).
    void setProduct(ProductPtr product);
    // Read the programmer preferences again after the user changed one.
    void preferencesChanged() { refresh(); }
    // An update of the chosen product started and ended: after a success a boot loader that
    // was there at the start is gone, as it should be, until the module is put into it again.
    void updateStarted();
    void updateEnded(bool succeeded);

    QString text() const { return m_text; }
    State state() const { return m_state; }
    // What to do when the device refuses this user; empty otherwise.
    QString accessAdvice() const { return m_accessAdvice; }
    // The flash the connected module's boot loader says it has, when it says so; an image that
    // does not fit it is refused.
    std::optional<std::uint64_t> connectedFlash() const { return m_connectedFlash; }

signals:
    void textChanged(const QString& text);
    void connectedFlashChanged();

private:
    void connectSignals();
    void refresh();
    State stateOf(const DeviceRequirement& requirement, const std::vector<UsbId>& present,
                  std::string& text);
    std::string flashOf(UsbId id, std::optional<std::uint64_t>& flash) const;

    UsbDeviceSource& m_source;
    const Preferences& m_preferences;
    ProductPtr m_product;
    QString m_text;
    QString m_accessAdvice;
    State m_state = State::NoProduct;
    // The device of an update that began with it: still there, to leave after the update's
    // success, or gone after it.
    enum class AfterUpdate {
        Nothing,
        WasThere,
        Leaving,
        Left
    } m_afterUpdate = AfterUpdate::Nothing;
    std::optional<std::uint64_t> m_connectedFlash;
};

} // namespace modflash
