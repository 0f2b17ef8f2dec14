// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowFixture.h"

#include <QFile>
#include <QListView>
#include <QStandardItemModel>

namespace modflash::testing {

WindowFixture::WindowFixture() {
    // The user's folder, download cache and feed state are the test's own.
    for (const char* name : {"XDG_DATA_HOME", "XDG_CACHE_HOME", "XDG_STATE_HOME"})
        qputenv(name, home.filePath(QString::fromLatin1(name)).toUtf8());
    // Written out of order: the lists must come out sorted all the same.
    for (const char* name :
         {"parvonne_2.0.hex", "parvonne_1.0.hex", "parvonne_1.1.hex", "Wendrel.2.0.bin",
          "Wendrel.1.4.2.bin", "Tessary_1U_f4.1.0.bin", "kolvane_1.0.hex", "zembro_1.0.bin"})
        resources.writeFile(QStringLiteral("firmware/") + QString::fromUtf8(name),
                            ToolDirectory::validImage(QString::fromUtf8(name)));
    for (const auto& [page, heading] : {std::pair{"intro", "Welcome"},
                                        {"parvonne", "Parvonne steps"},
                                        {"Tessary_1U_f4", "Tessary steps"}})
        resources.writeFile(QStringLiteral("instructions/%1.html").arg(page),
                            QByteArray("<html><body><h1>") + heading +
                                "</h1><p><a href=\"https://example.net/cable\">Cables</a></p>"
                                "</body></html>");
}

WindowFixture::~WindowFixture() {
    quit();
}

void WindowFixture::start(std::optional<bool> factoryFirmware, const QString& resourcePath) {
    // The desktop's dialogs and browser, as recorders the test answers.
    WindowServices services;
    services.chooseFile = [this](QWidget*, const QString& directory, const QString& extension,
                                 WindowServices::FileChosen done) {
        choiceDirectory = directory;
        choiceExtension = extension;
        answerChooser = std::move(done);
    };
    if (!desktopBrowser)
        services.openUrl = [this](const QUrl& url) {
            openedUrls << url;
            return true;
        };
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
    if (!desktopBrowser)
        services.reportProblem = [this](QWidget*, const QString& title, const QString& text) {
            problems << title + QStringLiteral(": ") + text;
        };
    services.usbDevices = &usbDevices;
    const QString file = preferencesFile();
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
                                               services);
    QObject::connect(&m_delegate->session(), &UpdateSession::finished, [this] { ++finished; });
    for (const QString& key : feedKeys)
        ASSERT_TRUE(m_delegate->feed().addKeyFile(key, nullptr));
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

bool WindowFixture::waitForFinish() {
    const int before = finished;
    return QTest::qWaitFor([&] { return finished > before || !m_delegate->isBusy(); },
                           toolTimeout) &&
           !m_delegate->isBusy();
}

QByteArray WindowFixture::gate() const {
    return "while [ ! -e '" + home.filePath(QStringLiteral("gate")).toUtf8() +
           "' ]; do /bin/sleep 0.05; done 2>/dev/null\n";
}

void WindowFixture::openGate() const {
    QFile(home.filePath(QStringLiteral("gate"))).open(QIODevice::WriteOnly);
}

QString WindowFixture::outsideFile(const QString& name) {
    resources.writeFile(QStringLiteral("outside/") + name, ToolDirectory::validImage(name));
    return resources.filePath(QStringLiteral("outside/") + name);
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
