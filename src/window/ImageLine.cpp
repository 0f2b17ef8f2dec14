// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/ImageLine.h"

#include "flashing/CheckText.h"
#include "window/ReadableColour.h"
#include "window/WholeQuantities.h"

#include <QCoreApplication>
#include <QLabel>

namespace modflash {

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("modflash::ImageLine", text);
}

} // namespace

ImageLine::ImageLine(QLabel* line)
    : m_line(line) {
    ReadableColour::followPalette(m_line, &m_paletteFollowers, [this] { display(); });
}

void ImageLine::show(const ProductPtr& product, const FirmwarePtr& firmware,
                     std::optional<std::uint64_t> connectedFlash, bool sample) {
    m_product = product;
    m_firmware = firmware;
    m_sample = sample;
    refresh(connectedFlash);
}

void ImageLine::refresh(std::optional<std::uint64_t> connectedFlash) {
    m_report.reset();
    if (m_product && m_firmware) {
        const std::string& path = m_firmware->path();
        m_report = m_product->checkImage(path, connectedFlash, path.substr(path.rfind('/') + 1));
    }
    display();
}

void ImageLine::display() {
    if (!m_line)
        return;
    m_line->setVisible(m_report.has_value());
    if (!m_report) {
        m_line->clear();
        return;
    }
    const bool refused = !m_report->accepted();
    // In the verdict's colour and weight, and in words for whoever does not see them.
    ReadableColour::setVerdictHue(m_line, refused ? ReadableColour::failure : QColor());
    if (refused) {
        m_line->setText(
            keepQuantitiesWhole(tr("Refused: %1").arg(QString::fromStdString(m_report->reason))));
        return;
    }
    const QString facts = tr("%1, %2 bytes, SHA-256 %3")
                              .arg(QString::fromStdString(m_report->format),
                                   QString::fromStdString(groupedNumber(m_report->fileSize)),
                                   QString::fromStdString(m_report->sha256.substr(0, 12)));
    m_line->setText(keepQuantitiesWhole(
        m_sample ? tr("Sample image, not real firmware: %1").arg(facts) : facts));
}

bool ImageLine::allowsUpdate(bool factoryFirmware) const {
    return m_report && (m_report->accepted() || (factoryFirmware && m_report->mayBeConfirmed()));
}

bool ImageLine::needsConfirmation() const {
    return m_report && m_report->mayBeConfirmed();
}

QString ImageLine::refusal(bool factoryFirmware) const {
    if (!m_report || allowsUpdate(factoryFirmware))
        return {};
    if (m_report->mayBeConfirmed())
        return tr("%1. With factory firmware enabled it can be written all the same.")
            .arg(QString::fromStdString(m_report->reason));
    return QString::fromStdString(m_report->reason);
}

} // namespace modflash
