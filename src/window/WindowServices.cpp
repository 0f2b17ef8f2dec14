// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/WindowServices.h"

#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace modflash {

namespace {

void chooseFileWithDialog(QWidget* window, const QString& directory, const QString& extension,
                          WindowServices::FileChosen done) {
    // The window takes ownership; the dialog deletes itself once answered.
    auto* dialog = new QFileDialog(window, QObject::tr("Choose a Firmware Image"), directory);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setFileMode(QFileDialog::ExistingFile);
    dialog->setNameFilter(QObject::tr("Firmware images (*.%1)").arg(extension));
    QObject::connect(dialog, &QFileDialog::finished, dialog,
                     [dialog, done = std::move(done)](int result) {
                         const QStringList files = dialog->selectedFiles();
                         if (result != QDialog::Accepted || files.isEmpty())
                             done(std::nullopt);
                         else
                             done(files.first());
                     });
    dialog->open();
}

void chooseSaveFileWithDialog(QWidget* window, const QString& suggestedName,
                              WindowServices::FileChosen done) {
    auto* dialog = new QFileDialog(window, QObject::tr("Save the Log"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowModality(Qt::WindowModal);
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setNameFilters({QObject::tr("Text files (*.txt)"), QObject::tr("All files (*)")});
    dialog->setDefaultSuffix(QStringLiteral("txt"));
    dialog->selectFile(suggestedName);
    QObject::connect(dialog, &QFileDialog::finished, dialog,
                     [dialog, done = std::move(done)](int result) {
                         const QStringList files = dialog->selectedFiles();
                         if (result != QDialog::Accepted || files.isEmpty())
                             done(std::nullopt);
                         else
                             done(files.first());
                     });
    dialog->open();
}

void reportWithMessageBox(QWidget* window, const QString& title, const QString& text) {
    auto* box = new QMessageBox(QMessageBox::Warning, title, text, QMessageBox::Ok, window);
    box->setAttribute(Qt::WA_DeleteOnClose);
    // A path or an address in the text is to be copied, and keyboard users can reach it too.
    box->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
    box->setWindowModality(Qt::WindowModal);
    box->open();
}

void confirmWithMessageBox(QWidget* window, const WindowServices::Question& question,
                           std::function<void(bool)> answer) {
    auto* box = new QMessageBox(QMessageBox::Warning, question.title, question.text,
                                QMessageBox::NoButton, window);
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::WindowModal);
    QPushButton* accept = box->addButton(question.accept, QMessageBox::DestructiveRole);
    QPushButton* reject = box->addButton(question.reject, QMessageBox::RejectRole);
    box->setDefaultButton(reject);
    box->setEscapeButton(reject);
    QObject::connect(box, &QMessageBox::finished, box, [box, accept, answer = std::move(answer)] {
        answer(box->clickedButton() == accept);
    });
    box->open();
}

} // namespace

WindowServices WindowServices::desktop() {
    WindowServices services;
    services.chooseFile = chooseFileWithDialog;
    services.openUrl = [](const QUrl& url) { return QDesktopServices::openUrl(url); };
    services.confirm = confirmWithMessageBox;
    services.chooseSaveFile = chooseSaveFileWithDialog;
    services.reportProblem = reportWithMessageBox;
    return services;
}

WindowServices WindowServices::withDesktopDefaults() const {
    WindowServices services = *this;
    const WindowServices fallback = desktop();
    if (!services.chooseFile)
        services.chooseFile = fallback.chooseFile;
    if (!services.openUrl)
        services.openUrl = fallback.openUrl;
    if (!services.confirm)
        services.confirm = fallback.confirm;
    if (!services.chooseSaveFile)
        services.chooseSaveFile = fallback.chooseSaveFile;
    if (!services.reportProblem)
        services.reportProblem = fallback.reportProblem;
    return services;
}

} // namespace modflash
