// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/LogExport.h"

#include "flashing/Preferences.h"
#include "window/BuildInfo.h"

#include <QClipboard>
#include <QDateTime>
#include <QDir>
#include <QGuiApplication>
#include <QSaveFile>

namespace modflash {

namespace {

// Unbuffered and written to the last byte: a full disk first cuts a write short and fails only
// the next one, which is the one that says why. A buffered write would fail only in commit(),
// which forgets the reason.
bool writeAll(QSaveFile& file, const QByteArray& bytes) {
    for (qsizetype written = 0; written < bytes.size();) {
        const qint64 count = file.write(bytes.constData() + written, bytes.size() - written);
        if (count <= 0)
            return false;
        written += count;
    }
    return true;
}

} // namespace

LogExport::About LogExport::aboutFor(const ProductPtr& product,
                                    const std::optional<feed::FirmwareOffer>& offer,
                                    const Preferences& settings) {
    QStringList preferences;
    for (const char* key : PreferenceKey::textKeys)
        preferences << QString::fromUtf8(key) + QLatin1Char('=') +
                           QString::fromStdString(settings.stringForKey(key));
    for (const char* key : PreferenceKey::switchKeys)
        preferences << QString::fromUtf8(key) + QLatin1Char('=') +
                           QLatin1String(settings.boolForKey(key) ? "yes" : "no");
    // The header is for the person the log is handed to; its words are not the log's own.
    QString header =
        tr("modflash %1 log, saved %2\n")
            .arg(BuildInfo::version(), QDateTime::currentDateTime().toString(Qt::ISODate));
    header += tr("Product: %1\n")
                  .arg(product ? QString::fromStdString(product->title()) : tr("none chosen"));
    const QString source = !offer            ? QString()
                           : offer->firmware ? QString::fromStdString(offer->firmware->path())
                                             : offer->release->url.toString();
    header += tr("Version: %1\n")
                  .arg(offer ? QString::fromStdString(offer->version()) + QStringLiteral(" (") +
                                   source + QLatin1Char(')')
                             : tr("none chosen"));
    header += tr("Preferences: %1\n").arg(preferences.join(QStringLiteral(", ")));
    header += QStringLiteral("----\n");
    return {product ? QString::fromStdString(product->pageName()) : QString(), header};
}

LogExport::LogExport(QWidget* window, LogText logText, AboutSource about,
                     WindowServices::SaveFileChooser chooseFile,
                     WindowServices::ProblemReporter report, QObject* parent)
    : QObject(parent)
    , m_window(window)
    , m_logText(std::move(logText))
    , m_about(std::move(about))
    , m_chooseFile(std::move(chooseFile))
    , m_report(std::move(report)) {}

QString LogExport::suggestedPath(const QString& pageName) {
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmm"));
    const QString name = pageName.isEmpty() ? stamp : pageName + QLatin1Char('-') + stamp;
    return QDir::home().filePath(QStringLiteral("modflash-log-%1.txt").arg(name));
}

void LogExport::copy() {
    QGuiApplication::clipboard()->setText(m_logText());
    emit copied();
}

void LogExport::save() {
    QPointer<LogExport> self(this);
    m_chooseFile(m_window, suggestedPath(m_about().pageName),
                 [self](const std::optional<QString>& path) {
                     if (self && path && !path->isEmpty() && self->writeTo(*path))
                         emit self->saved(*path);
                 });
}

bool LogExport::writeTo(const QString& path) const {
    // Written aside and renamed into place: a failure half-way never leaves a truncated log
    // where an older file stood.
    QSaveFile file(path);
    const QByteArray bytes = (m_about().header + m_logText()).toUtf8();
    if (file.open(QIODevice::WriteOnly | QIODevice::Unbuffered) && writeAll(file, bytes) &&
        file.commit())
        return true;
    const QString reason = file.errorString();
    file.cancelWriting();
    m_report(m_window, tr("The Log Was Not Saved"),
             tr("The log could not be saved as \u201c%1\u201d: %2.")
                 .arg(QDir::toNativeSeparators(path), reason));
    return false;
}

} // namespace modflash
