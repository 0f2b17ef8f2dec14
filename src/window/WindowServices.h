// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QPointer>
#include <QString>
#include <QUrl>

#include <functional>
#include <optional>

class QWidget;

namespace modflash {

class SleepInhibitor;
class UsbDeviceSource;

// What the window asks of the desktop. Each answer arrives through a callback, possibly after
// the call has returned, so that nothing blocks the event loop while a dialog is open.
struct WindowServices {
    // Answer of the file chooser: the chosen path, or nothing when the user cancelled.
    using FileChosen = std::function<void(std::optional<QString>)>;
    // Offers single existing files whose extension is `extension` (without the full stop),
    // starting in `directory`.
    using FileChooser = std::function<void(QWidget* window, const QString& directory,
                                           const QString& extension, FileChosen done)>;
    // Asks where to save a new file, offering suggestedName; the answer is the path the user
    // named, or nothing when the user cancelled.
    using SaveFileChooser =
        std::function<void(QWidget* window, const QString& suggestedName, FileChosen done)>;
    // Tells the user about a problem that needs no answer, in a text the user can copy.
    using ProblemReporter =
        std::function<void(QWidget* window, const QString& title, const QString& text)>;
    // Opens the address in the desktop's browser; false when no browser could be started.
    using UrlOpener = std::function<bool(const QUrl&)>;
    // A question with two answers: the one that goes on (accept) and the one that keeps things
    // as they are, which is also the default.
    struct Question {
        QString title;
        QString text;
        QString accept;
        QString reject;
    };
    // Asks the question; the answer is true to go on.
    using Confirmer = std::function<void(QWidget* window, const Question& question,
                                         std::function<void(bool)> answer)>;

    FileChooser chooseFile;
    UrlOpener openUrl;
    Confirmer confirm;
    SaveFileChooser chooseSaveFile;
    ProblemReporter reportProblem;
    // The connected USB devices and the desktop's sleep lock. Not owned; when empty, the
    // delegate makes its own: libusb's device list and logind's lock on the system bus.
    QPointer<UsbDeviceSource> usbDevices;
    QPointer<SleepInhibitor> sleepInhibitor;

    // Window-modal dialogs opened with open() and the desktop's default browser.
    static WindowServices desktop();
    // Fills every empty member with the desktop's.
    WindowServices withDesktopDefaults() const;
};

} // namespace modflash
