#include "BenchWindow.h"

#include "BenchResources.h"

#include <QComboBox>
#include <QPlainTextEdit>
#include <QTabWidget>

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
    const ProductPtr product =
        m_delegate.products().productWithTitle(BenchResources::productTitle());
    const std::vector<FirmwarePtr> images = product->getAllFirmware(m_resources);
    if (images.empty())
        throw std::runtime_error("the benchmark product has no image");
    // As the Update button does: the log comes to the front.
    m_controls.tabView->setCurrentIndex(1);
    if (sink) {
        QObject::connect(&m_run, &UpdateRun::logText, &m_run, sink);
    } else {
        QObject::connect(&m_run, &UpdateRun::logText, &m_delegate, &AppDelegate::writeToLog);
    }
    m_run.start(product, images.front(), m_resources, m_preferences);
}

void BenchWindow::pickProduct(const QString& title) {
    QComboBox* list = m_controls.productList;
    const int row = list->findText(title, Qt::MatchExactly);
    if (row < 0)
        throw std::runtime_error("no product entry " + title.toStdString());
    list->setCurrentIndex(row);
    emit list->activated(row);
}

QPlainTextEdit* BenchWindow::log() const {
    return m_controls.logTextField;
}

} // namespace modflash::bench
