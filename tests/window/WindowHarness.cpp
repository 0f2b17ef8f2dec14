#include "WindowHarness.h"

#include "LogTextView.h"
#include "SleepInhibitor.h"

#include <QComboBox>
#include <QFile>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QSettings>
#include <QStandardItemModel>
#include <QTest>

#include <utility>

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

namespace {
// Answers a dialog's pending request once; a second answer has no request to go to.
void answer(WindowServices::FileChosen& pending, const std::optional<QString>& path) {
    auto done = std::exchange(pending, nullptr);
    if (done)
        done(path);
}
} // namespace

void WindowHarness::answerChooser(const std::optional<QString>& path) {
    answer(m_pendingChoice, path);
}

void WindowHarness::answerSaveChooser(const std::optional<QString>& path) {
    answer(m_pendingSave, path);
}

WindowFixture::WindowFixture() {
    reset();
}

WindowFixture::~WindowFixture() = default;

void WindowFixture::reset() {
    quit();
    m_home = std::make_unique<QTemporaryDir>();
    m_resources = std::make_unique<TestResources>();
}

void WindowFixture::start(std::optional<bool> factoryFirmware, SleepInhibitor* sleepInhibitor) {
    if (factoryFirmware)
        QSettings(preferencesFile(), QSettings::IniFormat)
            .setValue(QStringLiteral("enable-factory-firmware"), *factoryFirmware);
    m_window =
        std::make_unique<WindowHarness>(m_resources->path(), preferencesFile(), sleepInhibitor);
    m_window->launch();
    m_finished =
        std::make_unique<QSignalSpy>(&m_window->delegate.updateRun(), &UpdateRun::finished);
}

void WindowFixture::quit() {
    m_finished.reset();
    m_window.reset();
}

void WindowFixture::restart() {
    quit();
    start();
}

void WindowFixture::choose(const QString& product, const QString& version) {
    m_window->pickProduct(product);
    m_window->pickVersion(version);
}

void WindowFixture::clickUpdate() {
    QTest::mouseClick(m_window->controls.updateButton, Qt::LeftButton);
}

bool WindowFixture::waitForFinish(int count) {
    return QTest::qWaitFor([&] { return m_finished->size() >= count; }, toolTimeout) &&
           m_finished->size() == count;
}

QString WindowFixture::log() const {
    return m_window->controls.logTextField->toPlainText();
}

QString WindowFixture::banner() const {
    return m_window->controls.bannerLabel->text();
}

QByteArray WindowFixture::gate() const {
    return "while [ ! -e '" + m_home->filePath(QStringLiteral("gate")).toUtf8() +
           "' ]; do /bin/sleep 0.05; done\n";
}

void WindowFixture::openGate() const {
    QFile(m_home->filePath(QStringLiteral("gate"))).open(QIODevice::WriteOnly);
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
