// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowFixture.h"

#include "LogTextView.h"

#include <QFile>
#include <QLabel>
#include <QListView>
#include <QPushButton>
#include <QSettings>
#include <QStandardItemModel>
#include <QTest>

namespace modflash::testing {

namespace {

QByteArray page(const char* heading) {
    return QByteArray("<html><body><h1>") + heading +
           "</h1><p><a href=\"https://example.net/cable\">Cables</a></p></body></html>";
}

} // namespace

WindowFixture::WindowFixture() {
    // Written out of order: the lists must come out sorted all the same.
    for (const char* name :
         {"parvonne_2.0.hex", "parvonne_1.0.hex", "parvonne_1.1.hex", "Wendrel.2.0.bin",
          "Wendrel.1.4.2.bin", "Tessary_1U_f4.1.0.bin", "kolvane_1.0.hex", "zembro_1.0.bin"})
        resources.writeFile(QStringLiteral("firmware/") + QString::fromUtf8(name),
                            ToolDirectory::validImage(QString::fromUtf8(name)));
    resources.writeFile(QStringLiteral("instructions/intro.html"), page("Welcome"));
    resources.writeFile(QStringLiteral("instructions/parvonne.html"), page("Parvonne steps"));
    resources.writeFile(QStringLiteral("instructions/Tessary_1U_f4.html"), page("Tessary steps"));
}

WindowFixture::~WindowFixture() {
    quit();
}

WindowServices WindowFixture::recordingServices() {
    WindowServices services;
    services.chooseFile = [this](QWidget*, const QString& extension,
                                 WindowServices::FileChosen done) {
        choiceExtension = extension;
        answerChooser = std::move(done);
    };
    services.openUrl = [this](const QUrl& url) { openedUrls << url; };
    services.confirm = [this](QWidget*, const WindowServices::Question& question,
                              std::function<void(bool)> answer) {
        questions << question.title;
        answerConfirmation = std::move(answer);
    };
    services.chooseSaveFile = [this](QWidget*, const QString& suggested,
                                     WindowServices::FileChosen done) {
        suggestedSaveName = suggested;
        answerSaveChooser = std::move(done);
    };
    services.reportProblem = [this](QWidget*, const QString& title, const QString& text) {
        problems << title + QStringLiteral(": ") + text;
    };
    services.usbDevices = &usbDevices;
    return services;
}

void WindowFixture::start(std::optional<bool> factoryFirmware, const QString& resourcePath) {
    const QString file = home.filePath(QStringLiteral("modflash.conf"));
    if (factoryFirmware)
        QSettings(file, QSettings::IniFormat)
            .setValue(QStringLiteral("enable-factory-firmware"), *factoryFirmware);
    m_preferences = std::make_unique<SettingsPreferences>(file);
    m_window = std::make_unique<MainWindow>();
    m_controls = m_window->controls();
    m_delegate = std::make_unique<AppDelegate>(m_controls, *m_preferences,
                                               resourcePath.isEmpty()
                                                   ? resources.resources()
                                                   : ResourceDirectory(resourcePath.toStdString()),
                                               recordingServices());
    QObject::connect(&m_delegate->session(), &UpdateSession::finished, [this] { ++finished; });
    m_delegate->applicationDidFinishLaunching();
    m_window->show();
}

void WindowFixture::quit() {
    m_delegate.reset();
    m_window.reset();
    m_preferences.reset();
}

void WindowFixture::pick(QComboBox* list, const QString& title) {
    const int row = list->findText(title, Qt::MatchExactly);
    ASSERT_GE(row, 0) << "no entry " << title.toStdString();
    list->setCurrentIndex(row);
    emit list->activated(row);
}

void WindowFixture::choose(const QString& product, const QString& version) {
    pick(m_controls.productList, product);
    pick(m_controls.versionList, version);
}

void WindowFixture::installTools(const QByteArray& script) {
    for (const char* tool : {"avrdude", "dfu-util", "dfu-util-factory", "openocd"})
        resources.installTool(QString::fromUtf8(tool), script);
}

void WindowFixture::clickUpdate() {
    QTest::mouseClick(m_controls.updateButton, Qt::LeftButton);
}

bool WindowFixture::waitForFinish() {
    const int before = finished;
    return QTest::qWaitFor([&] { return finished > before || !m_delegate->isBusy(); },
                           toolTimeout) &&
           !m_delegate->isBusy();
}

QByteArray WindowFixture::gate() const {
    return "while [ ! -e '" + home.filePath(QStringLiteral("gate")).toUtf8() +
           "' ]; do /bin/sleep 0.05; done\n";
}

void WindowFixture::openGate() const {
    QFile(home.filePath(QStringLiteral("gate"))).open(QIODevice::WriteOnly);
}

QString WindowFixture::log() const {
    return m_controls.logTextField->toPlainText();
}

QString WindowFixture::banner() const {
    return m_controls.bannerLabel->text();
}

QString WindowFixture::outsideFile(const QString& name) {
    resources.writeFile(QStringLiteral("outside/") + name, ToolDirectory::validImage(name));
    return resources.filePath(QStringLiteral("outside/") + name);
}

QStringList WindowFixture::storedKeys() const {
    return QSettings(home.filePath(QStringLiteral("modflash.conf")), QSettings::IniFormat)
        .allKeys();
}

QVariant WindowFixture::stored(const QString& key) const {
    return QSettings(home.filePath(QStringLiteral("modflash.conf")), QSettings::IniFormat)
        .value(key);
}

QStringList offeredTitles(QComboBox* list) {
    const auto* model = qobject_cast<QStandardItemModel*>(list->model());
    const auto* view = qobject_cast<QListView*>(list->view());
    QStringList titles;
    for (int row = 0; row < list->count(); ++row)
        if (model->item(row)->isEnabled() && !view->isRowHidden(row))
            titles << list->itemText(row);
    return titles;
}

QStringList allTitles(QComboBox* list) {
    QStringList titles;
    for (int row = 0; row < list->count(); ++row)
        titles << list->itemText(row);
    return titles;
}

} // namespace modflash::testing
