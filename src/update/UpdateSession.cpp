// SPDX-License-Identifier: GPL-3.0-or-later
#include "update/UpdateSession.h"

#include "flashing/UsbAccess.h"
#include "update/SleepInhibitor.h"

#include <QByteArray>
#include <QCoreApplication>

#include <utility>

namespace modflash {

UpdateSession::UpdateSession(SleepInhibitor* sleepLock, QObject* parent)
    : QObject(parent)
    , m_ownSleepLock(sleepLock ? nullptr : std::make_unique<SleepInhibitor>())
    , m_sleepLock(sleepLock ? sleepLock : m_ownSleepLock.get()) {
    connectRun();
}

UpdateSession::~UpdateSession() = default;

void UpdateSession::connectRun() {
    connect(&m_run, &UpdateRun::logText, this, &UpdateSession::logText);
    connect(&m_run, &UpdateRun::outputChunk, this, &UpdateSession::chunkArrived);
    connect(&m_run, &UpdateRun::finished, this, &UpdateSession::runFinished);
    connect(&m_run, &UpdateRun::stageChanged, this, &UpdateSession::stageChanged);
    connect(&m_run, &UpdateRun::downloadProgress, this, [this](qint64 received, qint64 total) {
        const int percent = total > 0 ? int(received * 100 / total) : Progress::indeterminate;
        if (percent != std::exchange(m_downloaded, percent))
            reportStatus();
    });
    // The module check's lines say nothing about the write: its progress and errors start
    // afresh.
    connect(&m_run, &UpdateRun::writingStarted, this, [this] {
        newSummary();
        reportStatus();
    });
}

bool UpdateSession::start(ProductPtr product, FirmwarePtr firmware,
                          const ResourceDirectory& resources, const Preferences& preferences,
                          const UpdateOptions& options) {
    if (!firmware || !acquire(product, firmware->version(), preferences))
        return false;
    // The run reports its first stage change, and with it the running flag, from here on.
    return m_run.start(std::move(product), std::move(firmware), resources, preferences, options);
}

bool UpdateSession::start(ProductPtr product, const feed::FirmwareOffer& offer,
                          const ResourceDirectory& resources, const Preferences& preferences,
                          const UpdateOptions& options) {
    if ((!offer.firmware && !offer.release) || !acquire(product, offer.version(), preferences))
        return false;
    return m_run.start(std::move(product), offer, resources, preferences, options);
}

// The lock covers the whole update, a download included.
bool UpdateSession::acquire(const ProductPtr& product, const std::string& version,
                            const Preferences& preferences) {
    if (isBusy() || !product)
        return false;
    m_blockedBy = m_lock.acquire(QString::fromStdString(product->title() + ' ' + version));
    if (m_blockedBy)
        return false;
    m_product = product;
    m_device = product->requiredDevice(preferences);
    m_end.reset();
    m_downloaded = Progress::indeterminate;
    newSummary();
    // A machine that suspends in the middle of a write leaves the module without firmware.
    m_sleepLock->acquire();
    emit started();
    return true;
}

void UpdateSession::newSummary() {
    m_summary =
        std::make_unique<VerdictSummary>(m_product ? m_product->profile() : FamilyProfile::none());
    m_summary->setProgressListener([this](const Progress&) { reportStatus(); });
    m_unreadTail.clear();
    m_tailCut = false;
}

void UpdateSession::stop() {
    m_run.stop();
}

void UpdateSession::chunkArrived(const QByteArray& chunk) {
    if (!m_summary)
        return;
    if (m_readsProgress) {
        m_summary->feed(
            std::string_view(chunk.constData(), static_cast<std::size_t>(chunk.size())));
        return;
    }
    // A tool says what went wrong last: the end of its output explains the verdict.
    m_unreadTail += chunk;
    if (m_unreadTail.size() > 2 * unreadTailBytes) {
        m_unreadTail.remove(0, m_unreadTail.size() - unreadTailBytes);
        m_tailCut = true;
    }
}

void UpdateSession::runFinished(const ToolEnd& end) {
    m_end = end;
    if (!m_unreadTail.isEmpty()) {
        // A line cut at its start could read as another.
        const qsizetype from = m_tailCut ? m_unreadTail.indexOf('\n') + 1 : 0;
        m_summary->feed(std::string_view(m_unreadTail).substr(static_cast<std::size_t>(from)));
        m_unreadTail.clear();
    }
    m_summary->toolEnded(end);
    if (m_summary->accessDenied())
        m_summary->setAccessAdvice(UsbAccess().advice(m_device));
    m_sleepLock->release();
    m_lock.release();
    reportStatus();
    emit finished(end);
}

void UpdateSession::stageChanged(UpdateState::Stage from, UpdateState::Stage to) {
    if (UpdateState::isRunning(from) != UpdateState::isRunning(to))
        emit runningChanged(UpdateState::isRunning(to));
    // The start and Stop change what the banner says; the end reports in runFinished().
    if (to == UpdateState::Stage::Stopping || to == UpdateState::Stage::CheckingImage ||
        to == UpdateState::Stage::Downloading)
        reportStatus();
}

void UpdateSession::reportStatus() {
    emit progressChanged(progress());
    emit bannerChanged(banner());
}

Progress UpdateSession::progress() const {
    if (stage() == UpdateState::Stage::Downloading)
        return {Phase::Downloading, m_downloaded, Progress::State::Running};
    return m_summary ? m_summary->progress() : Progress{};
}

UpdateSession::Banner UpdateSession::banner() const {
    if (!m_summary)
        return {};
    if (isStopping())
        return {Banner::Kind::Running,
                QCoreApplication::translate("modflash::UpdateSession",
                                            "Stopping the update: waiting for the tool to end")
                    .toStdString()};
    if (stage() == UpdateState::Stage::Downloading)
        return {Banner::Kind::Running,
                (m_downloaded == Progress::indeterminate
                     ? QCoreApplication::translate("modflash::UpdateSession",
                                                   "Downloading the firmware")
                     : QCoreApplication::translate("modflash::UpdateSession",
                                                   "Downloading the firmware: %1%")
                           .arg(m_downloaded))
                    .toStdString()};
    return m_summary->banner();
}

} // namespace modflash
