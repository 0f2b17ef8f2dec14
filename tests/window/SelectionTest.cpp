// Choosing a product and a version, "Other..." with the file chooser, the instructions pages
// and the help command.

#include "BuildInfo.h"
#include "FirmwareMetaType.h"
#include "TestResources.h"
#include "VersionList.h"
#include "WindowHarness.h"

#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QSettings>
#include <QStandardItem>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

#include <memory>

using namespace modflash;
using namespace modflash::testing;

class SelectionTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void versionListWithoutOther();
    void versionListWithOther();
    void versionEntriesCarryTheirFirmware();
    void updateFollowsTheSelectedEntry();
    void choosingAFileAddsItAboveOther();
    void secondFileReplacesTheFirst();
    void cancellingTheChooserChangesNothing();
    void rebuildDropsTheChosenFile();
    void otherAppearsOnlyAfterTheNextProductChoice();
    void instructionsPageNamedAfterThePrefix();
    void missingPageShowsAnEmptyView();
    void helpAndWebLinksGoToTheBrowser();

private:
    void start(bool factoryFirmware = false);
    QStringList versions() const { return allTitles(m_window->controls.versionList); }
    bool updateEnabled() const { return m_window->controls.updateButton->isEnabled(); }

    std::unique_ptr<TestResources> m_resources;
    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<WindowHarness> m_window;
};

void SelectionTest::init() {
    m_resources = std::make_unique<TestResources>();
    m_home = std::make_unique<QTemporaryDir>();
}

void SelectionTest::cleanup() {
    m_window.reset();
    m_home.reset();
    m_resources.reset();
}

void SelectionTest::start(bool factoryFirmware) {
    const QString file = m_home->filePath(QStringLiteral("modflash.conf"));
    if (factoryFirmware)
        QSettings(file, QSettings::IniFormat)
            .setValue(QStringLiteral("enable-factory-firmware"), true);
    m_window = std::make_unique<WindowHarness>(m_resources->path(), file);
    m_window->launch();
}

void SelectionTest::versionListWithoutOther() {
    start();
    m_window->pickProduct(QStringLiteral("Parvonne (rev009 or Higher)"));
    QCOMPARE(versions(), (QStringList{QStringLiteral("1.0"), QStringLiteral("1.1"),
                                      QStringLiteral("2.0"), QStringLiteral("Select a version")}));
    QVERIFY(m_window->controls.versionList->isEnabled());
    // The placeholder stays selected and disabled, so nothing is chosen yet.
    QCOMPARE(m_window->controls.versionList->currentText(), QStringLiteral("Select a version"));
    QCOMPARE(offeredTitles(m_window->controls.versionList).size(), 3);
    QVERIFY(!updateEnabled());
    QCOMPARE(m_window->controls.tabView->currentIndex(), 0);
}

void SelectionTest::versionListWithOther() {
    start(true);
    m_window->pickProduct(QStringLiteral("Wendrel"));
    QCOMPARE(versions(),
             (QStringList{QStringLiteral("1.4.2"), QStringLiteral("2.0"),
                          QStringLiteral("Other..."), QStringLiteral("Select a version")}));
    QCOMPARE(offeredTitles(m_window->controls.versionList).last(), QStringLiteral("Other..."));
    QVERIFY(!updateEnabled());
}

void SelectionTest::versionEntriesCarryTheirFirmware() {
    start(true);
    m_window->pickProduct(QStringLiteral("Wendrel"));
    QComboBox* list = m_window->controls.versionList;
    const auto firmware = list->itemData(1, VersionList::firmwareRole).value<FirmwarePtr>();
    QVERIFY(firmware);
    QCOMPARE(firmware->version(), "2.0");
    QVERIFY(QString::fromStdString(firmware->path()).endsWith(QStringLiteral("/Wendrel.2.0.bin")));
    // Neither "Other..." nor the placeholder carries one.
    QVERIFY(!list->itemData(2, VersionList::firmwareRole).value<FirmwarePtr>());
    QVERIFY(!list->itemData(3, VersionList::firmwareRole).value<FirmwarePtr>());

    const auto item = m_window->delegate.createVersionItem(firmware);
    QCOMPARE(item->text(), QStringLiteral("2.0"));
    QVERIFY(item->isEnabled());
    QCOMPARE(item->data(VersionList::firmwareRole).value<FirmwarePtr>(), firmware);
}

void SelectionTest::updateFollowsTheSelectedEntry() {
    start(true);
    m_window->pickProduct(QStringLiteral("Wendrel"));
    m_window->pickVersion(QStringLiteral("2.0"));
    QVERIFY(updateEnabled());
    m_window->pickVersion(QStringLiteral("Other..."));
    QVERIFY(!updateEnabled());
    m_window->answerChooser(std::nullopt);
    m_window->pickVersion(QStringLiteral("1.4.2"));
    QVERIFY(updateEnabled());
    // Choosing a product again starts over with nothing chosen.
    m_window->pickProduct(QStringLiteral("Wendrel"));
    QVERIFY(!updateEnabled());
}

void SelectionTest::choosingAFileAddsItAboveOther() {
    start(true);
    m_window->pickProduct(QStringLiteral("Wendrel"));
    m_window->pickVersion(QStringLiteral("Other..."));
    QVERIFY(m_window->chooserIsOpen());
    QCOMPARE(m_window->chooserExtensions, QStringList{QStringLiteral("bin")});
    QVERIFY(!updateEnabled()); // while the chooser is open

    const QString path = m_resources->addOutsideFile(QStringLiteral("custom-build.bin"));
    m_window->answerChooser(path);
    QCOMPARE(versions(), (QStringList{QStringLiteral("1.4.2"), QStringLiteral("2.0"),
                                      QStringLiteral("custom-build"), QStringLiteral("Other..."),
                                      QStringLiteral("Select a version")}));
    QCOMPARE(m_window->controls.versionList->currentText(), QStringLiteral("custom-build"));
    QVERIFY(updateEnabled());
    QCOMPARE(m_window->delegate.otherVersionFirmware()->path(), path.toStdString());
}

void SelectionTest::secondFileReplacesTheFirst() {
    start(true);
    m_window->pickProduct(QStringLiteral("Kolvane"));
    m_window->pickVersion(QStringLiteral("Other..."));
    QCOMPARE(m_window->chooserExtensions, QStringList{QStringLiteral("hex")});
    m_window->answerChooser(m_resources->addOutsideFile(QStringLiteral("first.hex")));
    m_window->pickVersion(QStringLiteral("Other..."));
    m_window->answerChooser(m_resources->addOutsideFile(QStringLiteral("second.v2.hex")));

    QCOMPARE(versions(),
             (QStringList{QStringLiteral("1.0"), QStringLiteral("second.v2"),
                          QStringLiteral("Other..."), QStringLiteral("Select a version")}));
    QCOMPARE(m_window->controls.versionList->currentText(), QStringLiteral("second.v2"));
    QVERIFY(updateEnabled());
}

void SelectionTest::cancellingTheChooserChangesNothing() {
    start(true);
    m_window->pickProduct(QStringLiteral("Wendrel"));
    m_window->pickVersion(QStringLiteral("Other..."));
    m_window->answerChooser(m_resources->addOutsideFile(QStringLiteral("kept.bin")));
    const QStringList before = versions();

    m_window->pickVersion(QStringLiteral("Other..."));
    m_window->answerChooser(std::nullopt);
    QCOMPARE(versions(), before);
    QCOMPARE(m_window->controls.versionList->currentText(), QStringLiteral("Other..."));
    QVERIFY(!updateEnabled());
    QCOMPARE(m_window->delegate.otherVersionFirmware()->version(), "kept");

    // The earlier file can still be picked again.
    m_window->pickVersion(QStringLiteral("kept"));
    QVERIFY(updateEnabled());
}

void SelectionTest::rebuildDropsTheChosenFile() {
    start(true);
    m_window->pickProduct(QStringLiteral("Wendrel"));
    m_window->pickVersion(QStringLiteral("Other..."));
    m_window->answerChooser(m_resources->addOutsideFile(QStringLiteral("mine.bin")));
    m_window->pickProduct(QStringLiteral("Wendrel"));
    QCOMPARE(versions(),
             (QStringList{QStringLiteral("1.4.2"), QStringLiteral("2.0"),
                          QStringLiteral("Other..."), QStringLiteral("Select a version")}));
    QVERIFY(!m_window->delegate.otherVersionFirmware());

    // A chooser answered only after the list was rebuilt belongs to a list that is gone.
    m_window->pickVersion(QStringLiteral("Other..."));
    m_window->pickProduct(QStringLiteral("Tessary 1U (rev002)"));
    m_window->answerChooser(m_resources->addOutsideFile(QStringLiteral("late.bin")));
    QCOMPARE(versions(), (QStringList{QStringLiteral("1.0"), QStringLiteral("Other..."),
                                      QStringLiteral("Select a version")}));
    QVERIFY(!updateEnabled());
}

void SelectionTest::otherAppearsOnlyAfterTheNextProductChoice() {
    start();
    m_window->pickProduct(QStringLiteral("Wendrel"));
    QTest::mouseClick(m_window->controls.factoryFirmwareEnable, Qt::LeftButton);
    QVERIFY(!versions().contains(QStringLiteral("Other...")));
    m_window->pickProduct(QStringLiteral("Wendrel"));
    QVERIFY(versions().contains(QStringLiteral("Other...")));
}

void SelectionTest::instructionsPageNamedAfterThePrefix() {
    start();
    QTextBrowser* view = m_window->controls.instructionsView;
    m_window->pickProduct(QStringLiteral("Tessary 1U (rev002)")); // prefix "Tessary_1U_f4."
    QVERIFY(view->source().toLocalFile().endsWith(QStringLiteral("/Tessary_1U_f4.html")));
    QVERIFY(view->toPlainText().contains(QStringLiteral("Tessary steps")));
    m_window->pickProduct(QStringLiteral("Parvonne (rev009 or Higher)")); // prefix "parvonne_"
    QVERIFY(view->source().toLocalFile().endsWith(QStringLiteral("/instructions/parvonne.html")));
    // Picking a version loads nothing.
    m_window->pickVersion(QStringLiteral("1.1"));
    QVERIFY(view->source().toLocalFile().endsWith(QStringLiteral("/parvonne.html")));
}

void SelectionTest::missingPageShowsAnEmptyView() {
    start(true);
    QTextBrowser* view = m_window->controls.instructionsView;
    m_window->pickProduct(QStringLiteral("Wendrel"));
    QVERIFY(!view->toPlainText().isEmpty());
    m_window->pickProduct(QStringLiteral("Kolvane")); // no kolvane.html here
    QCOMPARE(view->toPlainText(), QString());
}

void SelectionTest::helpAndWebLinksGoToTheBrowser() {
    start();
    QTest::mouseClick(m_window->controls.helpButton, Qt::LeftButton);
    m_window->controls.helpAction->trigger();
    QCOMPARE(m_window->openedUrls.size(), 2);
    const QUrl help = m_window->openedUrls.first();
    QCOMPARE(help.scheme(), QStringLiteral("https"));
    QCOMPARE(help.path(), QStringLiteral("/firmware-updates"));
    QVERIFY(!help.host().isEmpty());
    QCOMPARE(help, BuildInfo::helpUrl());

    // A web link on a page goes to the browser; the page stays.
    QTextBrowser* view = m_window->controls.instructionsView;
    const QUrl page = view->source();
    emit view->anchorClicked(QUrl(QStringLiteral("https://example.net/cable")));
    QCOMPARE(m_window->openedUrls.last(), QUrl(QStringLiteral("https://example.net/cable")));
    QCOMPARE(view->source(), page);
}

QTEST_MAIN(SelectionTest)
#include "SelectionTest.moc"
