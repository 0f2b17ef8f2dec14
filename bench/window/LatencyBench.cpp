// SPDX-License-Identifier: GPL-3.0-or-later
// Target 2: a tool that writes one short line every 100 ms, each line stamped with the time of
// its write; how long until the line is painted in the window's log, against how long until a
// bare QProcess reader has it. And avrdude's "#" marks: each must be painted on its own, not
// all at once when the line ends.

#include "BenchResources.h"
#include "BenchWindow.h"
#include "ChildRun.h"
#include "Clock.h"
#include "PaintProbe.h"
#include "Report.h"
#include "Scenarios.h"
#include "window/LogTextView.h"

#include <QEventLoop>
#include <QProcess>
#include <QRegularExpression>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <set>

namespace modflash::bench {

namespace {

constexpr int lineCount = 120;
constexpr int lineIntervalMs = 100;
constexpr int markCount = 50;
constexpr int markPauseMs = 40;

const QString verdict = QStringLiteral("UPDATE COMPLETED SUCCESSFULLY");

// Records, for every stamped line not seen before, how long ago it was written.
class LineClock {
public:
    void see(const QString& line) {
        const QRegularExpressionMatch match = pattern().match(line);
        if (!match.hasMatch())
            return;
        const int number = match.captured(1).toInt();
        if (!m_seen.insert(number).second)
            return;
        m_delaysMs.push_back(static_cast<double>(monotonicNs() - match.captured(2).toLongLong()) /
                             1e6);
    }
    void print() {
        std::sort(m_delaysMs.begin(), m_delaysMs.end());
        const auto at = [this](double share) {
            if (m_delaysMs.empty())
                return 1e9;
            const auto index = static_cast<std::size_t>(share * (m_delaysMs.size() - 1) + 0.5);
            return m_delaysMs[index];
        };
        std::printf("lines %zu\np50 %.3f\np99 %.3f\nmax %.3f\n", m_delaysMs.size(), at(0.5),
                    at(0.99), at(1.0));
    }

private:
    static const QRegularExpression& pattern() {
        static const QRegularExpression line(QStringLiteral("^line (\\d+) written (\\d+)$"));
        return line;
    }

    std::set<int> m_seen;
    std::vector<double> m_delaysMs;
};

int bareLinesChild(const BenchResources& resources) {
    QProcess process;
    process.setProgram(QString::fromStdString(resources.toolScript().string()));
    LineClock clock;
    QObject::connect(&process, &QProcess::readyReadStandardOutput, &process, [&] {
        while (process.canReadLine())
            clock.see(QString::fromUtf8(process.readLine()).trimmed());
    });
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    process.start(QIODevice::ReadOnly);
    loop.exec();
    clock.print();
    return 0;
}

int windowLinesChild(const BenchResources& resources) {
    BenchWindow window(resources.path());
    window.launch();
    LogTextView* log = window.log();
    LineClock clock;
    QEventLoop loop;
    const PaintProbe probe(log, [&] {
        // Every line new since the last paint, however many arrived together.
        const LogLines& lines = log->lines();
        for (qsizetype line = lines.lineCount() - 1; line >= 0 && line >= lines.lineCount() - 50;
             --line)
            clock.see(lines.line(line).toString());
        if (lastLines(log, 3).contains(verdict))
            loop.quit();
    });
    window.startUpdate();
    loop.exec();
    clock.print();
    return 0;
}

int windowMarksChild(const BenchResources& resources) {
    BenchWindow window(resources.path());
    window.launch();
    LogTextView* log = window.log();
    std::set<int> counts;
    QEventLoop loop;
    const PaintProbe probe(log, [&] {
        const LogLines& lines = log->lines();
        for (qsizetype line = lines.lineCount() - 1; line >= 0; --line) {
            const QStringView text = lines.line(line);
            if (text.startsWith(QStringLiteral("Writing | "))) {
                counts.insert(static_cast<int>(text.count(QLatin1Char('#'))));
                break;
            }
        }
        if (lastLines(log, 3).contains(verdict))
            loop.quit();
    });
    window.startUpdate();
    loop.exec();
    counts.erase(0);
    std::printf("steps %zu\n", counts.size());
    return 0;
}

ChildRun runChild(const BenchPaths& paths, const std::string& kind) {
    const bool marks = kind == "window-marks";
    ChildRun run = ChildRun::run({paths.self, "latency-child", paths.staged, kind,
                                  marks ? paths.hashmarks : paths.slowlines,
                                  std::to_string(marks ? markCount : lineCount),
                                  std::to_string(marks ? markPauseMs : lineIntervalMs)},
                                 true);
    if (run.exitStatus != 0)
        std::fprintf(stderr, "window_bench: a latency child failed (%d)\n", run.exitStatus);
    return run;
}

} // namespace

int latencyChild(const std::vector<std::string>& arguments) {
    // STAGED KIND TOOL COUNT INTERVAL_MS
    BenchResources resources(arguments.at(0));
    resources.setTool({arguments.at(2), arguments.at(3), arguments.at(4)});
    const std::string& kind = arguments.at(1);
    if (kind == "bare-lines")
        return bareLinesChild(resources);
    if (kind == "window-marks")
        return windowMarksChild(resources);
    return windowLinesChild(resources);
}

int runLatency(const BenchPaths& paths) {
    const ChildRun bare = runChild(paths, "bare-lines");
    const ChildRun window = runChild(paths, "window-lines");
    char figure[80];
    std::snprintf(figure, sizeof figure, "p99 %.1f ms (p50 %.1f, %d lines)", window.value("p99"),
                  window.value("p50"), static_cast<int>(window.value("lines")));
    Report latency{"2 line latency",
                   figure,
                   "bare QProcess p99: " + milliseconds(bare.value("p99")),
                   window.value("p99") / bare.value("p99"),
                   20.0,
                   "<= 20 ms"};
    latency.absolute = window.value("lines") == lineCount ? window.value("p99") : 1e9;
    latency.print();

    const ChildRun marks = runChild(paths, "window-marks");
    const int steps = static_cast<int>(marks.value("steps"));
    Report oneByOne{
        "2 progress marks",
        std::to_string(steps) + " of " + std::to_string(markCount) + " marks painted one by one",
        std::to_string(markCount) + " marks " + std::to_string(markPauseMs) + " ms apart",
        -1,
        0,
        "each mark"};
    // Every mark must have been painted on its own; one lost to a busy machine is allowed.
    oneByOne.absolute = steps >= markCount - 1 ? 0 : 1;
    oneByOne.print();
    return 0;
}

} // namespace modflash::bench
