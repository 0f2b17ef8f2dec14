// The window's entry point: reads its one option, then hands control to the event loop.

#include "AppDelegate.h"
#include "DesktopIdentity.h"
#include "LibusbDeviceSource.h"
#include "MainWindow.h"
#include "ResourceDirectory.h"
#include "SettingsPreferences.h"
#include "SleepInhibitor.h"
#include "StopSignals.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>

#include <cstdio>
#include <optional>

namespace {

// Exit status for a wrong command line, as modflash-cli uses it.
constexpr int usageError = 64;

std::optional<modflash::ResourceDirectory> resourcesFromArguments() {
    QCommandLineParser parser;
    parser.setApplicationDescription(QStringLiteral("Updates the firmware of modules."));
    parser.addHelpOption();
    parser.addVersionOption();
    const QCommandLineOption resourcesOption(
        QStringLiteral("resources"),
        QStringLiteral("Use the resource directory DIR instead of the one beside the program."),
        QStringLiteral("DIR"));
    parser.addOption(resourcesOption);
    if (!parser.parse(QCoreApplication::arguments())) {
        std::fprintf(stderr, "modflash: %s See --help.\n", qPrintable(parser.errorText()));
        return std::nullopt;
    }
    parser.process(QCoreApplication::arguments()); // answers --help and --version, and exits

    if (!parser.positionalArguments().isEmpty()) {
        std::fprintf(stderr, "modflash: unexpected argument \"%s\"; see --help\n",
                     qPrintable(parser.positionalArguments().first()));
        return std::nullopt;
    }
    if (!parser.isSet(resourcesOption)) {
        return modflash::ResourceDirectory::forExecutable(
            QCoreApplication::applicationFilePath().toStdString());
    }
    const QString directory = parser.value(resourcesOption);
    if (!QFileInfo(directory).isDir()) {
        std::fprintf(stderr, "modflash: the resource directory \"%s\" does not exist\n",
                     qPrintable(directory));
        return std::nullopt;
    }
    return modflash::ResourceDirectory(directory.toStdString());
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("modflash"));
    QApplication::setOrganizationName(QStringLiteral("modflash"));
    QApplication::setApplicationVersion(QStringLiteral(MODFLASH_VERSION));
    // The installed desktop entry's id, so that the desktop matches the window to its entry
    // and icon: the app id on Wayland. On X11 the desktop matches the window's class, which
    // Qt takes from the application name above; the entry's StartupWMClass names it.
    QGuiApplication::setDesktopFileName(modflash::DesktopIdentity::applicationId());
    // Dialogs too carry the icon.
    QApplication::setWindowIcon(modflash::DesktopIdentity::icon());

    const std::optional<modflash::ResourceDirectory> resources = resourcesFromArguments();
    if (!resources)
        return usageError;

    modflash::SettingsPreferences preferences;
    modflash::LibusbDeviceSource usbDevices;
    modflash::SleepInhibitor sleepInhibitor;
    modflash::WindowServices services;
    services.usbDevices = &usbDevices;
    services.sleepInhibitor = &sleepInhibitor;
    modflash::MainWindow window;
    modflash::AppDelegate delegate(window.controls(), preferences, *resources, services);
    delegate.applicationDidFinishLaunching();
    // The session or the terminal ending: stop a running tool and wait for it, then close.
    const modflash::StopSignals stopSignals([&delegate](int) { delegate.terminate(); });
    window.show();
    return QApplication::exec();
}
