// Dropping an image file on the window, and the line that says whether the chosen product's
// device is plugged in, over USB devices the test plugs and unplugs.

#include "TestResources.h"
#include "WindowHarness.h"

#include "Preferences.h"
#include "VersionList.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace modflash;
using namespace modflash::testing;

namespace {

constexpr int toolTimeout = 30000; // ms; generous for a loaded machine, never a measure

const QString wendrel = QStringLiteral("Wendrel");
const QString parvonne = QStringLiteral("Parvonne (rev009 or Higher)");

struct DropResult {
    bool enterAccepted = false;
    bool dropAccepted = false;
};

} // namespace

class DropAndDeviceTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void droppedImageIsChosenAsThroughOther();
    void droppedImageReplacesAnEarlierChoice();
    void refusedDrops_data();
    void refusedDrops();
    void noDropWhileAnUpdateRuns();
    void deviceLineFollowsPlugAndUnplug();
    void deviceLineFollowsTheProgrammerPreference();
    void missingDeviceNeverDisablesUpdate();

private:
    void start(bool factoryFirmware);
    DropResult drop(const QList<QUrl>& urls, const QString& text = {});
    QString status() const { return m_window->controls.bannerLabel->text(); }
    QString deviceLine() const { return m_window->controls.deviceLine->text(); }

    std::unique_ptr<TestResources> m_resources;
    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<WindowHarness> m_window;
};

void DropAndDeviceTest::init() {
    m_resources = std::make_unique<TestResources>();
    m_home = std::make_unique<QTemporaryDir>();
}

void DropAndDeviceTest::cleanup() {
    m_window.reset();
    m_home.reset();
    m_resources.reset();
}

void DropAndDeviceTest::start(bool factoryFirmware) {
    const QString file = m_home->filePath(QStringLiteral("modflash.conf"));
    QSettings(file, QSettings::IniFormat)
        .setValue(QStringLiteral("enable-factory-firmware"), factoryFirmware);
    m_window = std::make_unique<WindowHarness>(m_resources->path(), file);
    m_window->launch();
}

// What the desktop sends when a file is dragged over the window and let go.
DropResult DropAndDeviceTest::drop(const QList<QUrl>& urls, const QString& text) {
    QMimeData data;
    if (!urls.isEmpty())
        data.setUrls(urls);
    if (!text.isEmpty())
        data.setText(text);
    // Onto the instructions or the log, whichever is in front: the window takes what they
    // refuse.
    QWidget* target = m_window->controls.tabView->currentWidget();
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
    m_window->pickProduct(wendrel);
    const QString image = m_resources->addOutsideFile(QStringLiteral("custom-9.9.bin"));
    const DropResult result = drop({QUrl::fromLocalFile(image)});
    QVERIFY(result.enterAccepted);
    QVERIFY(result.dropAccepted);
    QVERIFY(!m_window->chooserIsOpen()); // no dialog: the drop is the choice
    QCOMPARE(m_window->delegate.otherVersionFirmware()->path(), image.toStdString());
    QCOMPARE(m_window->controls.versionList->currentData(VersionList::kindRole).toInt(),
             static_cast<int>(VersionList::Kind::ChosenFile));
    QVERIFY(m_window->controls.updateButton->isEnabled());
    QVERIFY(status().isEmpty());
}

void DropAndDeviceTest::droppedImageReplacesAnEarlierChoice() {
    start(true);
    m_window->pickProduct(wendrel);
    drop({QUrl::fromLocalFile(m_resources->addOutsideFile(QStringLiteral("first.bin")))});
    // A refusal shows, then a good drop clears it.
    drop({QUrl::fromLocalFile(m_resources->addOutsideFile(QStringLiteral("image.hex")))});
    QVERIFY(!status().isEmpty());
    const QString second = m_resources->addOutsideFile(QStringLiteral("second.bin"));
    QVERIFY(drop({QUrl::fromLocalFile(second)}).dropAccepted);
    QVERIFY(status().isEmpty());
    int chosenFiles = 0;
    for (int row = 0; row < m_window->controls.versionList->count(); ++row)
        chosenFiles += m_window->controls.versionList->itemData(row, VersionList::kindRole) ==
                       static_cast<int>(VersionList::Kind::ChosenFile);
    QCOMPARE(chosenFiles, 1);
    QCOMPARE(m_window->delegate.otherVersionFirmware()->path(), second.toStdString());
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
        m_window->pickProduct(wendrel);
    const QStringList before = allTitles(m_window->controls.versionList);

    QList<QUrl> urls;
    QString text;
    if (dropped.startsWith(QStringLiteral("file:")))
        urls << QUrl::fromLocalFile(m_resources->addOutsideFile(dropped.mid(5)));
    else if (dropped == QStringLiteral("files"))
        urls << QUrl::fromLocalFile(m_resources->addOutsideFile(QStringLiteral("a.bin")))
             << QUrl::fromLocalFile(m_resources->addOutsideFile(QStringLiteral("b.bin")));
    else if (dropped == QStringLiteral("web"))
        urls << QUrl(QStringLiteral("https://example.net/image.bin"));
    else if (dropped == QStringLiteral("directory"))
        urls << QUrl::fromLocalFile(m_home->path());
    else
        text = QStringLiteral("some text");

    const DropResult result = drop(urls, text);
    QVERIFY(!result.enterAccepted);
    QVERIFY(!result.dropAccepted);
    QVERIFY2(status().contains(reason), qPrintable(status()));
    QCOMPARE(allTitles(m_window->controls.versionList), before);
    QVERIFY(!m_window->delegate.otherVersionFirmware());
}

void DropAndDeviceTest::noDropWhileAnUpdateRuns() {
    const QString gate = m_home->filePath(QStringLiteral("gate"));
    m_resources->installTools("echo started\nwhile [ ! -e '" + gate.toUtf8() +
                              "' ]; do /bin/sleep 0.05; done\n"
                              "printf 'avrdude: writing 504 bytes flash ...\\n\\nWriting | ####'\n"
                              "exec /bin/sleep 30\n");
    start(true);
    m_window->pickProduct(parvonne);
    m_window->pickVersion(QStringLiteral("2.0"));
    QSignalSpy finished(&m_window->delegate.updateRun(), &UpdateRun::finished);
    QTest::mouseClick(m_window->controls.updateButton, Qt::LeftButton);
    QVERIFY(m_window->delegate.isBusy());
    const DropResult result =
        drop({QUrl::fromLocalFile(m_resources->addOutsideFile(QStringLiteral("late.hex")))});
    QVERIFY(!result.dropAccepted);
    QVERIFY2(status().contains(QStringLiteral("An update is running")), qPrintable(status()));
    QCOMPARE(m_window->controls.versionList->currentText(), QStringLiteral("2.0"));

    // The reason stays while the tool makes progress, and gives way to the verdict.
    QFile(gate).open(QIODevice::WriteOnly);
    QTRY_COMPARE_WITH_TIMEOUT(m_window->controls.progressBar->value(), 8, toolTimeout);
    QVERIFY2(status().contains(QStringLiteral("An update is running")), qPrintable(status()));
    m_window->delegate.stop();
    QTRY_COMPARE_WITH_TIMEOUT(finished.size(), 1, toolTimeout);
    QVERIFY2(status().startsWith(QStringLiteral("Update stopped")), qPrintable(status()));
}

void DropAndDeviceTest::deviceLineFollowsPlugAndUnplug() {
    start(false);
    QVERIFY(deviceLine().isEmpty()); // no product, nothing to check
    m_window->pickProduct(wendrel);
    QVERIFY2(deviceLine().startsWith(QStringLiteral("No DFU boot loader found")),
             qPrintable(deviceLine()));
    QVERIFY(m_window->controls.deviceLine->isVisibleTo(&m_window->window));

    m_window->usbDevices.plug(usbtiny); // not the one this product needs
    QVERIFY2(deviceLine().startsWith(QStringLiteral("No DFU boot loader found")),
             qPrintable(deviceLine()));
    m_window->usbDevices.plug(dfuBootLoader);
    QVERIFY2(deviceLine().contains(QStringLiteral("DFU boot loader")) &&
                 !deviceLine().startsWith(QStringLiteral("No ")),
             qPrintable(deviceLine()));
    m_window->usbDevices.unplug(dfuBootLoader);
    QVERIFY2(deviceLine().startsWith(QStringLiteral("No DFU boot loader found")),
             qPrintable(deviceLine()));

    // Another product needs another device.
    m_window->pickProduct(parvonne);
    QVERIFY2(deviceLine().contains(QStringLiteral("USBtiny")) &&
                 !deviceLine().startsWith(QStringLiteral("No ")),
             qPrintable(deviceLine()));

    m_window->usbDevices.setAvailable(false);
    QVERIFY2(deviceLine().contains(QStringLiteral("cannot be listed")), qPrintable(deviceLine()));
}

void DropAndDeviceTest::deviceLineFollowsTheProgrammerPreference() {
    start(false);
    m_window->usbDevices.plug(usbtiny);
    m_window->pickProduct(parvonne);
    const QString withUsbtiny = deviceLine();
    QVERIFY(!withUsbtiny.startsWith(QStringLiteral("No ")));
    const int usbaspRow =
        m_window->controls.avrProgrammerSelector->findText(QStringLiteral("usbasp"));
    QVERIFY(usbaspRow >= 0);
    WindowHarness::pick(m_window->controls.avrProgrammerSelector, usbaspRow);
    QVERIFY2(deviceLine().contains(QStringLiteral("USBasp")) && deviceLine() != withUsbtiny,
             qPrintable(deviceLine()));
    m_window->usbDevices.plug(usbasp);
    QVERIFY2(!deviceLine().startsWith(QStringLiteral("No ")), qPrintable(deviceLine()));
}

void DropAndDeviceTest::missingDeviceNeverDisablesUpdate() {
    start(false);
    m_window->pickProduct(wendrel);
    m_window->pickVersion(QStringLiteral("2.0"));
    QVERIFY(deviceLine().startsWith(QStringLiteral("No ")));
    QVERIFY(m_window->controls.updateButton->isEnabled());
}

QTEST_MAIN(DropAndDeviceTest)
#include "DropAndDeviceTest.moc"
