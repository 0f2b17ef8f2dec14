#pragma once

#include "WindowServices.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>

namespace modflash {

// Hands the log on: to the clipboard, or into a plain UTF-8 text file the user names. The file
// holds exactly the log's text and is only ever written when the user asks for it; a file that
// cannot be written is reported with the system's reason.
class LogExport : public QObject {
    Q_OBJECT

public:
    using LogText = std::function<QString()>;

    LogExport(QWidget* window, LogText logText, WindowServices::SaveFileChooser chooseFile,
              WindowServices::ProblemReporter report, QObject* parent = nullptr);

    // "modflash-log-2026-12-06-1425.txt" in the home directory, after the local time now.
    static QString suggestedPath();

    void copy() const;
    // Asks where to save; the file is written once the user has answered, with the log's text
    // at that moment.
    void save();
    // Writes the log's text into path, replacing any file there as a whole; on failure the
    // user is told why and false is returned.
    bool writeTo(const QString& path) const;

private:
    QPointer<QWidget> m_window;
    LogText m_logText;
    WindowServices::SaveFileChooser m_chooseFile;
    WindowServices::ProblemReporter m_report;
};

} // namespace modflash
