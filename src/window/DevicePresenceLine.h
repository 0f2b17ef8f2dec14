// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/Product.h"
#include "update/DevicePresence.h"

#include <QObject>
#include <QPointer>

class QLabel;

namespace modflash {

class Preferences;
class UsbDeviceSource;

// The line under the product lists that says whether the device the chosen product needs is
// plugged in. It only informs: Update stays as usable as ever.
class DevicePresenceLine : public QObject {
    Q_OBJECT

public:
    // The source and the preferences must outlive this object.
    DevicePresenceLine(QLabel* line, UsbDeviceSource& source, const Preferences& preferences,
                       QObject* parent = nullptr);

    void setProduct(ProductPtr product) { m_presence.setProduct(std::move(product)); }
    void preferencesChanged() { m_presence.preferencesChanged(); }
    void updateStarted() { m_presence.updateStarted(); }
    void updateEnded(bool succeeded) { m_presence.updateEnded(succeeded); }

    const DevicePresence& presence() const { return m_presence; }
    DevicePresence& presence() { return m_presence; }

private:
    void connectSignals();
    void show();

    QPointer<QLabel> m_line;
    DevicePresence m_presence;
};

} // namespace modflash
