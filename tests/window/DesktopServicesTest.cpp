// The desktop's own dialogs behind the window's seams: window-modal, opened without blocking,
// and answering through the callback.

#include "WindowServices.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMainWindow>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

#include <optional>

using namespace modflash;

class DesktopServicesTest : public QObject {
    Q_OBJECT

private slots:
    void fileChooserOffersSingleFilesOfTheExtension();
    void fileChooserReportsCancellation();
    void fileChooserRefusesAnotherExtension();
    void stopConfirmationAnswersBothWays();

private:
    template <typename Dialog> Dialog* openDialog(QWidget& window);
};

// open() returned at once: the dialog is shown and blocks only its window.
template <typename Dialog> Dialog* DesktopServicesTest::openDialog(QWidget& window) {
    Dialog* dialog = window.findChild<Dialog*>();
    const bool windowModal =
        dialog && dialog->isVisible() && dialog->windowModality() == Qt::WindowModal;
    return windowModal ? dialog : nullptr;
}

void DesktopServicesTest::fileChooserOffersSingleFilesOfTheExtension() {
    QTemporaryDir dir;
    const QString image = dir.filePath(QStringLiteral("custom.bin"));
    QFile(image).open(QIODevice::WriteOnly);
    QMainWindow window;
    window.show();
    std::optional<std::optional<QString>> answer;
    WindowServices::desktop().chooseFile(&window, QStringLiteral("bin"),
                                         [&](std::optional<QString> path) { answer = path; });
    QVERIFY(!answer);
    auto* dialog = openDialog<QFileDialog>(window);
    QVERIFY(dialog);
    QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFile);
    QCOMPARE(dialog->nameFilters().size(), 1);
    QVERIFY(dialog->nameFilters().first().endsWith(QStringLiteral("(*.bin)")));

    dialog->setDirectory(dir.path());
    dialog->selectFile(image);
    static_cast<QDialog*>(dialog)->accept(); // QFileDialog hides its override
    QVERIFY(answer && *answer);
    QCOMPARE(QDir::cleanPath(**answer), QDir::cleanPath(image));
}

void DesktopServicesTest::fileChooserReportsCancellation() {
    QMainWindow window;
    window.show();
    std::optional<std::optional<QString>> answer;
    WindowServices::desktop().chooseFile(&window, QStringLiteral("hex"),
                                         [&](std::optional<QString> path) { answer = path; });
    auto* dialog = openDialog<QFileDialog>(window);
    QVERIFY(dialog);
    QVERIFY(dialog->nameFilters().first().endsWith(QStringLiteral("(*.hex)")));
    dialog->reject();
    QVERIFY(answer);
    QVERIFY(!*answer);
}

void DesktopServicesTest::fileChooserRefusesAnotherExtension() {
    // A name typed into the dialog is not held to the filter; the chooser holds it.
    QTemporaryDir dir;
    const QString image = dir.filePath(QStringLiteral("typed.hex"));
    QFile(image).open(QIODevice::WriteOnly);
    QMainWindow window;
    window.show();
    std::optional<std::optional<QString>> answer;
    WindowServices::desktop().chooseFile(&window, QStringLiteral("bin"),
                                         [&](std::optional<QString> path) { answer = path; });
    auto* dialog = openDialog<QFileDialog>(window);
    QVERIFY(dialog);
    dialog->setDirectory(dir.path());
    dialog->selectFile(image);
    static_cast<QDialog*>(dialog)->accept();
    QVERIFY(answer);
    QVERIFY(!*answer);
    auto* warning = openDialog<QMessageBox>(window);
    QVERIFY(warning);
    QVERIFY(warning->text().contains(QStringLiteral("typed.hex")));
    QVERIFY(warning->text().contains(QStringLiteral(".bin")));
}

void DesktopServicesTest::stopConfirmationAnswersBothWays() {
    for (const bool stop : {false, true}) {
        QMainWindow window;
        window.show();
        std::optional<bool> answer;
        WindowServices::desktop().confirmStop(&window, QStringLiteral("Really?"),
                                              [&](bool yes) { answer = yes; });
        auto* box = openDialog<QMessageBox>(window);
        QVERIFY(box);
        QCOMPARE(box->text(), QStringLiteral("Really?"));
        const QList<QAbstractButton*> buttons = box->buttons();
        QAbstractButton* chosen = nullptr;
        for (QAbstractButton* button : buttons) {
            const bool destructive = box->buttonRole(button) == QMessageBox::DestructiveRole;
            if (destructive == stop)
                chosen = button;
        }
        QVERIFY(chosen);
        QTest::mouseClick(chosen, Qt::LeftButton);
        QTRY_VERIFY(answer.has_value());
        QCOMPARE(*answer, stop);
    }
}

QTEST_MAIN(DesktopServicesTest)
#include "DesktopServicesTest.moc"
