// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/Product.h"
#include "flashing/Firmware.h"
#include "flashing/ImageReport.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <cstdint>
#include <optional>

class QLabel;

namespace modflash {

// The line under the version list that says what the chosen image is before anything is
// written: its format, size and the start of its SHA-256 when the checks pass, or, marked as
// refused as a failed update is, why it is refused. The window offers Update only for an
// image this line does not refuse.
class ImageLine {
public:
    explicit ImageLine(QLabel* line);

    // Checks the firmware for the product and shows the result; an empty line without either.
    void show(const ProductPtr& product, const FirmwarePtr& firmware,
              std::optional<std::uint64_t> connectedFlash, bool sample);
    // Checks the same image again (the file may have changed, or the module connected).
    void refresh(std::optional<std::uint64_t> connectedFlash);

    // Whether the image may be written: accepted, or only implausible while a person building
    // firmware (factory firmware enabled) may confirm it.
    bool allowsUpdate(bool factoryFirmware) const;
    bool needsConfirmation() const;
    // Why Update is not offered, for its tooltip; empty when it is.
    QString refusal(bool factoryFirmware) const;
    const std::optional<ImageReport>& report() const { return m_report; }

private:
    void display();

    QPointer<QLabel> m_line;
    QObject m_paletteFollowers; // go with this line, whatever outlives it
    ProductPtr m_product;
    FirmwarePtr m_firmware;
    bool m_sample = false;
    std::optional<ImageReport> m_report;
};

} // namespace modflash
