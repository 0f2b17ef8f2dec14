#include "WindowHarness.h"

#include "SleepInhibitor.h"

#include <QComboBox>
#include <QListView>
#include <QStandardItemModel>

namespace modflash::testing {

WindowHarness::WindowHarness(const QString& resourcePath, const QString& preferencesFile,
                             SleepInhibitor* sleepInhibitor)
    : preferences(preferencesFile)
    , controls(window.controls())
    , delegate(controls, preferences, ResourceDirectory(resourcePath.toStdString()),
               recordingServices(sleepInhibitor)) {}

WindowServices WindowHarness::recordingServices(SleepInhibitor* sleepInhibitor) {
    WindowServices services;
    services.chooseFile = [this](QWidget*, const QString& extension,
                                 WindowServices::FileChosen done) {
        chooserExtensions << extension;
        m_pendingChoice = std::move(done);
    };
    services.openUrl = [this](const QUrl& url) { openedUrls << url; };
    services.confirmStop = [this](QWidget*, const QString& question,
                                  std::function<void(bool)> answer) {
        confirmQuestions << question;
        pendingConfirmation = std::move(answer);
    };
    services.chooseSaveFile = [this](QWidget*, const QString& suggestedName,
                                     WindowServices::FileChosen done) {
        suggestedSaveNames << suggestedName;
        m_pendingSave = std::move(done);
    };
    services.reportProblem = [this](QWidget*, const QString& title, const QString& text) {
        reportedProblems << title + QStringLiteral(": ") + text;
    };
    services.usbDevices = &usbDevices;
    services.sleepInhibitor = sleepInhibitor;
    return services;
}

void WindowHarness::launch() {
    delegate.applicationDidFinishLaunching();
    window.show();
}

void WindowHarness::pick(QComboBox* list, int row) {
    list->setCurrentIndex(row);
    emit list->activated(row);
}

void WindowHarness::pick(QComboBox* list, const QString& title) {
    const int row = list->findText(title, Qt::MatchExactly);
    if (row < 0)
        qFatal("no entry \"%s\" to pick", qPrintable(title));
    pick(list, row);
}

void WindowHarness::answerChooser(const std::optional<QString>& path) {
    auto done = std::move(m_pendingChoice);
    m_pendingChoice = nullptr;
    if (done)
        done(path);
}

void WindowHarness::answerSaveChooser(const std::optional<QString>& path) {
    auto done = std::move(m_pendingSave);
    m_pendingSave = nullptr;
    if (done)
        done(path);
}

QStringList offeredTitles(QComboBox* list) {
    const auto* model = qobject_cast<QStandardItemModel*>(list->model());
    const auto* view = qobject_cast<QListView*>(list->view());
    QStringList titles;
    for (int row = 0; row < list->count(); ++row) {
        if (model->item(row)->isEnabled() && !view->isRowHidden(row))
            titles << list->itemText(row);
    }
    return titles;
}

QStringList allTitles(QComboBox* list) {
    QStringList titles;
    for (int row = 0; row < list->count(); ++row)
        titles << list->itemText(row);
    return titles;
}

} // namespace modflash::testing
