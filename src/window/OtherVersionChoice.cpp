// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/OtherVersionChoice.h"

#include "flashing/FamilyProfile.h"
#include "window/UserFirmwareFolder.h"
#include "window/VersionList.h"

#include <QFileInfo>
#include <QWidget>

namespace modflash {

OtherVersionChoice::OtherVersionChoice(QWidget* window, VersionList& list,
                                       const UserFirmwareFolder& folder,
                                       const WindowServices& services, std::function<void()> chosen,
                                       QObject* parent)
    : QObject(parent)
    , m_window(window)
    , m_list(list)
    , m_folder(folder)
    , m_services(services)
    , m_chosen(std::move(chosen)) {}

void OtherVersionChoice::choose(const ProductPtr& product) {
    if (!product || !m_list.isOtherSelected())
        return;
    const QString extension = QString::fromStdString(product->firmwareExtension());
    const unsigned generation = m_list.generation();
    QPointer<OtherVersionChoice> self(this);
    m_services.chooseFile(m_window, m_folder.chooserStart(), extension,
                          [self, product, generation](const std::optional<QString>& path) {
                              if (self)
                                  self->answered(product, generation, path);
                          });
}

void OtherVersionChoice::take(const ProductPtr& product, const QString& path) {
    answered(product, m_list.generation(), path);
}

void OtherVersionChoice::answered(const ProductPtr& product, unsigned listGeneration,
                                  const std::optional<QString>& path) {
    // A cancelled chooser changes nothing; neither does an answer for a list since rebuilt.
    if (!path || path->isEmpty() || listGeneration != m_list.generation() || !product)
        return;
    // The chooser's filter only narrows the list: a name typed into it passes whatever its
    // extension, and an image of the other family would be written as if it were this one's.
    const QString name = QFileInfo(*path).fileName();
    if (!product->profile().acceptsFileName(name.toStdString())) {
        m_services.reportProblem(
            m_window, tr("Not a Firmware Image"),
            tr("\u201c%1\u201d is not a .%2 file, so it is not an image for %3. Choose a file "
               "ending in .%2.")
                .arg(name, QString::fromStdString(product->firmwareExtension()),
                     QString::fromStdString(product->title())));
        return;
    }
    m_firmware = Firmware::firmwareWithPath(path->toStdString(), "");
    m_list.addChosenFile(m_firmware);
    m_chosen();
}

} // namespace modflash
