// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/Product.h"
#include "flashing/Firmware.h"
#include "window/WindowServices.h"

#include <QObject>
#include <QPointer>
#include <QString>

#include <functional>
#include <optional>

namespace modflash {

class UserFirmwareFolder;
class VersionList;

// "Other...": the file chooser for the product's image type, opened in the user's firmware
// folder, and the file it gives, or one dropped on the window, as the version list's chosen
// entry. A file of another type is refused with the reason; an answer for a list that was
// built for another product since is ignored.
class OtherVersionChoice : public QObject {
    Q_OBJECT

public:
    // chosen follows a file taken into the list.
    OtherVersionChoice(QWidget* window, VersionList& list, const UserFirmwareFolder& folder,
                       const WindowServices& services, std::function<void()> chosen,
                       QObject* parent = nullptr);

    // Opens the chooser when "Other..." is the selected entry.
    void choose(const ProductPtr& product);
    // Takes a file as the product's chosen entry, as if chosen now.
    void take(const ProductPtr& product, const QString& path);
    // The firmware of the chosen entry of the current list, or nothing.
    const FirmwarePtr& firmware() const { return m_firmware; }
    void forget() { m_firmware.reset(); }

private:
    void answered(const ProductPtr& product, unsigned listGeneration,
                  const std::optional<QString>& path);

    QPointer<QWidget> m_window;
    VersionList& m_list;
    const UserFirmwareFolder& m_folder;
    WindowServices m_services;
    std::function<void()> m_chosen;
    FirmwarePtr m_firmware;
};

} // namespace modflash
