#pragma once

#include "Firmware.h"
#include "OutputDecoder.h"
#include "Product.h"

#include <QObject>
#include <QProcess>
#include <QString>
#include <QTimer>

#include <chrono>

namespace modflash {

class Preferences;
class ResourceDirectory;
struct UpdateTask;

// One update at a time: builds the product's flashing command, runs the tool as a child process
// on the calling thread's event loop (never blocking it), streams the tool's merged standard
// output and standard error into the log as it arrives, and ends with a verdict taken from the
// tool's exit. Both front ends drive it and listen to its three signals.
class UpdateRun : public QObject {
    Q_OBJECT

public:
    enum class Outcome {
        Succeeded,   // the tool exited with status 0
        ToolFailed,  // the tool exited with another status or was ended by a signal
        CouldNotRun, // the command could not be built or the tool could not be started
    };
    Q_ENUM(Outcome)

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
               const Preferences& preferences);

    // Lowers the running flag at once and asks the tool to end (SIGTERM). A tool still running
    // after the grace period, or when stop() is called again, is killed. The verdict follows the
    // tool's exit as usual. Does nothing more when no tool runs.
    void stop();

    // True from start() until the verdict, or until stop() lowers it.
    bool isRunning() const { return m_running; }
    // True from start() until finished() is emitted, including while a stopped tool is ending;
    // a new update cannot start until then.
    bool isBusy() const { return m_busy; }

    // How the tool of the latest update ended, for those who explain the verdict. Complete when
    // finished() is emitted.
    struct ToolEnd {
        bool stopped = false; // the user asked the tool to end before it did
        bool crashed = false; // a signal ended the tool
        int exitCode = 0;
        QString failure; // why the update could not run; empty when the tool ran
    };
    const ToolEnd& toolEnd() const { return m_toolEnd; }
    // The product of the latest update.
    const ProductPtr& product() const { return m_product; }

    void setGracePeriod(std::chrono::milliseconds period) { m_gracePeriod = period; }
    std::chrono::milliseconds gracePeriod() const { return m_gracePeriod; }

signals:
    // Each read of the tool's output as the tool wrote it, just before its text goes to the
    // log; for those who read the tool's progress out of it.
    void outputChunk(const QByteArray& chunk);
    // Text for the log, to be appended exactly as given.
    void logText(const QString& text);
    void runningChanged(bool running);
    // The last signal of an update, after its verdict is in the log; isBusy() is false by now.
    void finished(modflash::UpdateRun::Outcome outcome);

private:
    void connectTimer();
    void launch(const UpdateTask& task);
    void createProcess(const UpdateTask& task);
    void connectProcess();
    void readOutput();
    void drainOutput();
    void processFinished(int exitCode, QProcess::ExitStatus exitStatus);
    void processError(QProcess::ProcessError error);
    void killAfterGracePeriod();
    void failToRun(const QString& reason);
    void end(Outcome outcome);
    void setRunning(bool running);
    void writeToLog(const QString& text);

    QProcess* m_process = nullptr; // owned as a child; replaced by each update
    QTimer m_killTimer;
    OutputDecoder m_decoder;
    ProductPtr m_product;
    FirmwarePtr m_firmware;
    ToolEnd m_toolEnd;
    std::chrono::milliseconds m_gracePeriod = defaultGracePeriod;
    bool m_running = false;
    bool m_busy = false;
    bool m_stopRequested = false;
};

} // namespace modflash
