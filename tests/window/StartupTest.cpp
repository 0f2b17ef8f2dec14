// Start-up: what the window shows and allows before the user does anything, the product list's
// unreachable entries, and the four preference controls: defaults on a first start, storing
// each change at once, restoring on the next start, and the factory check box's effect.

#include "BuildInfo.h"
#include "LogTextView.h"
#include "LogView.h"
#include "WindowHarness.h"

#include <QApplication>
#include <QCheckBox>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QSettings>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>
#include <QWheelEvent>

using namespace modflash;
using namespace modflash::testing;

namespace {
const QString parvonne = QStringLiteral("Parvonne (rev009 or Higher)");
const QStringList plainProducts{parvonne, QStringLiteral("Tessary 1U (rev002)"),
                                QStringLiteral("Wendrel")};
const QStringList allProducts{QStringLiteral("Kolvane"), parvonne,
                              QStringLiteral("Tessary 1U (rev002)"), QStringLiteral("Wendrel"),
                              QStringLiteral("Zembro")};
} // namespace

class StartupTest : public QObject, WindowFixture {
    Q_OBJECT

private slots:
    void cleanup() { reset(); }

    void firstStartShowsDefaultsAndWritesNothing();
    void hiddenProductsUnreachableByKeysTypingAndWheel();
    void eachChangeIsStoredAtOnceAndRestored();
    void unknownStoredProgrammerIsShownNotReplaced();
    void factoryCheckBoxHidesAndShowsProductsAtOnce();

private:
    // A separate reader, as the command line or the next start would be.
    QVariant stored(const QString& key) const {
        return QSettings(preferencesFile(), QSettings::IniFormat).value(key);
    }
    QStringList storedKeys() const {
        return QSettings(preferencesFile(), QSettings::IniFormat).allKeys();
    }
    static void sendWheel(QComboBox* list, int steps);
};

void StartupTest::firstStartShowsDefaultsAndWritesNothing() {
    start();
    const WindowControls& c = controls();
    QCOMPARE(c.productList->count(), 37); // the placeholder and every product
    QCOMPARE(c.productList->currentText(), QStringLiteral("Select a product"));
    QCOMPARE(offeredTitles(c.productList), plainProducts);
    // The ones starting with a non-ASCII letter come last.
    QCOMPARE(allTitles(c.productList).last().front(), QChar(0x00b5));
    QCOMPARE(allTitles(c.versionList), QStringList{QStringLiteral("Select a version")});
    QVERIFY(offeredTitles(c.versionList).isEmpty());
    QVERIFY(!c.versionList->isEnabled());
    QVERIFY(!c.updateButton->isEnabled());
    QVERIFY(!c.stopButton->isEnabled());
    QVERIFY(!app().delegate.product());

    QCOMPARE(c.versionLabel->text(), QStringLiteral("Build date: ") + BuildInfo::buildDate());
    QVERIFY(QDate::fromString(BuildInfo::buildDate(), Qt::ISODate).isValid());
    QVERIFY(c.instructionsView->source().toLocalFile().endsWith(
        QStringLiteral("/instructions/intro.html")));
    QVERIFY(c.instructionsView->toPlainText().contains(QStringLiteral("Welcome")));
    QCOMPARE(c.tabView->currentIndex(), 0);

    LogTextView* log = c.logTextField;
    QCOMPARE(log->toPlainText(),
             QStringLiteral("Select a product and version above, then hit \"Update\" to begin\n"));
    QCOMPARE(log->accessibleName(), QStringLiteral("Log"));
    QCOMPARE(log->font().pointSizeF(), 11.0);
    QCOMPARE(log->font().family(), LogView::logFont().family());
    QVERIFY2(QFontInfo(log->font()).fixedPitch(), qPrintable(QFontInfo(log->font()).family()));

    // The preference controls show the defaults, which answer reads yet never reach the store.
    QCOMPARE(c.avrProgrammerSelector->currentText(), QStringLiteral("usbtiny"));
    QCOMPARE(c.stlinkProgrammerSelector->currentText(), QStringLiteral("ST-Link v2"));
    QVERIFY(!c.factoryFirmwareEnable->isChecked());
    QVERIFY(!c.massEraseBeforeProgramming->isChecked());
    for (QWidget* control :
         QList<QWidget*>{c.productList, c.avrProgrammerSelector, c.stlinkProgrammerSelector,
                         c.factoryFirmwareEnable, c.massEraseBeforeProgramming})
        QVERIFY(control->isEnabled());
    QCOMPARE(app().preferences.stringForKey("avr-programmer"), "usbtiny");
    quit();
    QVERIFY2(storedKeys().isEmpty(), qPrintable(storedKeys().join(u',')));
}

void StartupTest::hiddenProductsUnreachableByKeysTypingAndWheel() {
    start();
    QComboBox* list = controls().productList;
    list->setFocus();
    // Down leaves the placeholder for the first offered product, never a hidden one.
    const QList<std::pair<Qt::Key, QString>> steps{
        {Qt::Key_Down, parvonne},
        {Qt::Key_Up, parvonne},
        {Qt::Key_End, QStringLiteral("Wendrel")},
        {Qt::Key_PageUp, QStringLiteral("Tessary 1U (rev002)")},
        {Qt::Key_Home, parvonne}};
    for (const auto& [key, expected] : steps) {
        QTest::keyClick(list, key);
        QCOMPARE(list->currentText(), expected);
    }
    // The key choices are real choices: the product became the chosen one.
    QCOMPARE(app().delegate.product()->title(), parvonne.toStdString());

    // Each letter starts a search of its own, as after a pause in typing. S would reach the
    // placeholder or the image-less "Scintel Display (rev001)", G the image-less "Gossam", K
    // the factory-only "Kolvane": all are out of reach.
    QApplication::setKeyboardInputInterval(1);
    for (const auto& [key, expected] :
         QList<std::pair<Qt::Key, QString>>{{Qt::Key_W, QStringLiteral("Wendrel")},
                                            {Qt::Key_S, QStringLiteral("Wendrel")},
                                            {Qt::Key_G, QStringLiteral("Wendrel")},
                                            {Qt::Key_K, QStringLiteral("Wendrel")},
                                            {Qt::Key_P, parvonne}}) {
        QTest::keyClick(list, key, Qt::NoModifier, 10);
        QCOMPARE(list->currentText(), expected);
    }

    // The wheel walks the offered entries only, both ways, and never back to the placeholder.
    QStringList seen;
    for (int step : {1, 1, 1, 1, -1, -1, -1, -1, -1, -1}) {
        sendWheel(list, step);
        seen << list->currentText();
    }
    seen.removeDuplicates();
    seen.sort();
    QCOMPARE(seen, plainProducts);
}

void StartupTest::eachChangeIsStoredAtOnceAndRestored() {
    start();
    const WindowControls& c = controls();
    WindowHarness::pick(c.avrProgrammerSelector, QStringLiteral("avrisp2"));
    QCOMPARE(stored(QStringLiteral("avr-programmer")).toString(), QStringLiteral("avrisp2"));
    QCOMPARE(storedKeys(), QStringList{QStringLiteral("avr-programmer")});

    WindowHarness::pick(c.stlinkProgrammerSelector, c.stlinkProgrammerSelector->count() - 1);
    const QString probe = c.stlinkProgrammerSelector->currentText();
    QVERIFY(probe != QStringLiteral("ST-Link v2"));
    QCOMPARE(stored(QStringLiteral("stlink-programmer")).toString(), probe);

    QTest::mouseClick(c.factoryFirmwareEnable, Qt::LeftButton);
    QCOMPARE(stored(QStringLiteral("enable-factory-firmware")).toBool(), true);
    QTest::mouseClick(c.factoryFirmwareEnable, Qt::LeftButton);
    QCOMPARE(stored(QStringLiteral("enable-factory-firmware")), QVariant(false));
    QTest::mouseClick(c.factoryFirmwareEnable, Qt::LeftButton);

    // Mass erase is stored and changes nothing in the lists.
    app().pickProduct(QStringLiteral("Wendrel"));
    const QStringList versions = allTitles(c.versionList);
    QTest::mouseClick(c.massEraseBeforeProgramming, Qt::LeftButton);
    QCOMPARE(stored(QStringLiteral("mass-erase-before-programming")).toBool(), true);
    QCOMPARE(app().preferences.boolForKey("mass-erase-before-programming"), true);
    QCOMPARE(allTitles(c.versionList), versions);

    restart();
    QCOMPARE(controls().avrProgrammerSelector->currentText(), QStringLiteral("avrisp2"));
    QCOMPARE(controls().stlinkProgrammerSelector->currentText(), probe);
    QVERIFY(controls().factoryFirmwareEnable->isChecked());
    QCOMPARE(offeredTitles(controls().productList), allProducts);
    QVERIFY(controls().massEraseBeforeProgramming->isChecked());
    // Restoring reads only: the store still holds the same four values.
    QCOMPARE(storedKeys().size(), 4);
}

void StartupTest::unknownStoredProgrammerIsShownNotReplaced() {
    QSettings(preferencesFile(), QSettings::IniFormat)
        .setValue(QStringLiteral("avr-programmer"), QStringLiteral("retired-programmer"));
    start();
    QComboBox* selector = controls().avrProgrammerSelector;
    QCOMPARE(selector->currentText(), QStringLiteral("retired-programmer"));
    QCOMPARE(stored(QStringLiteral("avr-programmer")).toString(),
             QStringLiteral("retired-programmer"));
    WindowHarness::pick(selector, QStringLiteral("usbtiny"));
    QCOMPARE(stored(QStringLiteral("avr-programmer")).toString(), QStringLiteral("usbtiny"));
}

void StartupTest::factoryCheckBoxHidesAndShowsProductsAtOnce() {
    start();
    const WindowControls& c = controls();
    QTest::mouseClick(c.factoryFirmwareEnable, Qt::LeftButton);
    QCOMPARE(offeredTitles(c.productList), allProducts);
    app().pickProduct(QStringLiteral("Kolvane"));
    const QStringList versions = allTitles(c.versionList);
    QCOMPARE(versions, (QStringList{QStringLiteral("1.0"), QStringLiteral("Other..."),
                                    QStringLiteral("Select a version")}));

    // Off again: the chosen product's entry disappears too, yet it stays chosen and the
    // version list is left as it was.
    QTest::mouseClick(c.factoryFirmwareEnable, Qt::LeftButton);
    QCOMPARE(offeredTitles(c.productList), plainProducts);
    QCOMPARE(c.productList->currentText(), QStringLiteral("Kolvane"));
    QCOMPARE(app().delegate.product()->title(), "Kolvane");
    QCOMPARE(allTitles(c.versionList), versions);
    QVERIFY(c.versionList->isEnabled());
}

void StartupTest::sendWheel(QComboBox* list, int steps) {
    const QPointF at = list->rect().center();
    QWheelEvent event(at, list->mapToGlobal(at), QPoint(), QPoint(0, steps * 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(list, &event);
}

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
