// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/FirmwareDropHandler.h"

#include "flashing/FamilyProfile.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QUrl>
#include <QWidget>

namespace modflash {

FirmwareDropHandler::FirmwareDropHandler(QWidget* window, SituationSource situation, Accept accept,
                                         Refuse refuse, QObject* parent)
    : QObject(parent)
    , m_window(window)
    , m_situation(std::move(situation))
    , m_accept(std::move(accept))
    , m_refuse(std::move(refuse)) {
    if (m_window) {
        m_window->setAcceptDrops(true);
        m_window->installEventFilter(this);
    }
}

FirmwareDropHandler::Verdict FirmwareDropHandler::judge(const QMimeData* dropped,
                                                        const Situation& situation) {
    const auto refuse = [](const QString& reason) { return Verdict{{}, reason}; };
    const QList<QUrl> urls = dropped ? dropped->urls() : QList<QUrl>();
    if (urls.isEmpty())
        return refuse(tr("Only a firmware image file can be dropped here."));
    if (urls.size() > 1)
        return refuse(tr("Drop one firmware image at a time."));
    if (situation.updateUnderWay)
        return refuse(tr("An update is running; drop the image again once it has ended."));
    if (!situation.factoryFirmwareEnabled)
        return refuse(tr("Updating from a file of your own needs “Enable factory "
                         "firmware\u201d in the preferences."));
    if (!situation.product)
        return refuse(tr("Choose the product first, then drop its image."));
    const QUrl& url = urls.first();
    if (!url.isLocalFile())
        return refuse(tr("Only files on this computer can be used; save the image first."));
    const QFileInfo file(url.toLocalFile());
    if (!file.isFile())
        return refuse(tr("\u201c%1\u201d is not a file.").arg(file.fileName()));
    // The same rule as the file chooser's: an image of the other family would be written as
    // if it were this one's.
    if (!situation.product->profile().acceptsFileName(file.fileName().toStdString()))
        return refuse(tr("\u201c%1\u201d is not a .%2 file, so it is not an image for %3.")
                          .arg(file.fileName(),
                               QString::fromStdString(situation.product->firmwareExtension()),
                               QString::fromStdString(situation.product->title())));
    return {file.absoluteFilePath(), {}};
}

bool FirmwareDropHandler::eventFilter(QObject* watched, QEvent* event) {
    // The type first: a window being destroyed is by then no widget to compare with.
    if (event->type() == QEvent::DragEnter && watched == m_window)
        return dragEntered(event);
    if (event->type() == QEvent::Drop && watched == m_window)
        return dropped(event);
    return QObject::eventFilter(watched, event);
}

bool FirmwareDropHandler::dragEntered(QEvent* event) {
    auto* drag = static_cast<QDragEnterEvent*>(event);
    // The reason for refusing a drop shows while it hovers, before the user lets go.
    const Verdict verdict = judge(drag->mimeData(), m_situation());
    if (!verdict.refusal.isEmpty()) {
        m_refuse(verdict.refusal);
        drag->ignore();
        return true;
    }
    drag->setDropAction(Qt::CopyAction);
    drag->accept();
    return true;
}

bool FirmwareDropHandler::dropped(QEvent* event) {
    auto* drop = static_cast<QDropEvent*>(event);
    // Judged again: the update may have started while the file hovered.
    const Verdict verdict = judge(drop->mimeData(), m_situation());
    if (!verdict.refusal.isEmpty()) {
        m_refuse(verdict.refusal);
        drop->ignore();
        return true;
    }
    drop->setDropAction(Qt::CopyAction);
    drop->accept();
    m_accept(verdict.path);
    return true;
}

} // namespace modflash
