#pragma once

#include "AppDelegate.h"
#include "MainWindow.h"
#include "SettingsPreferences.h"
#include "UpdateRun.h"

#include <QString>

#include <filesystem>
#include <functional>

class QPlainTextEdit;

namespace modflash::bench {

// The application's real window and delegate over a benchmark's resource directory, with a
// preferences file of its own, started and shown as the application does it.
class BenchWindow {
public:
    explicit BenchWindow(const std::filesystem::path& resources);

    void launch();

    // Updates the benchmark product with its one image; the log texts go to the window's log,
    // or to `sink` when one is given (the baseline logs).
    void startUpdate(const std::function<void(const QString&)>& sink = {});

    // Picks the product as a user does, which builds its version list.
    void pickProduct(const QString& title);

    QPlainTextEdit* log() const;
    QWidget* window() { return &m_window; }
    AppDelegate& delegate() { return m_delegate; }

private:
    ResourceDirectory m_resources;
    SettingsPreferences m_preferences;
    MainWindow m_window;
    WindowControls m_controls;
    AppDelegate m_delegate;
    UpdateRun m_run;
};

} // namespace modflash::bench
