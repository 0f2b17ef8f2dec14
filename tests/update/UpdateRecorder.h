#pragma once

#include "UpdateRun.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

namespace modflash {

// Listens to an update run the way a front end does and keeps everything it said.
class UpdateRecorder {
public:
    explicit UpdateRecorder(UpdateRun& run);

    // Runs the event loop until the run finishes; false if it never does (a hang, not a
    // matter of speed: the limit is far beyond any test's needs).
    bool waitForFinished();
    // Runs the event loop until the log holds text.
    bool waitForLog(const QString& text);

    const QString& log() const { return m_log; }
    const QStringList& texts() const { return m_texts; }
    const std::vector<bool>& runningChanges() const { return m_runningChanges; }
    std::optional<UpdateRun::Outcome> outcome() const { return m_outcome; }
    int finishedCount() const { return m_finishedCount; }

private:
    bool waitUntil(const std::function<bool()>& done);

    UpdateRun& m_run;
    QStringList m_texts;
    QString m_log;
    std::vector<bool> m_runningChanges;
    std::optional<UpdateRun::Outcome> m_outcome;
    int m_finishedCount = 0;
};

} // namespace modflash
