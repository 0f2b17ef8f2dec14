#include "LogExport.h"

#include <QClipboard>
#include <QDateTime>
#include <QDir>
#include <QGuiApplication>
#include <QSaveFile>

namespace modflash {

LogExport::LogExport(QWidget* window, LogText logText, WindowServices::SaveFileChooser chooseFile,
                     WindowServices::ProblemReporter report, QObject* parent)
    : QObject(parent)
    , m_window(window)
    , m_logText(std::move(logText))
    , m_chooseFile(std::move(chooseFile))
    , m_report(std::move(report)) {}

QString LogExport::suggestedPath() {
    const QString stamp = QDateTime::currentDateTime().toString(QStringLiteral("yyyy-MM-dd-HHmm"));
    return QDir::home().filePath(QStringLiteral("modflash-log-%1.txt").arg(stamp));
}

void LogExport::copy() const {
    QGuiApplication::clipboard()->setText(m_logText());
}

void LogExport::save() {
    QPointer<LogExport> self(this);
    m_chooseFile(m_window, suggestedPath(), [self](const std::optional<QString>& path) {
        if (self && path && !path->isEmpty())
            self->writeTo(*path);
    });
}

bool LogExport::writeTo(const QString& path) const {
    // Written aside and renamed into place: a failure half-way never leaves a truncated log
    // where an older file stood.
    QSaveFile file(path);
    const QByteArray bytes = m_logText().toUtf8();
    if (file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.commit())
        return true;
    const QString reason = file.errorString();
    file.cancelWriting();
    m_report(m_window, tr("The Log Was Not Saved"),
             tr("The log could not be saved as \u201c%1\u201d: %2.")
                 .arg(QDir::toNativeSeparators(path), reason));
    return false;
}

} // namespace modflash
