// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// With the widgets the window tests reach through WindowControls, so that each test file names
// only what it alone uses.
#include "FakeUsbDeviceSource.h"
#include "TestSupport.h"
#include "ToolDirectory.h"
#include "update/SettingsPreferences.h"
#include "window/AppDelegate.h"
#include "window/BuildInfo.h"
#include "window/LogTextView.h"
#include "window/MainWindow.h"

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QUrl>

#include <gtest/gtest.h>

#include <memory>
#include <optional>

namespace modflash::testing {

// The real window and delegate under the offscreen platform, over a resource directory and a
// preferences file of the test's own, with the desktop's dialogs and browser replaced by
// recorders the test answers and USB devices the test plugs in. Offered with factory firmware
// off: "Parvonne (rev009 or Higher)" (three images), "Wendrel" (two), "Tessary 1U (rev002)"
// (one); with it on also "Kolvane" and "Zembro". Every tool is the same stand-in script.
class WindowFixture : public ::testing::Test {
protected:
    static constexpr int toolTimeout = 30000; // ms: a hang guard, never a measure

    WindowFixture();
    ~WindowFixture() override;

    // Starts the window over the fixture's resource directory, or the one given.
    void start(std::optional<bool> factoryFirmware = std::nullopt,
               const QString& resourcePath = {});
    void quit();
    const WindowControls& controls() const { return m_controls; }
    AppDelegate& delegate() { return *m_delegate; }
    MainWindow& window() { return *m_window; }

    // What a click on an entry of a pop-up does: select it and report the user's choice.
    static void pick(QComboBox* list, const QString& title);
    void choose(const QString& product, const QString& version);
    void installTools(const QByteArray& script);
    void clickUpdate() { QTest::mouseClick(m_controls.updateButton, Qt::LeftButton); }
    bool waitForFinish();
    // A script line that waits until openGate(): the tool's environment holds nothing of the
    // test's, so the gate's path is written into the script.
    QByteArray gate() const;
    void openGate() const;
    QString log() const { return m_controls.logTextField->toPlainText(); }
    QString banner() const { return m_controls.bannerLabel->text(); }
    QString outsideFile(const QString& name);
    QString preferencesFile() const { return home.filePath(QStringLiteral("modflash.conf")); }
    // A separate reader of the preferences file, as the command line or the next start is.
    QStringList storedKeys() const {
        return QSettings(preferencesFile(), QSettings::IniFormat).allKeys();
    }
    QVariant stored(const QString& key) const {
        return QSettings(preferencesFile(), QSettings::IniFormat).value(key);
    }

    ToolDirectory resources;
    QTemporaryDir home;
    FakeUsbDeviceSource usbDevices;
    std::optional<QString> choiceExtension; // the file chooser is open, for this extension
    QString choiceDirectory;                // where it starts
    WindowServices::FileChosen answerChooser;
    WindowServices::FileChosen answerSaveChooser;
    QString suggestedSaveName;
    std::function<void(bool)> answerConfirmation;
    QStringList questions;
    QStringList problems;
    QList<QUrl> openedUrls;
    QStringList feedKeys; // trusted besides the built-in ones, as --feed-key does
    // The desktop's own browser and problem box instead of the recorders, set before start().
    bool desktopBrowser = false;
    int finished = 0;

private:
    std::unique_ptr<SettingsPreferences> m_preferences;
    std::unique_ptr<MainWindow> m_window;
    WindowControls m_controls;
    std::unique_ptr<AppDelegate> m_delegate;
};

// The titles of the entries a user can reach in a pop-up list, top to bottom.
QStringList offeredTitles(QComboBox* list);
QStringList allTitles(QComboBox* list);

} // namespace modflash::testing
