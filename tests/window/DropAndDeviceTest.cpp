// Dropping an image file on the window, and the line that says whether the chosen product's
// device is plugged in, over USB devices the test plugs and unplugs.

#include "WindowHarness.h"

#include "VersionList.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

using namespace modflash;
using namespace modflash::testing;

namespace {
const QString wendrel = QStringLiteral("Wendrel");
const QString parvonne = QStringLiteral("Parvonne (rev009 or Higher)");
} // namespace

class DropAndDeviceTest : public QObject, WindowFixture {
    Q_OBJECT

private slots:
    void cleanup() { reset(); }

    void droppedImageIsChosenAsThroughOther();
    void refusedDrops_data();
    void refusedDrops();
    void noDropWhileAnUpdateRuns();
    void deviceLineFollowsPlugAndUnplug();

private:
    // Whether the window took the drag and then the drop.
    std::pair<bool, bool> drop(const QList<QUrl>& urls, const QString& text = {});
    QString deviceLine() const { return controls().deviceLine->text(); }
    bool deviceFound() const { return !deviceLine().startsWith(QStringLiteral("No ")); }
};

// What the desktop sends when a file is dragged over the window and let go: onto the
// instructions or the log, whichever is in front, which pass on what they refuse.
std::pair<bool, bool> DropAndDeviceTest::drop(const QList<QUrl>& urls, const QString& text) {
    QMimeData data;
    if (!urls.isEmpty())
        data.setUrls(urls);
    if (!text.isEmpty())
        data.setText(text);
    QWidget* target = controls().tabView->currentWidget();
    QWidget* under = target->childAt(target->rect().center());
    target = under ? under : target;
    const QPoint centre = target->rect().center();
    QDragEnterEvent enter(centre, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &enter);
    QDropEvent dropped(QPointF(centre), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(target, &dropped);
    return {enter.isAccepted(), dropped.isAccepted()};
}

void DropAndDeviceTest::droppedImageIsChosenAsThroughOther() {
    start(true);
    app().pickProduct(wendrel);
    const QString first = resources().addOutsideFile(QStringLiteral("custom-9.9.bin"));
    QCOMPARE(drop({QUrl::fromLocalFile(first)}), std::make_pair(true, true));
    QVERIFY(!app().chooserIsOpen()); // no dialog: the drop is the choice
    QCOMPARE(app().delegate.otherVersionFirmware()->path(), first.toStdString());
    QCOMPARE(controls().versionList->currentData(VersionList::kindRole).toInt(),
             static_cast<int>(VersionList::Kind::ChosenFile));
    QVERIFY(controls().updateButton->isEnabled());
    QVERIFY(banner().isEmpty());

    // A refusal shows, then a good drop clears it and replaces the earlier choice.
    drop({QUrl::fromLocalFile(resources().addOutsideFile(QStringLiteral("image.hex")))});
    QVERIFY(!banner().isEmpty());
    const QString second = resources().addOutsideFile(QStringLiteral("second.bin"));
    QVERIFY(drop({QUrl::fromLocalFile(second)}).second);
    QVERIFY(banner().isEmpty());
    QCOMPARE(allTitles(controls().versionList),
             (QStringList{QStringLiteral("1.4.2"), QStringLiteral("2.0"), QStringLiteral("second"),
                          QStringLiteral("Other..."), QStringLiteral("Select a version")}));
    QCOMPARE(app().delegate.otherVersionFirmware()->path(), second.toStdString());
}

void DropAndDeviceTest::refusedDrops_data() {
    QTest::addColumn<bool>("factoryFirmware");
    QTest::addColumn<bool>("chooseProduct");
    QTest::addColumn<QString>("dropped"); // "file:NAME", "files", "web", "text", "directory"
    QTest::addColumn<QString>("reason");
    QTest::newRow("factory firmware off") << false << true << "file:image.bin"
                                          << "Enable factory firmware";
    QTest::newRow("no product") << true << false << "file:image.bin"
                                << "Choose the product";
    QTest::newRow("other family's image")
        << true << true << "file:image.hex"
        << "is not a .bin file, so it is not an image for Wendrel";
    QTest::newRow("two files") << true << true << "files"
                               << "one firmware image at a time";
    QTest::newRow("web address") << true << true << "web"
                                 << "Only files on this computer";
    QTest::newRow("text") << true << true << "text"
                          << "Only a firmware image file";
    QTest::newRow("directory") << true << true << "directory"
                               << "is not a file";
}

void DropAndDeviceTest::refusedDrops() {
    QFETCH(bool, factoryFirmware);
    QFETCH(bool, chooseProduct);
    QFETCH(QString, dropped);
    QFETCH(QString, reason);
    start(factoryFirmware);
    if (chooseProduct)
        app().pickProduct(wendrel);
    const QStringList before = allTitles(controls().versionList);

    QList<QUrl> urls;
    QString text;
    if (dropped.startsWith(QStringLiteral("file:")))
        urls << QUrl::fromLocalFile(resources().addOutsideFile(dropped.mid(5)));
    else if (dropped == QStringLiteral("files"))
        urls << QUrl::fromLocalFile(resources().addOutsideFile(QStringLiteral("a.bin")))
             << QUrl::fromLocalFile(resources().addOutsideFile(QStringLiteral("b.bin")));
    else if (dropped == QStringLiteral("web"))
        urls << QUrl(QStringLiteral("https://example.net/image.bin"));
    else if (dropped == QStringLiteral("directory"))
        urls << QUrl::fromLocalFile(homePath());
    else
        text = QStringLiteral("some text");

    QCOMPARE(drop(urls, text), std::make_pair(false, false));
    QVERIFY2(banner().contains(reason), qPrintable(banner()));
    QCOMPARE(allTitles(controls().versionList), before);
    QVERIFY(!app().delegate.otherVersionFirmware());
}

void DropAndDeviceTest::noDropWhileAnUpdateRuns() {
    resources().installTools("echo started\n" + gate() +
                             "printf 'avrdude: writing 504 bytes flash ...\\n\\nWriting | ####'\n"
                             "exec /bin/sleep 30\n");
    start(true);
    choose(parvonne, QStringLiteral("2.0"));
    clickUpdate();
    QVERIFY(app().delegate.isBusy());
    const auto result =
        drop({QUrl::fromLocalFile(resources().addOutsideFile(QStringLiteral("late.hex")))});
    QVERIFY(!result.second);
    QVERIFY2(banner().contains(QStringLiteral("An update is running")), qPrintable(banner()));
    QCOMPARE(controls().versionList->currentText(), QStringLiteral("2.0"));

    // The reason stays while the tool makes progress, and gives way to the verdict.
    openGate();
    QTRY_COMPARE_WITH_TIMEOUT(controls().progressBar->value(), 8, toolTimeout);
    QVERIFY2(banner().contains(QStringLiteral("An update is running")), qPrintable(banner()));
    app().delegate.stop();
    QVERIFY(waitForFinish());
    QVERIFY2(banner().startsWith(QStringLiteral("Update stopped")), qPrintable(banner()));
}

void DropAndDeviceTest::deviceLineFollowsPlugAndUnplug() {
    start(false);
    QVERIFY(deviceLine().isEmpty()); // no product, nothing to check
    app().pickProduct(wendrel);
    QVERIFY2(deviceLine().startsWith(QStringLiteral("No DFU boot loader found")),
             qPrintable(deviceLine()));
    QVERIFY(controls().deviceLine->isVisibleTo(&app().window));
    app().usbDevices.plug(dfuBootLoader);
    QVERIFY2(deviceFound() && deviceLine().contains(QStringLiteral("DFU boot loader")),
             qPrintable(deviceLine()));
    app().usbDevices.unplug(dfuBootLoader);
    QVERIFY(!deviceFound());
    // A missing device never holds the update back.
    app().pickVersion(QStringLiteral("2.0"));
    QVERIFY(controls().updateButton->isEnabled());

    // Another product needs another device, and which one follows the programmer preference
    // chosen in the window (the exact texts are the presence class's tests').
    app().pickProduct(parvonne);
    QVERIFY2(deviceLine().contains(QStringLiteral("USBtiny")), qPrintable(deviceLine()));
    WindowHarness::pick(controls().avrProgrammerSelector, QStringLiteral("usbasp"));
    QVERIFY2(!deviceFound() && deviceLine().contains(QStringLiteral("USBasp")),
             qPrintable(deviceLine()));
    app().usbDevices.plug(usbasp);
    QVERIFY2(deviceFound(), qPrintable(deviceLine()));
}

QTEST_MAIN(DropAndDeviceTest)
#include "DropAndDeviceTest.moc"
