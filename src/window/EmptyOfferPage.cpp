// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/EmptyOfferPage.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace modflash {

namespace {

QString tr(const char* text) {
    return QCoreApplication::translate("modflash::EmptyOfferPage", text);
}

} // namespace

QString EmptyOfferPage::html(const Situation& situation) {
    const QString& resources = situation.resourceDirectory;
    if (!QFileInfo(resources).isDir())
        return tr("<h1>modflash cannot find its resources</h1><p>The directory that should hold "
                  "the firmware images, the instructions and the flashing tools is missing: "
                  "%1</p><p>Install modflash again, or start it with <tt>--resources DIR</tt>."
                  "</p>")
            .arg(resources.toHtmlEscaped());
    return tr("<h1>No firmware images yet</h1><p>modflash offers the products it has firmware "
              "images for, and it finds none: neither among those installed with it, in %1, nor "
              "in your own firmware folder, %2.</p><p>Put the images from your module's maker "
              "into your folder: <a href=\"%3\">open the firmware folder</a>.%4</p><p>%5</p>")
        .arg((resources + QStringLiteral("/firmware")).toHtmlEscaped(),
             situation.userFolder.toHtmlEscaped(), openFolderLink().toString(),
             situation.factoryFirmwareEnabled
                 ? QString()
                 : tr(" Products for factory firmware appear once “Enable factory "
                      "firmware\u201d is on."),
             situation.feedStatus.toHtmlEscaped());
}

} // namespace modflash
