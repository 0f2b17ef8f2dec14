// Saves a picture of the real window after a product and a version have been chosen, for the
// documentation. Run it under a display (scripts/screenshot-window uses Xvfb). It keeps its
// preferences in a temporary file, so the user's own are neither read nor changed.

#include "AppDelegate.h"
#include "MainWindow.h"
#include "SettingsPreferences.h"

#include <QApplication>
#include <QComboBox>
#include <QCommandLineParser>
#include <QPixmap>
#include <QTemporaryDir>
#include <QTest>

#include <cstdio>

using namespace modflash;

namespace {

bool pick(QComboBox* list, const QString& title) {
    const int row = list->findText(title, Qt::MatchExactly);
    if (row < 0) {
        std::fprintf(stderr, "window_screenshot: no entry \"%s\"\n", qPrintable(title));
        return false;
    }
    list->setCurrentIndex(row);
    emit list->activated(row);
    return true;
}

} // namespace

int main(int argc, char* argv[]) {
    QApplication app(argc, argv);
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
    parser.addOptions({resources, product, version, output});
    parser.process(app);
    if (!parser.isSet(resources) || !parser.isSet(output)) {
        std::fprintf(stderr, "window_screenshot: --resources and --output are required\n");
        return 64;
    }

    QTemporaryDir home;
    SettingsPreferences preferences(home.filePath(QStringLiteral("modflash.conf")));
    MainWindow window;
    WindowServices services;
    services.openUrl = [](const QUrl&) {};
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
    QTest::qWait(200); // let the page and the lists settle before the picture

    if (!window.grab().save(parser.value(output), "PNG")) {
        std::fprintf(stderr, "window_screenshot: cannot write %s\n",
                     qPrintable(parser.value(output)));
        return 1;
    }
    return 0;
}
