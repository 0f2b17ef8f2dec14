// SPDX-License-Identifier: GPL-3.0-or-later
// The window's entry point: reads its options, then hands control to the event loop.

#include "flashing/ResourceDirectory.h"
#include "update/LibusbDeviceSource.h"
#include "update/SettingsPreferences.h"
#include "update/SleepInhibitor.h"
#include "update/StopSignals.h"
#include "update/UserLanguage.h"
#include "window/AppDelegate.h"
#include "window/DesktopIdentity.h"
#include "window/MainWindow.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QFileInfo>

#include <cstdio>
#include <optional>

namespace {

// Exit status for a wrong command line, as modflash-cli uses it.
constexpr int usageError = 64;

// Made once translators are installed, so that its description is in the user's language.
QCommandLineOption resourcesOption() {
    return {
        QStringLiteral("resources"),
        QCoreApplication::translate(
            "modflash", "Use the resource directory DIR instead of the one beside the program."),
        QStringLiteral("DIR")};
}

void nameApplication() {
    QCoreApplication::setApplicationName(QStringLiteral("modflash"));
    QCoreApplication::setOrganizationName(QStringLiteral("modflash"));
    QCoreApplication::setApplicationVersion(QStringLiteral(MODFLASH_VERSION));
}

QCommandLineOption feedKeyOption() {
    return {QStringLiteral("feed-key"),
            QCoreApplication::translate(
                "modflash", "Trust the minisign public key in FILE for the firmware "
                            "feed's signature too, for this run (a maker's test feed)."),
            QStringLiteral("FILE")};
}

void describeOptions(QCommandLineParser& parser) {
    parser.setApplicationDescription(
        QCoreApplication::translate("modflash", "Updates the firmware of modules."));
    parser.addHelpOption();
    parser.addVersionOption();
    parser.addOption(resourcesOption());
    parser.addOption(feedKeyOption());
}

// --help and --version are answered before any display is opened, so that they work over ssh
// and in scripts. Everything else waits for the toolkit, which takes its own options first.
void answerHelpAndVersion(int argc, char* argv[]) {
    const QCoreApplication early(argc, argv);
    nameApplication();
    const modflash::UserLanguage translations;
    QCommandLineParser parser;
    describeOptions(parser);
    parser.parse(QCoreApplication::arguments());
    if (parser.isSet(QStringLiteral("help")) || parser.isSet(QStringLiteral("help-all")) ||
        parser.isSet(QStringLiteral("version")))
        parser.process(QCoreApplication::arguments()); // prints, and exits
}

void usageMistake(const QString& text) {
    std::fprintf(stderr, "modflash: %s\n", qPrintable(text));
}

// The resource directory the arguments name, or the one beside the program; nothing after a
// usage mistake, which is reported.
std::optional<modflash::ResourceDirectory> resourcesFromArguments(QCommandLineParser& parser) {
    describeOptions(parser);
    if (!parser.parse(QCoreApplication::arguments())) {
        usageMistake(
            QCoreApplication::translate("modflash", "%1 See --help.").arg(parser.errorText()));
        return std::nullopt;
    }
    if (!parser.positionalArguments().isEmpty()) {
        usageMistake(
            QCoreApplication::translate("modflash", "unexpected argument \"%1\"; see --help")
                .arg(parser.positionalArguments().first()));
        return std::nullopt;
    }
    if (!parser.isSet(QStringLiteral("resources"))) {
        return modflash::ResourceDirectory::forExecutable(
            QCoreApplication::applicationFilePath().toStdString());
    }
    const QString directory = parser.value(QStringLiteral("resources"));
    if (!QFileInfo(directory).isDir()) {
        usageMistake(
            QCoreApplication::translate("modflash", "the resource directory \"%1\" does not exist")
                .arg(directory));
        return std::nullopt;
    }
    return modflash::ResourceDirectory(directory.toStdString());
}

// Trusts the key files given; false after the first that cannot be used, which is reported.
bool trustFeedKeys(const QCommandLineParser& parser, modflash::WindowFeed& feed) {
    for (const QString& file : parser.values(QStringLiteral("feed-key"))) {
        QString reason;
        if (!feed.addKeyFile(file, &reason)) {
            usageMistake(
                QCoreApplication::translate(
                    "modflash", "--feed-key %1 cannot be used: %2; give a minisign public key file")
                    .arg(file, reason));
            return false;
        }
    }
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    answerHelpAndVersion(argc, argv);
    QApplication app(argc, argv);
    nameApplication();
    const modflash::UserLanguage translations;
    // The installed desktop entry's id, so that the desktop matches the window to its entry
    // and icon: the app id on Wayland. On X11 the desktop matches the window's class, which
    // Qt takes from the application name above; the entry's StartupWMClass names it.
    QGuiApplication::setDesktopFileName(modflash::DesktopIdentity::applicationId());
    // Dialogs too carry the icon.
    QApplication::setWindowIcon(modflash::DesktopIdentity::icon());

    QCommandLineParser parser;
    const std::optional<modflash::ResourceDirectory> resources = resourcesFromArguments(parser);
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
    if (!trustFeedKeys(parser, delegate.feed()))
        return usageError;
    delegate.applicationDidFinishLaunching();
    // The session or the terminal ending: stop a running tool and wait for it, then close.
    const modflash::StopSignals stopSignals([&delegate](int) { delegate.terminate(); });
    window.show();
    return QApplication::exec();
}
