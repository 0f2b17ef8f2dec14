// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "update/SettingsPreferences.h"
#include "window/AppDelegate.h"
#include "window/MainWindow.h"

#include <QString>

#include <filesystem>
#include <functional>

class QComboBox;
class QPlainTextEdit;

namespace modflash {
class LogTextView;
}

namespace modflash::bench {

// The application's real window and delegate over a benchmark's resource directory, with a
// preferences file of its own, started and shown as the application does it.
class BenchWindow {
public:
    explicit BenchWindow(const std::filesystem::path& resources);

    void launch();

    // Updates the benchmark product with its one image as a user does: picks the product and
    // the version, then presses Update. The log texts go to the window's log, or to `sink`
    // instead when one is given (the baseline logs).
    void startUpdate(const std::function<void(const QString&)>& sink = {});

    // Picks the product as a user does, which builds its version list.
    void pickProduct(const QString& title);
    void pickVersion(const QString& title);

    LogTextView* log() const;
    // A plain-text edit in the log's place, the log view hidden, for the baseline logs.
    QPlainTextEdit* baselineLog();
    QWidget* window() { return &m_window; }
    AppDelegate& delegate() { return m_delegate; }

private:
    static void pick(QComboBox* list, const QString& title);

    ResourceDirectory m_resources;
    SettingsPreferences m_preferences;
    MainWindow m_window;
    WindowControls m_controls;
    AppDelegate m_delegate;
};

} // namespace modflash::bench
