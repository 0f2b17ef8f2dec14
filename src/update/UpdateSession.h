// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/Product.h"
#include "flashing/DeviceRequirement.h"
#include "flashing/Firmware.h"
#include "flashing/ToolEnd.h"
#include "flashing/VerdictSummary.h"
#include "flashing/output/Progress.h"
#include "update/UpdateLock.h"
#include "update/UpdateRun.h"

#include <QObject>
#include <QString>

#include <chrono>
#include <memory>
#include <optional>

namespace modflash {

class Preferences;
class ResourceDirectory;
class SleepInhibitor;

// One update session for both front ends: it owns the run of the flashing tool, reads the tool's
// progress and verdict out of its output, and keeps the machine from suspending while the tool
// writes. The window and modflash-cli only observe it, through signals that carry the values.
class UpdateSession : public QObject {
    Q_OBJECT

public:
    using Banner = VerdictSummary::Banner;

    // sleepLock: the desktop's lock to hold while a tool runs; when null the session asks
    // logind on the system bus itself. A lock given must outlive the session.
    explicit UpdateSession(SleepInhibitor* sleepLock = nullptr, QObject* parent = nullptr);
    ~UpdateSession() override;

    // Begins an update; see UpdateRun::start. False, with nothing done, while one is under way
    // here, or in another process of this user (blockingUpdate() then says which).
    bool start(ProductPtr product, FirmwarePtr firmware, const ResourceDirectory& resources,
               const Preferences& preferences, const UpdateOptions& options = {});
    // The same for an offered image, which a feed release downloads first; see UpdateRun.
    bool start(ProductPtr product, const feed::FirmwareOffer& offer,
               const ResourceDirectory& resources, const Preferences& preferences,
               const UpdateOptions& options = {});
    // Lowers the running flag at once and asks the tool to end; pressed again, or left
    // unanswered for the grace period, kills it. Nothing is started after it. The verdict
    // follows the tool's exit.
    void stop();

    UpdateState::Stage stage() const { return m_run.stage(); }
    // True from start() until the verdict, or until stop().
    bool isRunning() const { return UpdateState::isRunning(stage()); }
    // True from start() until finished(), including while a stopped tool is ending.
    bool isBusy() const { return m_run.isBusy(); }
    bool isStopping() const { return stage() == UpdateState::Stage::Stopping; }
    bool hasStarted() const { return m_summary != nullptr; }
    bool hasEnded() const { return m_end.has_value(); }

    // Reading progress costs a pass over every byte of output; a front end that shows no
    // progress turns it off. The verdict and the exit status do not depend on it, and the
    // banner's reasons are then read from the end of the output once the tool has ended.
    void setReadsProgress(bool reads) { m_readsProgress = reads; }
    static constexpr qsizetype unreadTailBytes = 64 * 1024;

    // While the tool runs, its phase and how far it is; after the verdict, the state it ended in.
    Progress progress() const;
    // What the update is doing or how it ended, in one line, including the wait after Stop.
    Banner banner() const;
    // How the latest update's tool ended; nothing until the first verdict.
    const std::optional<ToolEnd>& toolEnd() const { return m_end; }
    const ProductPtr& product() const { return m_product; }
    const SleepInhibitor& sleepLock() const { return *m_sleepLock; }
    // The other process's update that made the latest start() refuse; nothing otherwise.
    const std::optional<UpdateLock::Holder>& blockingUpdate() const { return m_blockedBy; }
    // The update another process of this user runs now, if any.
    std::optional<UpdateLock::Holder> otherUpdate() const { return m_lock.otherHolder(); }

    void setGracePeriod(std::chrono::milliseconds period) { m_run.setGracePeriod(period); }
    void setDownloadCache(const QString& directory) { m_run.setDownloadCache(directory); }

signals:
    // An update began.
    void started();
    // Text for the log, as UTF-8, to be appended exactly as given.
    void logText(const QByteArray& text);
    void runningChanged(bool running);
    void progressChanged(const modflash::Progress& progress);
    void bannerChanged(const modflash::VerdictSummary::Banner& banner);
    // The last signal of an update, after its verdict is in the log; isBusy() is false by now.
    void finished(const modflash::ToolEnd& end);

private:
    void connectRun();
    bool acquire(const ProductPtr& product, const std::string& version,
                 const Preferences& preferences);
    void chunkArrived(const QByteArray& chunk);
    void newSummary();
    void runFinished(const ToolEnd& end);
    void stageChanged(UpdateState::Stage from, UpdateState::Stage to);
    void reportStatus();

    UpdateRun m_run;
    UpdateLock m_lock;
    std::optional<UpdateLock::Holder> m_blockedBy;
    std::unique_ptr<SleepInhibitor> m_ownSleepLock;
    SleepInhibitor* m_sleepLock;
    std::unique_ptr<VerdictSummary> m_summary;
    QByteArray m_unreadTail; // the end of the output, while progress is not read
    bool m_tailCut = false;
    ProductPtr m_product;
    std::optional<DeviceRequirement> m_device; // the one the latest update needs
    std::optional<ToolEnd> m_end;
    // While a feed release downloads: the percentage of it received, when its size is known.
    int m_downloaded = Progress::indeterminate;
    bool m_readsProgress = true;
};

} // namespace modflash
