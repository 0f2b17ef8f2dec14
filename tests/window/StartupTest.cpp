// Start-up: what the window shows and allows before the user does anything, and the product
// list's unreachable entries.

#include "BuildInfo.h"
#include "LogView.h"
#include "TestResources.h"
#include "WindowHarness.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFontInfo>
#include <QLabel>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSettings>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QWheelEvent>

#include <memory>

using namespace modflash;
using namespace modflash::testing;

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();

    void listsAndControlsAfterStartUp();
    void logHoldsFirstTextInFixedFace();
    void buildDateAndIntroductionShown();
    void placeholderUnreachableByKeys();
    void hiddenProductUnreachableByTypingAndWheel();
    void factoryProductsOfferedWhenStoredSettingIsOn();

private:
    void sendWheel(QComboBox* list, int steps);

    std::unique_ptr<TestResources> m_resources;
    std::unique_ptr<QTemporaryDir> m_home;
    std::unique_ptr<WindowHarness> m_window;
};

void StartupTest::init() {
    m_resources = std::make_unique<TestResources>();
    m_home = std::make_unique<QTemporaryDir>();
    m_window = std::make_unique<WindowHarness>(m_resources->path(),
                                               m_home->filePath(QStringLiteral("modflash.conf")));
}

void StartupTest::cleanup() {
    m_window.reset();
    m_home.reset();
    m_resources.reset();
}

void StartupTest::listsAndControlsAfterStartUp() {
    m_window->launch();
    const WindowControls& c = m_window->controls;

    QCOMPARE(c.productList->count(), 37); // the placeholder and every product
    QCOMPARE(c.productList->currentIndex(), 0);
    QCOMPARE(c.productList->currentText(), QStringLiteral("Select a product"));
    QCOMPARE(offeredTitles(c.productList),
             (QStringList{QStringLiteral("Parvonne (rev009 or Higher)"),
                          QStringLiteral("Tessary 1U (rev002)"), QStringLiteral("Wendrel")}));
    // Titles in the catalogue's display order, the ones starting with a non-ASCII letter last.
    const QStringList titles = allTitles(c.productList);
    for (std::size_t i = 0; i < m_window->delegate.products().displayOrder().size(); ++i)
        QCOMPARE(titles.at(int(i) + 1),
                 QString::fromStdString(m_window->delegate.products().displayOrder()[i]));
    QCOMPARE(titles.last().front(), QChar(0x00b5));

    QCOMPARE(allTitles(c.versionList), QStringList{QStringLiteral("Select a version")});
    QVERIFY(offeredTitles(c.versionList).isEmpty());

    QVERIFY(!c.versionList->isEnabled());
    QVERIFY(!c.updateButton->isEnabled());
    QVERIFY(c.productList->isEnabled());
    QVERIFY(c.avrProgrammerSelector->isEnabled());
    QVERIFY(c.stlinkProgrammerSelector->isEnabled());
    QVERIFY(c.factoryFirmwareEnable->isEnabled());
    QVERIFY(c.massEraseBeforeProgramming->isEnabled());
    QVERIFY(!m_window->delegate.product());
}

void StartupTest::logHoldsFirstTextInFixedFace() {
    m_window->launch();
    QPlainTextEdit* log = m_window->controls.logTextField;
    QCOMPARE(log->toPlainText(),
             QStringLiteral("Select a product and version above, then hit \"Update\" to begin\n"));
    QVERIFY(log->isReadOnly());
    QVERIFY(!log->isUndoRedoEnabled());
    QCOMPARE(log->document()->availableUndoSteps(), 0);

    const QFont font = log->font();
    QCOMPARE(font.pointSizeF(), 11.0);
    QCOMPARE(font.family(), LogView::logFont().family());
    QVERIFY2(QFontInfo(font).fixedPitch(), qPrintable(QFontInfo(font).family()));
    QCOMPARE(log->document()->defaultFont().family(), font.family());
}

void StartupTest::buildDateAndIntroductionShown() {
    m_window->launch();
    const QString label = m_window->controls.versionLabel->text();
    QVERIFY(label.startsWith(QStringLiteral("Build date: ")));
    QVERIFY2(QDate::fromString(BuildInfo::buildDate(), Qt::ISODate).isValid(), qPrintable(label));
    QCOMPARE(label, QStringLiteral("Build date: ") + BuildInfo::buildDate());

    QTextBrowser* view = m_window->controls.instructionsView;
    QVERIFY(view->source().toLocalFile().endsWith(QStringLiteral("/instructions/intro.html")));
    QVERIFY(view->toPlainText().contains(QStringLiteral("Welcome")));
    QCOMPARE(m_window->controls.tabView->currentIndex(), 0);
}

void StartupTest::placeholderUnreachableByKeys() {
    m_window->launch();
    QComboBox* list = m_window->controls.productList;
    list->setFocus();

    // Down leaves the placeholder for the first offered product, never a hidden one.
    QTest::keyClick(list, Qt::Key_Down);
    QCOMPARE(list->currentText(), QStringLiteral("Parvonne (rev009 or Higher)"));
    QTest::keyClick(list, Qt::Key_Up);
    QCOMPARE(list->currentText(), QStringLiteral("Parvonne (rev009 or Higher)"));
    QTest::keyClick(list, Qt::Key_Home);
    QCOMPARE(list->currentText(), QStringLiteral("Parvonne (rev009 or Higher)"));
    QTest::keyClick(list, Qt::Key_End);
    QCOMPARE(list->currentText(), QStringLiteral("Wendrel"));
    QTest::keyClick(list, Qt::Key_PageUp);
    QCOMPARE(list->currentText(), QStringLiteral("Tessary 1U (rev002)"));
    QTest::keyClick(list, Qt::Key_PageUp);
    QTest::keyClick(list, Qt::Key_PageUp);
    QCOMPARE(list->currentText(), QStringLiteral("Parvonne (rev009 or Higher)"));
    // The key choices are real choices: the product became the chosen one.
    QCOMPARE(m_window->delegate.product()->title(), "Parvonne (rev009 or Higher)");
}

void StartupTest::hiddenProductUnreachableByTypingAndWheel() {
    m_window->launch();
    QComboBox* list = m_window->controls.productList;
    list->setFocus();
    // Each letter starts a search of its own, as after a pause in typing.
    QApplication::setKeyboardInputInterval(1);
    const auto type = [list](Qt::Key key) { QTest::keyClick(list, key, Qt::NoModifier, 10); };

    type(Qt::Key_W);
    QCOMPARE(list->currentText(), QStringLiteral("Wendrel"));
    // S would reach the placeholder or the image-less "Scintel Display (rev001)", G the
    // image-less "Gossam", K the factory-only "Kolvane": all are out of reach.
    for (Qt::Key key : {Qt::Key_S, Qt::Key_G, Qt::Key_K}) {
        type(key);
        QCOMPARE(list->currentText(), QStringLiteral("Wendrel"));
    }
    type(Qt::Key_P);
    QCOMPARE(list->currentText(), QStringLiteral("Parvonne (rev009 or Higher)"));

    // The wheel walks the offered entries only, both ways, and never back to the placeholder.
    QStringList seen;
    for (int i = 0; i < 6; ++i) {
        sendWheel(list, 1);
        seen << list->currentText();
    }
    for (int i = 0; i < 6; ++i) {
        sendWheel(list, -1);
        seen << list->currentText();
    }
    seen.removeDuplicates();
    seen.sort();
    QCOMPARE(seen, offeredTitles(list));
}

void StartupTest::factoryProductsOfferedWhenStoredSettingIsOn() {
    {
        QSettings store(m_window->preferences.fileName(), QSettings::IniFormat);
        store.setValue(QStringLiteral("enable-factory-firmware"), true);
    }
    m_window->launch();
    QVERIFY(m_window->controls.factoryFirmwareEnable->isChecked());
    QCOMPARE(offeredTitles(m_window->controls.productList),
             (QStringList{QStringLiteral("Kolvane"), QStringLiteral("Parvonne (rev009 or Higher)"),
                          QStringLiteral("Tessary 1U (rev002)"), QStringLiteral("Wendrel"),
                          QStringLiteral("Zembro")}));
}

void StartupTest::sendWheel(QComboBox* list, int steps) {
    const QPointF at = list->rect().center();
    QWheelEvent event(at, list->mapToGlobal(at), QPoint(), QPoint(0, steps * 120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(list, &event);
}

QTEST_MAIN(StartupTest)
#include "StartupTest.moc"
