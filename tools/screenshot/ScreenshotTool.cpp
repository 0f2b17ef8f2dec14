// SPDX-License-Identifier: GPL-3.0-or-later
// Saves a picture of the real window after a product and a version have been chosen, for the
// documentation; with --progress-output it also presses Update and takes one picture while the
// tool is part-way (the stand-in tool waits for the --gate file) and then --output once the
// verdict is in; with --run it presses Update and takes --output once the verdict is in (a real
// tool on the virtual bench needs no gate). --dark shows it under a dark palette. Run it under
// a display (scripts/screenshot-window uses Xvfb). --copy-log presses Copy Log after the run, as
// a user about to ask for help does, so the picture shows what the window says then. It keeps its
// preferences in a temporary file, so the user's own are neither read nor changed.

#include "FakeUsbDeviceSource.h"
#include "update/SettingsPreferences.h"
#include "update/UserLanguage.h"
#include "window/AppDelegate.h"
#include "window/MainWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QCommandLineParser>
#include <QFile>
#include <QPalette>
#include <QPixmap>
#include <QProgressBar>
#include <QPushButton>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

using namespace modflash;

namespace {

bool pick(QComboBox* list, const QString& title) {
    // A sample image's version carries a note after it, in the window's language.
    int row = list->findText(title, Qt::MatchExactly);
    if (row < 0)
        row = list->findText(title + QLatin1Char(' '), Qt::MatchStartsWith);
    if (row < 0) {
        std::fprintf(stderr, "window_screenshot: no entry \"%s\"\n", qPrintable(title));
        return false;
    }
    list->setCurrentIndex(row);
    emit list->activated(row);
    return true;
}

bool save(QWidget& window, const QString& path) {
    QTest::qWait(200); // let the page, the lists and the bar settle before the picture
    if (window.grab().save(path, "PNG"))
        return true;
    std::fprintf(stderr, "window_screenshot: cannot write %s\n", qPrintable(path));
    return false;
}

// Presses Update, saves a picture once the bar has reached percent, opens the gate the
// stand-in tool waits at and waits for the verdict.
bool runUpdate(AppDelegate& delegate, const WindowControls& controls, QWidget& window,
               const QString& progressOutput, int percent, const QString& gate) {
    bool finished = false;
    QObject::connect(&delegate.session(), &UpdateSession::finished, &window,
                     [&finished] { finished = true; });
    controls.updateButton->click();
    if (!QTest::qWaitFor([&] { return controls.progressBar->value() >= percent || finished; },
                         60000) ||
        finished) {
        std::fprintf(stderr, "window_screenshot: the tool never reached %d%%\n", percent);
        return false;
    }
    if (!save(window, progressOutput))
        return false;
    QFile(gate).open(QIODevice::WriteOnly);
    if (!QTest::qWaitFor([&] { return finished; }, 60000)) {
        std::fprintf(stderr, "window_screenshot: the tool never ended\n");
        return false;
    }
    return true;
}

// Fusion's palette turned dark, as a desktop in a dark theme hands it to Qt.
QPalette darkPalette() {
    QPalette dark(QColor(53, 53, 53));
    dark.setColor(QPalette::Base, QColor(25, 25, 25));
    dark.setColor(QPalette::Link, QColor(42, 130, 218));
    return dark;
}

bool runToVerdict(AppDelegate& delegate, const WindowControls& controls) {
    bool finished = false;
    QObject::connect(&delegate.session(), &UpdateSession::finished, controls.window.data(),
                     [&finished] { finished = true; });
    controls.updateButton->click();
    if (QTest::qWaitFor([&] { return finished; }, 120000))
        return true;
    std::fprintf(stderr, "window_screenshot: the tool never ended\n");
    return false;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
    // The pictures speak the language LANG names, as the window does.
    const modflash::UserLanguage translations;
    QCommandLineParser parser;
    parser.addHelpOption();
    const QCommandLineOption resources(
        QStringLiteral("resources"), QStringLiteral("Resource directory."), QStringLiteral("DIR"));
    const QCommandLineOption product(QStringLiteral("product"), QStringLiteral("Product title."),
                                     QStringLiteral("TITLE"));
    const QCommandLineOption version(QStringLiteral("version"), QStringLiteral("Version text."),
                                     QStringLiteral("VERSION"));
    const QCommandLineOption output(QStringLiteral("output"), QStringLiteral("PNG file to write."),
                                    QStringLiteral("FILE"));
    const QCommandLineOption progressOutput(
        QStringLiteral("progress-output"),
        QStringLiteral("Run the update and save a picture part-way to this PNG file."),
        QStringLiteral("FILE"));
    const QCommandLineOption progressAt(QStringLiteral("progress-at"),
                                        QStringLiteral("Percentage for that picture (50)."),
                                        QStringLiteral("PERCENT"), QStringLiteral("50"));
    const QCommandLineOption gate(QStringLiteral("gate"),
                                  QStringLiteral("File the stand-in tool waits for."),
                                  QStringLiteral("FILE"));
    const QCommandLineOption usbDevice(
        QStringLiteral("usb-device"),
        QStringLiteral("Show this device as plugged in instead of asking libusb (repeatable)."),
        QStringLiteral("VID:PID"));
    const QCommandLineOption run(QStringLiteral("run"),
                                 QStringLiteral("Run the update to its verdict before --output."));
    const QCommandLineOption copyLog(QStringLiteral("copy-log"),
                                     QStringLiteral("Press Copy Log after --run."));
    const QCommandLineOption dark(QStringLiteral("dark"),
                                  QStringLiteral("Show the window under a dark palette."));
    parser.addOptions({resources, product, version, output, progressOutput, progressAt, gate,
                       usbDevice, run, copyLog, dark});
    parser.process(app);
    if (!parser.isSet(resources) || !parser.isSet(output)) {
        std::fprintf(stderr, "window_screenshot: --resources and --output are required\n");
        return 64;
    }

    if (parser.isSet(dark)) {
        QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
        QApplication::setPalette(darkPalette());
    }

    QTemporaryDir home;
    SettingsPreferences preferences(home.filePath(QStringLiteral("modflash.conf")));
    MainWindow window;
    WindowServices services;
    services.openUrl = [](const QUrl&) { return true; };
    testing::FakeUsbDeviceSource devices;
    if (parser.isSet(usbDevice)) {
        for (const QString& id : parser.values(usbDevice)) {
            if (const auto parsed = UsbId::parse(id.toStdString()))
                devices.plug(*parsed);
        }
        services.usbDevices = &devices;
    }
    AppDelegate delegate(window.controls(), preferences,
                         ResourceDirectory(parser.value(resources).toStdString()), services);
    delegate.applicationDidFinishLaunching();
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return 1;

    const WindowControls controls = window.controls();
    if (parser.isSet(product) && !pick(controls.productList, parser.value(product)))
        return 1;
    if (parser.isSet(version) && !pick(controls.versionList, parser.value(version)))
        return 1;
    if (parser.isSet(progressOutput) &&
        !runUpdate(delegate, controls, window, parser.value(progressOutput),
                   parser.value(progressAt).toInt(), parser.value(gate)))
        return 1;
    if (parser.isSet(run) && !runToVerdict(delegate, controls))
        return 1;
    if (parser.isSet(copyLog))
        controls.copyLogButton->click();
    return save(window, parser.value(output)) ? 0 : 1;
}
