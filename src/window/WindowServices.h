#pragma once

#include <QString>
#include <QUrl>

#include <functional>
#include <optional>

class QWidget;

namespace modflash {

// What the window asks of the desktop. Each answer arrives through a callback, possibly after
// the call has returned, so that nothing blocks the event loop while a dialog is open.
struct WindowServices {
    // Answer of the file chooser: the chosen path, or nothing when the user cancelled.
    using FileChosen = std::function<void(std::optional<QString>)>;
    // Offers single existing files whose extension is `extension` (without the full stop).
    using FileChooser =
        std::function<void(QWidget* window, const QString& extension, FileChosen done)>;
    using UrlOpener = std::function<void(const QUrl&)>;
    // Asks whether to go on with stopping; the answer is true to stop.
    using StopConfirmer =
        std::function<void(QWidget* window, const QString& question, std::function<void(bool)>)>;

    FileChooser chooseFile;
    UrlOpener openUrl;
    StopConfirmer confirmStop;

    // Window-modal dialogs opened with open() and the desktop's default browser.
    static WindowServices desktop();
    // Fills every empty member with the desktop's.
    WindowServices withDesktopDefaults() const;
};

} // namespace modflash
