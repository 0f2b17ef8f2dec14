#include "UpdateRecorder.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QEventLoop>
#include <QObject>
#include <QTimer>

namespace modflash {

namespace {
constexpr int hangLimitMs = 120'000;
}

UpdateRecorder::UpdateRecorder(UpdateRun& run)
    : m_run(run) {
    QObject::connect(&run, &UpdateRun::logText, &run, [this](const QString& text) {
        m_texts.append(text);
        m_log += text;
    });
    QObject::connect(&run, &UpdateRun::runningChanged, &run,
                     [this](bool running) { m_runningChanges.push_back(running); });
    QObject::connect(&run, &UpdateRun::finished, &run, [this](UpdateRun::Outcome outcome) {
        m_outcome = outcome;
        ++m_finishedCount;
    });
}

bool UpdateRecorder::waitForFinished() {
    const int before = m_finishedCount;
    return waitUntil([&] { return !m_run.isBusy() || m_finishedCount > before; });
}

bool UpdateRecorder::waitForLog(const QString& text) {
    return waitUntil([&] { return m_log.contains(text); });
}

bool UpdateRecorder::waitUntil(const std::function<bool()>& done) {
    const QDeadlineTimer deadline(hangLimitMs);
    // Wakes the loop now and then so a run that never ends is noticed.
    QTimer wakeUp;
    wakeUp.start(100);
    while (!done()) {
        if (deadline.hasExpired())
            return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    }
    return true;
}

} // namespace modflash
