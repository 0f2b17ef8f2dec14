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
    void fileChooser_data();
    void fileChooser();
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

void DesktopServicesTest::fileChooser_data() {
    QTest::addColumn<QString>("file"); // selected and accepted; none: cancelled
    QTest::addColumn<bool>("chosen");
    QTest::newRow("image") << "custom.bin" << true;
    QTest::newRow("cancelled") << QString() << false;
    // A name typed into the dialog is not held to the filter; the chooser holds it.
    QTest::newRow("other extension") << "typed.hex" << false;
}

void DesktopServicesTest::fileChooser() {
    QFETCH(QString, file);
    QFETCH(bool, chosen);
    QTemporaryDir dir;
    const QString image = dir.filePath(file);
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
    if (file.isEmpty()) {
        dialog->reject();
    } else {
        QFile(image).open(QIODevice::WriteOnly);
        dialog->setDirectory(dir.path());
        dialog->selectFile(image);
        static_cast<QDialog*>(dialog)->accept(); // QFileDialog hides its override
    }
    QVERIFY(answer);
    QCOMPARE(answer->has_value(), chosen);
    if (chosen)
        QCOMPARE(QDir::cleanPath(**answer), QDir::cleanPath(image));
    auto* warning = openDialog<QMessageBox>(window);
    QCOMPARE(warning != nullptr, !chosen && !file.isEmpty());
    if (warning)
        QVERIFY(warning->text().contains(file) && warning->text().contains(QStringLiteral(".bin")));
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
