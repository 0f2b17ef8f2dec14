// SPDX-License-Identifier: GPL-3.0-or-later
#include "BenchWindow.h"

#include "BenchResources.h"
#include "window/LogTextView.h"
#include "window/LogView.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QPlainTextEdit>
#include <QPushButton>

#include <stdexcept>

namespace modflash::bench {

BenchWindow::BenchWindow(const std::filesystem::path& resources)
    : m_resources(resources)
    , m_preferences(QString::fromStdString((resources / "preferences.ini").string()))
    , m_controls(m_window.controls())
    , m_delegate(m_controls, m_preferences, m_resources) {
    // The benchmarks measure the log of the write, not a module check run of the stand-in tool.
    m_preferences.setBool(PreferenceKey::checkModuleBeforeWriting, false);
}

void BenchWindow::launch() {
    m_delegate.applicationDidFinishLaunching();
    m_window.show();
}

void BenchWindow::startUpdate(const std::function<void(const QString&)>& sink) {
    pickProduct(QString::fromUtf8(BenchResources::productTitle()));
    pickVersion(QString::fromUtf8(BenchResources::version()));
    if (sink) {
        UpdateSession& session = m_delegate.session();
        QObject::disconnect(&session, &UpdateSession::logText, &m_delegate,
                            &AppDelegate::writeToLog);
        QObject::connect(&session, &UpdateSession::logText, &session,
                         [sink](const QByteArray& text) { sink(QString::fromUtf8(text)); });
    }
    if (!m_controls.updateButton->isEnabled())
        throw std::runtime_error("Update is not offered for the benchmark image");
    m_controls.updateButton->click();
    if (!m_delegate.session().isBusy())
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

LogTextView* BenchWindow::log() const {
    return m_controls.logTextField;
}

QPlainTextEdit* BenchWindow::baselineLog() {
    LogTextView* view = m_controls.logTextField;
    auto* layout = qobject_cast<QBoxLayout*>(view->parentWidget()->layout());
    if (!layout)
        throw std::runtime_error("the log view is not in a box layout");
    auto* edit = new QPlainTextEdit(view->parentWidget());
    edit->setReadOnly(true);
    edit->setUndoRedoEnabled(false);
    edit->setFont(LogView::logFont());
    layout->insertWidget(layout->indexOf(view), edit);
    view->hide();
    return edit;
}

} // namespace modflash::bench
