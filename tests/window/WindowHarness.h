#pragma once

#include "AppDelegate.h"
#include "FakeUsbDeviceSource.h"
#include "MainWindow.h"
#include "SettingsPreferences.h"
#include "TestResources.h"
#include "WindowServices.h"

#include <QComboBox>
#include <QList>
#include <QSignalSpy>
#include <QString>
#include <QTemporaryDir>
#include <QUrl>

#include <memory>
#include <optional>

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

// One test's own resource directory, home with its preferences file, and window, with the steps
// most window tests take: start, choose, press Update, wait for the tool's end. Test classes
// derive from it and call reset() in their cleanup() so that each test starts afresh.
class WindowFixture {
public:
    static constexpr int toolTimeout = 30000; // ms; generous for a loaded machine, never a measure

    WindowFixture();
    ~WindowFixture();
    void reset();

    // Starts the window over a preferences file that holds the factory setting, if given, with
    // the given sleep lock or the delegate's own.
    void start(std::optional<bool> factoryFirmware = std::nullopt,
               SleepInhibitor* sleepInhibitor = nullptr);
    // Ends the window and delegate, as the application's end does, keeping the home.
    void quit();
    void restart();
    TestResources& resources() const { return *m_resources; }
    WindowHarness& app() const { return *m_window; }
    const WindowControls& controls() const { return m_window->controls; }

    void choose(const QString& product, const QString& version);
    void clickUpdate();
    // Waits until the given number of updates have finished since start().
    bool waitForFinish(int count = 1);
    int finishedCount() const { return int(m_finished->size()); }

    QString log() const;
    QString banner() const;
    QString homePath() const { return m_home->path(); }
    QString preferencesFile() const { return m_home->filePath(QStringLiteral("modflash.conf")); }
    // A script line that waits until openGate(): the tool's environment holds no variables of
    // the test's, so the gate's path is written into the script itself.
    QByteArray gate() const;
    void openGate() const;

private:
    std::unique_ptr<TestResources> m_resources;
    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<WindowHarness> m_window;
    std::unique_ptr<QSignalSpy> m_finished;
};

// The titles of the entries a user can reach in a pop-up list, top to bottom.
QStringList offeredTitles(QComboBox* list);
// Every entry's title, reachable or not.
QStringList allTitles(QComboBox* list);

} // namespace modflash::testing
