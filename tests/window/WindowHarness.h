#pragma once

#include "AppDelegate.h"
#include "FakeUsbDeviceSource.h"
#include "MainWindow.h"
#include "SettingsPreferences.h"
#include "WindowServices.h"

#include <QList>
#include <QString>
#include <QUrl>

#include <optional>

class QComboBox;

namespace modflash::testing {

// The real window and delegate over a given resource directory and preferences file, with the
// desktop's dialogs and browser replaced by recorders the test answers and USB devices the test
// plugs in. The sleep lock is the given one, or the delegate's own on the system bus.
class WindowHarness {
public:
    WindowHarness(const QString& resourcePath, const QString& preferencesFile,
                  SleepInhibitor* sleepInhibitor = nullptr);

    // Starts the delegate and shows the window, as the application does.
    void launch();

    // What a click on an entry of the pop-up does: select it and report the user's choice.
    static void pick(QComboBox* list, int row);
    static void pick(QComboBox* list, const QString& title);
    void pickProduct(const QString& title) { pick(controls.productList, title); }
    void pickVersion(const QString& title) { pick(controls.versionList, title); }

    // The file chooser's open request, answered later by answerChooser().
    bool chooserIsOpen() const { return static_cast<bool>(m_pendingChoice); }
    void answerChooser(const std::optional<QString>& path);
    // The save dialog's request, answered later by answerSaveChooser().
    bool saveChooserIsOpen() const { return static_cast<bool>(m_pendingSave); }
    void answerSaveChooser(const std::optional<QString>& path);

    SettingsPreferences preferences;
    FakeUsbDeviceSource usbDevices;
    MainWindow window;
    WindowControls controls;
    QStringList chooserExtensions;
    QList<QUrl> openedUrls;
    QStringList confirmQuestions;
    std::function<void(bool)> pendingConfirmation;
    QStringList suggestedSaveNames;
    QStringList reportedProblems;
    AppDelegate delegate;

private:
    WindowServices recordingServices(SleepInhibitor* sleepInhibitor);

    WindowServices::FileChosen m_pendingChoice;
    WindowServices::FileChosen m_pendingSave;
};

// The titles of the entries a user can reach in a pop-up list, top to bottom.
QStringList offeredTitles(QComboBox* list);
// Every entry's title, reachable or not.
QStringList allTitles(QComboBox* list);

} // namespace modflash::testing
