#pragma once

#include "AppDelegate.h"
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
// desktop's dialogs and browser replaced by recorders the test answers.
class WindowHarness {
public:
    WindowHarness(const QString& resourcePath, const QString& preferencesFile);

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

    SettingsPreferences preferences;
    MainWindow window;
    WindowControls controls;
    QStringList chooserExtensions;
    QList<QUrl> openedUrls;
    QStringList confirmQuestions;
    std::function<void(bool)> pendingConfirmation;
    AppDelegate delegate;

private:
    WindowServices recordingServices();

    WindowServices::FileChosen m_pendingChoice;
};

// The titles of the entries a user can reach in a pop-up list, top to bottom.
QStringList offeredTitles(QComboBox* list);
// Every entry's title, reachable or not.
QStringList allTitles(QComboBox* list);

} // namespace modflash::testing
