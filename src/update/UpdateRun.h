// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "catalogue/Product.h"
#include "feed/DownloadCache.h"
#include "feed/FirmwareOffer.h"
#include "flashing/Firmware.h"
#include "flashing/Preferences.h"
#include "flashing/ResourceDirectory.h"
#include "flashing/ToolEnd.h"
#include "flashing/Utf8.h"
#include "update/CheckedImageCopy.h"
#include "update/UpdateState.h"

#include <QObject>
#include <QProcess>
#include <QString>
#include <QTimer>

#include <chrono>
#include <cstdint>
#include <memory>
#include <optional>
#include <sys/types.h>

class QNetworkAccessManager;

namespace modflash::feed {
class ImageDownload;
}

namespace modflash {

// What an update is to check before it writes anything.
struct UpdateOptions {
    // Run the family's check of the module first (the AVR chip's signature).
    bool checkModule = true;
    // A person confirmed writing an image that only a plausibility rule refuses.
    bool allowImplausible = false;
    // The flash the connected module says it has, when it says so (the DFU boot loader).
    std::optional<std::uint64_t> connectedFlash;
    // A feed release not in the download cache may be downloaded.
    bool networkAllowed = true;
};

// One update at a time: brings a feed release into the download cache first, builds the
// product's flashing command, checks the image and, where the
// family can, the module before anything is written, runs the tool as a child process on the
// calling thread's event loop (never blocking it), hands on the tool's merged standard output
// and standard error as it arrives, with the log's own texts around it, and ends with how the
// tool ended. The tool writes a private copy of the bytes that were checked. Each tool runs in
// a process group of its own, so that Stop reaches whatever it started. The update session
// drives it.
class UpdateRun : public QObject {
    Q_OBJECT

public:
    // How long a tool may take to end after stop() before it is killed.
    static constexpr std::chrono::milliseconds defaultGracePeriod{5000};

    explicit UpdateRun(QObject* parent = nullptr);
    // Kills a tool that still runs: callers that must not cut a flash short stop() first and
    // wait for finished().
    ~UpdateRun() override;

    // Begins an update of the product with the firmware. The command is built here, from the
    // resources and the preferences as they are now, so neither needs to outlive the call.
    // Signals may be emitted before this returns (a command that cannot be built ends the
    // update at once). Refused, with no effect and false returned, while isBusy().
    bool start(ProductPtr product, FirmwarePtr firmware, const ResourceDirectory& resources,
               const Preferences& preferences, const UpdateOptions& options = {});
    // The same for an offered image. One from the feed, cached or not, first goes through the
    // download cache (Downloading), which downloads it or finds its cached copy intact, and
    // only bytes with its release's SHA-256 are written. The preferences are taken as they are
    // at the start, whatever happens to them while the image downloads.
    bool start(ProductPtr product, const feed::FirmwareOffer& offer,
               const ResourceDirectory& resources, const Preferences& preferences,
               const UpdateOptions& options = {});

    // Asks the tool and what it started to end (SIGTERM). A tool still running after the grace
    // period, or when stop() is called again, is killed. Nothing new starts after a stop: a
    // module check that ends, however it ends, ends the update. The verdict of a write follows
    // the tool's exit as usual.
    void stop();

    UpdateState::Stage stage() const { return m_state.stage(); }
    // True from start() until finished() is emitted, including while a stopped tool is ending.
    bool isBusy() const { return m_state.isBusy(); }

    void setGracePeriod(std::chrono::milliseconds period) { m_gracePeriod = period; }
    // Where feed releases are downloaded to: the user's download cache unless set.
    void setDownloadCache(const QString& directory) { m_cache = feed::DownloadCache(directory); }

signals:
    void stageChanged(modflash::UpdateState::Stage from, modflash::UpdateState::Stage to);
    // The tool that writes the image starts (after the module check, where there is one).
    void writingStarted();
    // While a feed release downloads: the bytes so far and of the whole image.
    void downloadProgress(qint64 received, qint64 total);
    // Each read of the tool's output as the tool wrote it, before its text goes to the log.
    void outputChunk(const QByteArray& chunk);
    // Text for the log, as UTF-8, to be appended exactly as given. The tool's output passes
    // as it is where it is UTF-8, which spares a flood two conversions.
    void logText(const QByteArray& text);
    // The last signal of an update, after its verdict is in the log; isBusy() is false by now.
    void finished(const modflash::ToolEnd& end);

private:
    using Stage = UpdateState::Stage;

    void connectTimer();
    bool begin(Stage first, ProductPtr product, const ResourceDirectory& resources,
               const Preferences& preferences, const UpdateOptions& options);
    void download(const feed::FeedRelease& release);
    void downloaded();
    void checkAndLaunch(const FirmwarePtr& firmware);
    std::optional<UpdateTask> prepare(const FirmwarePtr& firmware);
    bool isTheRelease(const ImageReport& image, const std::string& path);
    bool moveTo(Stage next);
    void launch(Stage stage, const UpdateTask& task);
    void moduleChecked(const ToolEnd& checkEnd);
    void createProcess(const UpdateTask& task);
    void readOutput();
    void drainOutput();
    void processFinished(int exitCode, QProcess::ExitStatus exitStatus);
    void processError(QProcess::ProcessError error);
    void signalToolGroup(int signal);
    void end(const ToolEnd& end);
    void writeToLog(const std::string& text);

    std::unique_ptr<QProcess> m_process; // replaced by each tool run
    UpdateState m_state;
    std::unique_ptr<CheckedImageCopy> m_image; // from the image check to the end
    UpdateTask m_writeTask;                    // while the module check runs
    QByteArray m_checkOutput;                  // what the module check printed
    QTimer m_killTimer;
    Utf8Stream m_text;
    ProductPtr m_product;
    // What the update started with, for the command built after a download.
    ResourceDirectory m_resources{std::filesystem::path()};
    MemoryPreferences m_preferences;
    UpdateOptions m_options;
    // The feed release being written, from the download to the end.
    std::optional<feed::FeedRelease> m_release;
    feed::DownloadCache m_cache;
    std::unique_ptr<QNetworkAccessManager> m_network;
    std::unique_ptr<feed::ImageDownload> m_download;
    std::chrono::milliseconds m_gracePeriod = defaultGracePeriod;
    pid_t m_toolGroup = 0;           // the running tool's process group
    Stage m_stoppedIn = Stage::Idle; // where Stop found the update
};

} // namespace modflash
