// The four preference controls: defaults on a first start, storing each change at once,
// restoring on the next start, and the factory check box's effect on the product list.

#include "TestResources.h"
#include "WindowHarness.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QSettings>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

using namespace modflash;
using namespace modflash::testing;

class PreferencesTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void firstStartShowsDefaultsAndWritesNothing();
    void eachChangeIsStoredAtOnce();
    void changesAreRestoredOnTheNextStart();
    void unknownStoredProgrammerIsShownNotReplaced();
    void factoryCheckBoxHidesAndShowsProductsAtOnce();
    void massEraseChangesNothingInTheWindow();

private:
    void start();
    void restart();
    QVariant stored(const QString& key) const;
    QStringList storedKeys() const;
    QString preferencesFile() const;

    std::unique_ptr<TestResources> m_resources;
    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<WindowHarness> m_window;
};

void PreferencesTest::init() {
    m_resources = std::make_unique<TestResources>();
    m_home = std::make_unique<QTemporaryDir>();
}

void PreferencesTest::cleanup() {
    m_window.reset();
    m_home.reset();
    m_resources.reset();
}

void PreferencesTest::start() {
    m_window = std::make_unique<WindowHarness>(m_resources->path(), preferencesFile());
    m_window->launch();
}

void PreferencesTest::restart() {
    m_window.reset();
    start();
}

QString PreferencesTest::preferencesFile() const {
    return m_home->filePath(QStringLiteral("modflash.conf"));
}

QVariant PreferencesTest::stored(const QString& key) const {
    // A separate reader, as the command line or the next start would be.
    return QSettings(preferencesFile(), QSettings::IniFormat).value(key);
}

QStringList PreferencesTest::storedKeys() const {
    return QSettings(preferencesFile(), QSettings::IniFormat).allKeys();
}

void PreferencesTest::firstStartShowsDefaultsAndWritesNothing() {
    start();
    const WindowControls& c = m_window->controls;
    QCOMPARE(c.avrProgrammerSelector->currentText(), QStringLiteral("usbtiny"));
    QCOMPARE(c.stlinkProgrammerSelector->currentText(), QStringLiteral("ST-Link v2"));
    QCOMPARE(c.avrProgrammerSelector->itemText(0), QStringLiteral("usbtiny"));
    QCOMPARE(c.stlinkProgrammerSelector->itemText(0), QStringLiteral("ST-Link v2"));
    QVERIFY(!c.factoryFirmwareEnable->isChecked());
    QVERIFY(!c.massEraseBeforeProgramming->isChecked());

    // The registered defaults answer reads, yet none of the four keys reaches the store.
    QCOMPARE(m_window->preferences.stringForKey("avr-programmer"), "usbtiny");
    QCOMPARE(m_window->preferences.stringForKey("stlink-programmer"), "ST-Link v2");
    m_window.reset();
    QVERIFY2(storedKeys().isEmpty(), qPrintable(storedKeys().join(u',')));
}

void PreferencesTest::eachChangeIsStoredAtOnce() {
    start();
    const WindowControls& c = m_window->controls;

    WindowHarness::pick(c.avrProgrammerSelector, QStringLiteral("avrisp2"));
    QCOMPARE(stored(QStringLiteral("avr-programmer")).toString(), QStringLiteral("avrisp2"));
    QCOMPARE(storedKeys(), QStringList{QStringLiteral("avr-programmer")});

    WindowHarness::pick(c.stlinkProgrammerSelector, c.stlinkProgrammerSelector->count() - 1);
    const QString lastProbe = c.stlinkProgrammerSelector->currentText();
    QVERIFY(lastProbe != QStringLiteral("ST-Link v2"));
    QCOMPARE(stored(QStringLiteral("stlink-programmer")).toString(), lastProbe);

    QTest::mouseClick(c.factoryFirmwareEnable, Qt::LeftButton);
    QCOMPARE(stored(QStringLiteral("enable-factory-firmware")).toBool(), true);
    QTest::mouseClick(c.factoryFirmwareEnable, Qt::LeftButton);
    QCOMPARE(stored(QStringLiteral("enable-factory-firmware")).toBool(), false);
    QVERIFY(stored(QStringLiteral("enable-factory-firmware")).isValid());

    QTest::mouseClick(c.massEraseBeforeProgramming, Qt::LeftButton);
    QCOMPARE(stored(QStringLiteral("mass-erase-before-programming")).toBool(), true);
    QCOMPARE(m_window->preferences.boolForKey("mass-erase-before-programming"), true);
}

void PreferencesTest::changesAreRestoredOnTheNextStart() {
    start();
    const WindowControls& c = m_window->controls;
    WindowHarness::pick(c.avrProgrammerSelector, QStringLiteral("avrisp2"));
    WindowHarness::pick(c.stlinkProgrammerSelector, 1);
    const QString probe = c.stlinkProgrammerSelector->currentText();
    QTest::mouseClick(c.factoryFirmwareEnable, Qt::LeftButton);
    QTest::mouseClick(c.massEraseBeforeProgramming, Qt::LeftButton);

    restart();
    const WindowControls& again = m_window->controls;
    QCOMPARE(again.avrProgrammerSelector->currentText(), QStringLiteral("avrisp2"));
    QCOMPARE(again.stlinkProgrammerSelector->currentText(), probe);
    QVERIFY(again.factoryFirmwareEnable->isChecked());
    QVERIFY(again.massEraseBeforeProgramming->isChecked());
    // Restoring reads only: the store still holds the same four values.
    QCOMPARE(storedKeys().size(), 4);
}

void PreferencesTest::unknownStoredProgrammerIsShownNotReplaced() {
    {
        QSettings store(preferencesFile(), QSettings::IniFormat);
        store.setValue(QStringLiteral("avr-programmer"), QStringLiteral("retired-programmer"));
    }
    start();
    QComboBox* selector = m_window->controls.avrProgrammerSelector;
    QCOMPARE(selector->currentText(), QStringLiteral("retired-programmer"));
    QCOMPARE(stored(QStringLiteral("avr-programmer")).toString(),
             QStringLiteral("retired-programmer"));
    WindowHarness::pick(selector, QStringLiteral("usbtiny"));
    QCOMPARE(stored(QStringLiteral("avr-programmer")).toString(), QStringLiteral("usbtiny"));
}

void PreferencesTest::factoryCheckBoxHidesAndShowsProductsAtOnce() {
    start();
    const WindowControls& c = m_window->controls;
    const QStringList plain{QStringLiteral("Parvonne (rev009 or Higher)"),
                            QStringLiteral("Tessary 1U (rev002)"), QStringLiteral("Wendrel")};
    const QStringList withFactory{
        QStringLiteral("Kolvane"), QStringLiteral("Parvonne (rev009 or Higher)"),
        QStringLiteral("Tessary 1U (rev002)"), QStringLiteral("Wendrel"), QStringLiteral("Zembro")};
    QCOMPARE(offeredTitles(c.productList), plain);

    QTest::mouseClick(c.factoryFirmwareEnable, Qt::LeftButton);
    QCOMPARE(offeredTitles(c.productList), withFactory);

    m_window->pickProduct(QStringLiteral("Kolvane"));
    const QStringList versions = allTitles(c.versionList);
    QCOMPARE(versions, (QStringList{QStringLiteral("1.0"), QStringLiteral("Other..."),
                                    QStringLiteral("Select a version")}));

    // Off again: the chosen product's entry disappears too, yet it stays chosen and the
    // version list is left as it was.
    QTest::mouseClick(c.factoryFirmwareEnable, Qt::LeftButton);
    QCOMPARE(offeredTitles(c.productList), plain);
    QCOMPARE(c.productList->currentText(), QStringLiteral("Kolvane"));
    QCOMPARE(m_window->delegate.product()->title(), "Kolvane");
    QCOMPARE(allTitles(c.versionList), versions);
    QVERIFY(c.versionList->isEnabled());
}

void PreferencesTest::massEraseChangesNothingInTheWindow() {
    start();
    const WindowControls& c = m_window->controls;
    m_window->pickProduct(QStringLiteral("Wendrel"));
    const QStringList products = offeredTitles(c.productList);
    const QStringList versions = allTitles(c.versionList);
    QTest::mouseClick(c.massEraseBeforeProgramming, Qt::LeftButton);
    QCOMPARE(offeredTitles(c.productList), products);
    QCOMPARE(allTitles(c.versionList), versions);
    QCOMPARE(storedKeys(), QStringList{QStringLiteral("mass-erase-before-programming")});
}

QTEST_MAIN(PreferencesTest)
#include "PreferencesTest.moc"
