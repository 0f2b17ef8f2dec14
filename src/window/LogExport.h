// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/Product.h"
#include "feed/FirmwareOffer.h"
#include "window/WindowServices.h"

#include <QObject>
#include <QPointer>
#include <QString>
#include <QWidget>

#include <functional>
#include <optional>

namespace modflash {

class Preferences;

// Hands the log on: to the clipboard, or into a plain UTF-8 text file the user names. The file
// starts with a short header that says what the log is about (for whoever it is handed on to),
// followed by exactly the log's text; it is only ever written when the user asks for it, and a
// file that cannot be written is reported with the system's reason. Each hand-over is
// signalled, for the window to confirm.
class LogExport : public QObject {
    Q_OBJECT

public:
    using LogText = std::function<QString()>;
    // What the log is about: the product's page name, for the file's name, and the header.
    struct About {
        QString pageName;
        QString header;
    };
    using AboutSource = std::function<About()>;

    LogExport(QWidget* window, LogText logText, AboutSource about,
              WindowServices::SaveFileChooser chooseFile, WindowServices::ProblemReporter report,
              QObject* parent = nullptr);

    // What a saved log is about: the product and version chosen, and the preferences.
    static About aboutFor(const ProductPtr& product,
                          const std::optional<feed::FirmwareOffer>& offer,
                          const Preferences& preferences);

    // "modflash-log-Wendrel-2026-12-06-1425.txt" in the home directory, after the product's
    // page name (none before a product is chosen) and the local time now.
    static QString suggestedPath(const QString& pageName);

    void copy();
    // Asks where to save; the file is written once the user has answered, with the log's text
    // at that moment.
    void save();
    // Writes the header and the log's text into path, replacing any file there as a whole; on
    // failure the user is told why and false is returned.
    bool writeTo(const QString& path) const;

signals:
    void copied();
    void saved(const QString& path);

private:
    QPointer<QWidget> m_window;
    LogText m_logText;
    AboutSource m_about;
    WindowServices::SaveFileChooser m_chooseFile;
    WindowServices::ProblemReporter m_report;
};

} // namespace modflash
