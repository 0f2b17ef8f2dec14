#pragma once

#include "Progress.h"
#include "UpdateRun.h"
#include "VerdictSummary.h"

#include <QObject>
#include <QString>

#include <memory>

class QByteArray;

namespace modflash {

// What the latest update is doing and how it ended, read out of the tool's output as the run
// delivers it: the progress of the tool's current phase and the one-line verdict. Both front
// ends show it; the log texts themselves stay untouched.
class UpdateStatus : public QObject {
    Q_OBJECT

public:
    explicit UpdateStatus(UpdateRun& run, QObject* parent = nullptr);
    ~UpdateStatus() override;

    // False until the first update starts.
    bool hasStarted() const { return m_summary != nullptr; }
    // Stop was pressed and the tool has not ended yet.
    bool isStopping() const { return m_stopping; }
    bool hasEnded() const { return m_summary && m_summary->hasEnded(); }

    // While the tool runs, its phase and how far it is; after the verdict, the state it ended in.
    Progress progress() const;
    VerdictSummary::Banner banner() const;
    // The banner as a person reads it, including the wait after Stop.
    QString bannerText() const;

signals:
    // An update began; changed() follows.
    void started();
    // The verdict is in; changed() follows.
    void ended();
    // The progress, the banner or both changed.
    void changed();

private:
    void connectSignals();
    void begin();
    void runningChanged(bool running);
    void chunkArrived(const QByteArray& chunk);
    void finished(UpdateRun::Outcome outcome);

    UpdateRun& m_run;
    std::unique_ptr<VerdictSummary> m_summary;
    bool m_stopping = false;
};

} // namespace modflash
