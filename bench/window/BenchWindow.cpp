#include "BenchWindow.h"

#include "BenchResources.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include <stdexcept>

namespace modflash::bench {

BenchWindow::BenchWindow(const std::filesystem::path& resources)
    : m_resources(resources)
    , m_preferences(QString::fromStdString((resources / "preferences.ini").string()))
    , m_controls(m_window.controls())
    , m_delegate(m_controls, m_preferences, m_resources) {}

void BenchWindow::launch() {
    m_delegate.applicationDidFinishLaunching();
    m_window.show();
}

void BenchWindow::startUpdate(const std::function<void(const QString&)>& sink) {
    pickProduct(QString::fromUtf8(BenchResources::productTitle()));
    pickVersion(QString::fromUtf8(BenchResources::version()));
    if (sink) {
        UpdateRun& run = m_delegate.updateRun();
        QObject::disconnect(&run, &UpdateRun::logText, &m_delegate, &AppDelegate::writeToLog);
        QObject::connect(&run, &UpdateRun::logText, &run, sink);
    }
    if (!m_controls.updateButton->isEnabled())
        throw std::runtime_error("Update is not offered for the benchmark image");
    m_controls.updateButton->click();
    if (!m_delegate.updateRun().isBusy())
        throw std::runtime_error("the update did not start");
}

void BenchWindow::pickProduct(const QString& title) {
    pick(m_controls.productList, title);
}

void BenchWindow::pickVersion(const QString& title) {
    pick(m_controls.versionList, title);
}

void BenchWindow::pick(QComboBox* list, const QString& title) {
    const int row = list->findText(title, Qt::MatchExactly);
    if (row < 0)
        throw std::runtime_error("no entry " + title.toStdString() + " to pick");
    list->setCurrentIndex(row);
    emit list->activated(row);
}

QPlainTextEdit* BenchWindow::log() const {
    return m_controls.logTextField;
}

} // namespace modflash::bench
