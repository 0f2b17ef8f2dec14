#include "UpdateStatus.h"

#include <QByteArray>

#include <string_view>

namespace modflash {

UpdateStatus::UpdateStatus(UpdateRun& run, QObject* parent)
    : QObject(parent)
    , m_run(run) {
    connectSignals();
}

UpdateStatus::~UpdateStatus() = default;

void UpdateStatus::connectSignals() {
    connect(&m_run, &UpdateRun::runningChanged, this, &UpdateStatus::runningChanged);
    connect(&m_run, &UpdateRun::outputChunk, this, &UpdateStatus::chunkArrived);
    connect(&m_run, &UpdateRun::finished, this, &UpdateStatus::finished);
}

void UpdateStatus::runningChanged(bool running) {
    // The run raises its flag only when an update starts; it lowers it at Stop and at the end.
    if (running) {
        begin();
    } else if (m_run.isBusy()) {
        m_stopping = true;
        emit changed();
    }
}

void UpdateStatus::begin() {
    const ProductPtr& product = m_run.product();
    const std::string_view family = product ? product->family() : std::string_view();
    m_summary = std::make_unique<VerdictSummary>(family);
    m_stopping = false;
    m_summary->setProgressListener([this](const Progress&) { emit changed(); });
    emit started();
    emit changed();
}

void UpdateStatus::chunkArrived(const QByteArray& chunk) {
    if (m_summary && !m_summary->hasEnded())
        m_summary->feed(
            std::string_view(chunk.constData(), static_cast<std::size_t>(chunk.size())));
}

void UpdateStatus::finished(UpdateRun::Outcome outcome) {
    if (!m_summary)
        return;
    const UpdateRun::ToolEnd& end = m_run.toolEnd();
    switch (outcome) {
    case UpdateRun::Outcome::CouldNotRun:
        m_summary->toolFailedToStart(end.failure.toStdString());
        break;
    case UpdateRun::Outcome::Succeeded:
        // The exit status is the verdict: a tool that finished its work although Stop was
        // pressed has still written the image.
        m_summary->toolExited(0);
        break;
    case UpdateRun::Outcome::ToolFailed:
        if (end.stopped)
            m_summary->toolStopped();
        else if (end.crashed)
            m_summary->toolCrashed();
        else
            m_summary->toolExited(end.exitCode);
        break;
    }
    m_stopping = false;
    emit ended();
    emit changed();
}

Progress UpdateStatus::progress() const {
    return m_summary ? m_summary->progress() : Progress{};
}

VerdictSummary::Banner UpdateStatus::banner() const {
    return m_summary ? m_summary->banner() : VerdictSummary::Banner{};
}

QString UpdateStatus::bannerText() const {
    if (!m_summary)
        return {};
    if (m_stopping)
        return tr("Stopping the update: waiting for the tool to end");
    // Until the output names a phase there is only the fact that the update runs.
    if (!m_summary->hasEnded() && m_summary->progress().phase.empty())
        return tr("Updating");
    return QString::fromStdString(m_summary->banner().text);
}

} // namespace modflash
