// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/UpdateStatusPanel.h"

#include "update/UpdateSession.h"
#include "window/ReadableColour.h"

#include <QEvent>
#include <QLabel>
#include <QProgressBar>

namespace modflash {

namespace {

// The hue of each verdict, made readable on whatever background the palette gives; the
// meaning is in the words too.
QColor colourOf(VerdictSummary::Banner::Kind kind) {
    switch (kind) {
    case VerdictSummary::Banner::Kind::Completed:
        return ReadableColour::success;
    case VerdictSummary::Banner::Kind::Failed:
        return ReadableColour::failure;
    case VerdictSummary::Banner::Kind::WrittenThenFailed:
        return ReadableColour::caution;
    case VerdictSummary::Banner::Kind::Running:
        break;
    }
    return {};
}

} // namespace

UpdateStatusPanel::UpdateStatusPanel(QProgressBar* bar, QLabel* banner,
                                     const UpdateSession& session, QObject* parent)
    : QObject(parent)
    , m_bar(bar)
    , m_banner(banner)
    , m_session(session) {
    connectSignals();
    refresh();
    ReadableColour::followPalette(m_banner, this, [this] { showBanner(); });
}

void UpdateStatusPanel::connectSignals() {
    // A notice stays through the progress of an update; its start or its verdict replaces it.
    connect(&m_session, &UpdateSession::started, this, [this] {
        m_cleared = false;
        clearNotice();
    });
    connect(&m_session, &UpdateSession::finished, this, &UpdateStatusPanel::clearNotice);
    connect(&m_session, &UpdateSession::progressChanged, this, &UpdateStatusPanel::showProgress);
    connect(&m_session, &UpdateSession::bannerChanged, this, &UpdateStatusPanel::showBanner);
}

void UpdateStatusPanel::showNotice(const QString& text) {
    m_notice = text;
    showBanner();
}

void UpdateStatusPanel::clearNotice() {
    m_notice.clear();
    showBanner();
}

void UpdateStatusPanel::clear() {
    if (m_session.isBusy())
        return;
    m_cleared = true;
    m_notice.clear();
    refresh();
}

void UpdateStatusPanel::refresh() {
    showProgress();
    showBanner();
}

void UpdateStatusPanel::showProgress() {
    if (!m_bar)
        return;
    // Before the first update an empty bar would only look like a field to fill in.
    const bool shown = m_session.hasStarted() && !m_cleared;
    m_bar->setVisible(shown);
    if (!shown) {
        m_bar->setRange(0, 100);
        m_bar->setValue(0);
        m_bar->setTextVisible(false);
        return;
    }
    const Progress progress = m_session.progress();
    // Running without a phase is the start, before the tool's output names one.
    const bool named = progress.phase != Phase::None;
    const QString phase =
        QString::fromStdString(named ? progress.phaseText() : phaseText(Phase::Starting));
    m_bar->setTextVisible(true);
    if (progress.isIndeterminate() && progress.state == Progress::State::Running) {
        // A range of 0 to 0 is the busy indicator.
        m_bar->setRange(0, 0);
        m_bar->setFormat(phase);
        return;
    }
    m_bar->setRange(0, 100);
    const int percent = progress.isIndeterminate() ? 0 : progress.percent;
    m_bar->setValue(percent);
    switch (progress.state) {
    case Progress::State::Running:
        m_bar->setFormat(tr("%1 %p%").arg(phase));
        break;
    case Progress::State::Done:
        m_bar->setFormat(!named ? tr("%p% \u2013 done") : tr("%1 %p% \u2013 done").arg(phase));
        break;
    case Progress::State::Failed:
        m_bar->setFormat(!named                       ? tr("Failed")
                         : progress.isIndeterminate() ? tr("%1 \u2013 failed").arg(phase)
                                                      : tr("%1 %p% \u2013 failed").arg(phase));
        break;
    case Progress::State::Stopped:
        m_bar->setFormat(!named                       ? tr("Stopped")
                         : progress.isIndeterminate() ? tr("%1 \u2013 stopped").arg(phase)
                                                      : tr("%1 %p% \u2013 stopped").arg(phase));
        break;
    }
}

void UpdateStatusPanel::showBanner() {
    if (!m_banner)
        return;
    if (!m_notice.isEmpty()) {
        ReadableColour::setVerdictHue(m_banner, {});
        m_banner->setText(m_notice);
        return;
    }
    if (m_cleared) {
        m_banner->setStyleSheet({});
        m_banner->clear();
        return;
    }
    const VerdictSummary::Banner banner = m_session.banner();
    // A verdict stands out in its colour and in bold.
    ReadableColour::setVerdictHue(m_banner,
                                  m_session.hasEnded() ? colourOf(banner.kind) : QColor());
    m_banner->setText(QString::fromStdString(banner.text));
}

} // namespace modflash
