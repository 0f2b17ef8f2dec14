// Choosing a product and a version, "Other..." with the file chooser, the instructions pages
// and the help command.

#include "BuildInfo.h"
#include "WindowHarness.h"

#include <QCheckBox>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QTextBrowser>

using namespace modflash;
using namespace modflash::testing;

namespace {
const QString wendrel = QStringLiteral("Wendrel");
const QString other = QStringLiteral("Other...");
const QString placeholder = QStringLiteral("Select a version");
} // namespace

class SelectionTest : public QObject, WindowFixture {
    Q_OBJECT

private slots:
    void cleanup() { reset(); }

    void versionList_data();
    void versionList();
    void updateFollowsTheSelectedEntry();
    void otherAddsChosenFilesAboveIt();
    void rebuildDropsTheChosenFile();
    void instructionsPageNamedAfterThePrefix();
    void helpAndWebLinksGoToTheBrowser();

private:
    QStringList versions() const { return allTitles(controls().versionList); }
    bool updateEnabled() const { return controls().updateButton->isEnabled(); }
};

void SelectionTest::versionList_data() {
    QTest::addColumn<bool>("factoryFirmware");
    QTest::addColumn<QString>("product");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("without Other...") << false << QStringLiteral("Parvonne (rev009 or Higher)")
                                      << QStringList{QStringLiteral("1.0"), QStringLiteral("1.1"),
                                                     QStringLiteral("2.0"), placeholder};
    QTest::newRow("with Other...")
        << true << wendrel
        << QStringList{QStringLiteral("1.4.2"), QStringLiteral("2.0"), other, placeholder};
}

void SelectionTest::versionList() {
    QFETCH(bool, factoryFirmware);
    QFETCH(QString, product);
    QFETCH(QStringList, expected);
    start(factoryFirmware);
    app().pickProduct(product);
    QCOMPARE(versions(), expected);
    QVERIFY(controls().versionList->isEnabled());
    // The placeholder stays selected and out of reach, so nothing is chosen yet.
    QCOMPARE(controls().versionList->currentText(), placeholder);
    QCOMPARE(offeredTitles(controls().versionList), expected.mid(0, expected.size() - 1));
    QVERIFY(!updateEnabled());
    QCOMPARE(controls().tabView->currentIndex(), 0);
}

void SelectionTest::updateFollowsTheSelectedEntry() {
    start(true);
    app().pickProduct(wendrel);
    app().pickVersion(QStringLiteral("2.0"));
    QVERIFY(updateEnabled());
    app().pickVersion(other);
    QVERIFY(!updateEnabled());
    app().answerChooser(std::nullopt);
    app().pickVersion(QStringLiteral("1.4.2"));
    QVERIFY(updateEnabled());
    // Choosing a product again starts over with nothing chosen.
    app().pickProduct(wendrel);
    QVERIFY(!updateEnabled());

    // "Other..." follows the factory setting only from the next product choice on.
    QTest::mouseClick(controls().factoryFirmwareEnable, Qt::LeftButton);
    QVERIFY(versions().contains(other));
    app().pickProduct(wendrel);
    QVERIFY(!versions().contains(other));
}

void SelectionTest::otherAddsChosenFilesAboveIt() {
    start(true);
    app().pickProduct(wendrel);
    app().pickVersion(other);
    QVERIFY(app().chooserIsOpen());
    QCOMPARE(app().chooserExtensions, QStringList{QStringLiteral("bin")});
    QVERIFY(!updateEnabled()); // while the chooser is open
    const QString first = resources().addOutsideFile(QStringLiteral("custom-build.bin"));
    app().answerChooser(first);
    QCOMPARE(versions(), (QStringList{QStringLiteral("1.4.2"), QStringLiteral("2.0"),
                                      QStringLiteral("custom-build"), other, placeholder}));
    QCOMPARE(controls().versionList->currentText(), QStringLiteral("custom-build"));
    QVERIFY(updateEnabled());
    QCOMPARE(app().delegate.otherVersionFirmware()->path(), first.toStdString());

    // A second file takes the first one's place.
    app().pickVersion(other);
    app().answerChooser(resources().addOutsideFile(QStringLiteral("second.v2.bin")));
    const QStringList withSecond{QStringLiteral("1.4.2"), QStringLiteral("2.0"),
                                 QStringLiteral("second.v2"), other, placeholder};
    QCOMPARE(versions(), withSecond);
    QCOMPARE(controls().versionList->currentText(), QStringLiteral("second.v2"));

    // Cancelling changes nothing, and the earlier file can still be picked again.
    app().pickVersion(other);
    app().answerChooser(std::nullopt);
    QCOMPARE(versions(), withSecond);
    QCOMPARE(controls().versionList->currentText(), other);
    QVERIFY(!updateEnabled());
    QCOMPARE(app().delegate.otherVersionFirmware()->version(), "second.v2");
    app().pickVersion(QStringLiteral("second.v2"));
    QVERIFY(updateEnabled());
}

void SelectionTest::rebuildDropsTheChosenFile() {
    start(true);
    app().pickProduct(wendrel);
    app().pickVersion(other);
    app().answerChooser(resources().addOutsideFile(QStringLiteral("mine.bin")));
    app().pickProduct(wendrel);
    QCOMPARE(versions(),
             (QStringList{QStringLiteral("1.4.2"), QStringLiteral("2.0"), other, placeholder}));
    QVERIFY(!app().delegate.otherVersionFirmware());

    // A chooser answered only after the list was rebuilt belongs to a list that is gone.
    app().pickVersion(other);
    app().pickProduct(QStringLiteral("Tessary 1U (rev002)"));
    app().answerChooser(resources().addOutsideFile(QStringLiteral("late.bin")));
    QCOMPARE(versions(), (QStringList{QStringLiteral("1.0"), other, placeholder}));
    QVERIFY(!updateEnabled());
}

void SelectionTest::instructionsPageNamedAfterThePrefix() {
    start(true);
    QTextBrowser* view = controls().instructionsView;
    app().pickProduct(QStringLiteral("Tessary 1U (rev002)")); // prefix "Tessary_1U_f4."
    QVERIFY(view->source().toLocalFile().endsWith(QStringLiteral("/Tessary_1U_f4.html")));
    QVERIFY(view->toPlainText().contains(QStringLiteral("Tessary steps")));
    app().pickProduct(QStringLiteral("Parvonne (rev009 or Higher)")); // prefix "parvonne_"
    QVERIFY(view->source().toLocalFile().endsWith(QStringLiteral("/instructions/parvonne.html")));
    // Picking a version loads nothing.
    app().pickVersion(QStringLiteral("1.1"));
    QVERIFY(view->source().toLocalFile().endsWith(QStringLiteral("/parvonne.html")));
    // A product without a page shows an empty view rather than the last one.
    app().pickProduct(QStringLiteral("Kolvane"));
    QCOMPARE(view->toPlainText(), QString());
}

void SelectionTest::helpAndWebLinksGoToTheBrowser() {
    start();
    QTest::mouseClick(controls().helpButton, Qt::LeftButton);
    controls().helpAction->trigger();
    QCOMPARE(app().openedUrls, (QList<QUrl>{BuildInfo::helpUrl(), BuildInfo::helpUrl()}));
    QCOMPARE(BuildInfo::helpUrl().scheme(), QStringLiteral("https"));

    // A web link on a page goes to the browser; the page stays.
    QTextBrowser* view = controls().instructionsView;
    const QUrl page = view->source();
    emit view->anchorClicked(QUrl(QStringLiteral("https://example.net/cable")));
    QCOMPARE(app().openedUrls.last(), QUrl(QStringLiteral("https://example.net/cable")));
    QCOMPARE(view->source(), page);
}

QTEST_MAIN(SelectionTest)
#include "SelectionTest.moc"
