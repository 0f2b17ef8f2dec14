// SPDX-License-Identifier: GPL-3.0-or-later
#include "feed/ReleaseNotes.h"

#include "feed/ReleaseReader.h"

#include "flashing/Utf8.h"

#include <QFile>
#include <QFileInfo>

namespace modflash::feed {

QString ReleaseNotes::fileNameFor(const QString& imageFileName) {
    return imageFileName + QStringLiteral(".txt");
}

std::optional<QString> ReleaseNotes::read(const QString& path, QString* reason) {
    const auto refuse = [&](const QString& why) -> std::optional<QString> {
        if (reason)
            *reason = tr("notes “%1”: %2").arg(QFileInfo(path).fileName(), why);
        return std::nullopt;
    };
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return refuse(tr("cannot be read: %1").arg(file.errorString()));
    // Editors on other systems add a byte order mark and CR LF line ends; neither is text. A
    // longer file is refused for its size all the same.
    QByteArray bytes = file.read(4 * ReleaseReader::largestNotes);
    if (bytes.startsWith("\xEF\xBB\xBF"))
        bytes.remove(0, 3);
    bytes.replace("\r\n", "\n");
    while (bytes.endsWith('\n') || bytes.endsWith(' '))
        bytes.chop(1);
    if (bytes.size() <= ReleaseReader::largestNotes &&
        !isValidUtf8(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size()))))
        return refuse(tr("not UTF-8 text"));
    const QString text = QString::fromUtf8(bytes);
    if (const QString refusal = ReleaseReader::notesRefusal(text); !refusal.isEmpty())
        return refuse(refusal);
    return text;
}

} // namespace modflash::feed
