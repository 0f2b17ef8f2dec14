// SPDX-License-Identifier: GPL-3.0-or-later
// Target 1: the flood tool's 70 MB into the log of the real window, shown (offscreen), against
// a QProcess that throws the output away and against the simplest correct log; and the naive
// log that rewrites its whole text on every read, whose cost grows with the square of the size.

#include "BaselineLogs.h"
#include "BenchResources.h"
#include "BenchWindow.h"
#include "ChildRun.h"
#include "Clock.h"
#include "PaintProbe.h"
#include "ProcessMemory.h"
#include "Report.h"
#include "Scenarios.h"
#include "TickMonitor.h"
#include "window/LogTextView.h"

#include <QEventLoop>
#include <QPlainTextEdit>
#include <QProcess>
#include <QTextDocument>
#include <QTimer>

#include <cstdio>
#include <cstdlib>
#include <filesystem>

namespace modflash::bench {

namespace {

constexpr long long floodRandomBytes = 50LL << 20;
const QString verdict = QStringLiteral("UPDATE COMPLETED SUCCESSFULLY");

// What flood prints for so many random bytes: base64 in lines of 76 characters.
long long floodOutputBytes(long long randomBytes) {
    const long long lines = (randomBytes + 56) / 57;
    return 4 * ((randomBytes + 2) / 3) + lines;
}

void settle(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

int discardChild(const BenchResources& resources) {
    QProcess process;
    process.setProgram(QString::fromStdString(resources.toolScript().string()));
    process.setProcessChannelMode(QProcess::MergedChannels);
    long long bytes = 0;
    QObject::connect(&process, &QProcess::readyReadStandardOutput, &process,
                     [&] { bytes += process.readAllStandardOutput().size(); });
    QEventLoop loop;
    QObject::connect(&process, &QProcess::finished, &loop, &QEventLoop::quit);
    const std::int64_t start = monotonicNs();
    process.start(QIODevice::ReadOnly);
    loop.exec();
    std::printf("seconds %.6f\nbytes %lld\nfinished 1\n", secondsSince(start), bytes);
    return 0;
}

// Runs one update into the window's log (or a baseline log) and reports when the verdict,
// and so the whole output before it, was first painted.
int logChild(const BenchResources& resources, const std::string& mode, long long randomBytes,
             int capSeconds) {
    BenchWindow window(resources.path());
    window.launch();
    settle(300);
    const ProcessMemory idle = ProcessMemory::now();

    LogTextView* log = window.log();
    QPlainTextEdit* baseline = mode == "simple" || mode == "naive" ? window.baselineLog() : nullptr;
    const auto tail = [&] { return baseline ? lastLines(baseline, 3) : lastLines(log, 3); };
    QEventLoop loop;
    bool finished = false;
    double seconds = 0;
    std::int64_t start = 0;
    const PaintProbe probe(baseline ? static_cast<QAbstractScrollArea*>(baseline) : log, [&] {
        if (!finished && tail().contains(verdict)) {
            finished = true;
            seconds = secondsSince(start);
            loop.quit();
        }
    });
    QTimer::singleShot(capSeconds * 1000, &loop, &QEventLoop::quit);
    TickMonitor ticks;
    ticks.start();
    start = monotonicNs();
    if (mode == "simple")
        window.startUpdate([baseline](const QString& text) { appendWithCursor(baseline, text); });
    else if (mode == "naive")
        window.startUpdate([baseline](const QString& text) { appendByRewriting(baseline, text); });
    else
        window.startUpdate();
    loop.exec();

    const ProcessMemory after = ProcessMemory::now();
    // Characters shown, counting a final paragraph end as the text document does.
    const long long shown =
        baseline ? baseline->document()->characterCount() : log->lines().characterCount() + 1;
    std::printf("seconds %.6f\nfinished %d\ngap %.3f\nidle %lld\npeak %lld\nshown %lld\n"
                "complete %d\n",
                finished ? seconds : secondsSince(start), finished ? 1 : 0, ticks.longestGapMs(),
                static_cast<long long>(idle.resident), static_cast<long long>(after.peak), shown,
                shown >= floodOutputBytes(randomBytes) ? 1 : 0);
    std::fflush(stdout);
    // Tearing down a 70 MB document proves nothing; only the resource directory must go.
    std::error_code ignored;
    std::filesystem::remove_all(resources.path(), ignored);
    std::_Exit(0);
}

ChildRun runChild(const BenchPaths& paths, const std::vector<std::string>& arguments) {
    std::vector<std::string> command{paths.self, "throughput-child", paths.staged, paths.flood};
    command.insert(command.end(), arguments.begin(), arguments.end());
    ChildRun run = ChildRun::run(command, true);
    if (run.exitStatus != 0)
        std::fprintf(stderr, "window_bench: a throughput child failed (%d)\n", run.exitStatus);
    return run;
}

double bytesPerByte(const ChildRun& run, long long randomBytes) {
    return (run.value("peak") - run.value("idle")) /
           static_cast<double>(floodOutputBytes(randomBytes));
}

std::string megabytes(long long bytes) {
    char text[32];
    std::snprintf(text, sizeof text, "%.3g MB", static_cast<double>(bytes) / 1e6);
    return text;
}

} // namespace

int throughputChild(const std::vector<std::string>& arguments) {
    // STAGED FLOOD MODE [RANDOM_BYTES [CAP_SECONDS]]
    const std::string& mode = arguments.at(2);
    const long long randomBytes =
        arguments.size() > 3 ? std::stoll(arguments[3]) : floodRandomBytes;
    const int capSeconds = arguments.size() > 4 ? std::stoi(arguments[4]) : 300;
    BenchResources resources(arguments.at(0));
    resources.setTool({arguments.at(1), std::to_string(randomBytes)});
    if (mode == "discard")
        return discardChild(resources);
    return logChild(resources, mode, randomBytes, capSeconds);
}

int runThroughput(const BenchPaths& paths) {
    ChildRun discard = runChild(paths, {"discard"});
    for (int i = 0; i < 2; ++i) {
        ChildRun again = runChild(paths, {"discard"});
        if (again.value("seconds") < discard.value("seconds"))
            discard = again;
    }
    const ChildRun simple = runChild(paths, {"simple"});
    const ChildRun window = runChild(paths, {"window"});
    const double base = discard.value("seconds");
    const bool complete = window.value("complete") == 1 && window.value("finished") == 1;

    char simpleNote[160];
    std::snprintf(simpleNote, sizeof simpleNote,
                  "one cursor insert per read: %.3f s = %.2fx the discard baseline, longest "
                  "stall %.1f ms, peak %.2f B per output byte",
                  simple.value("seconds"), simple.value("seconds") / base, simple.value("gap"),
                  bytesPerByte(simple, floodRandomBytes));
    printNote("1 simple log", simpleNote);
    Report throughput{"1 log throughput",
                      "70 MB shown: " + seconds(window.value("seconds")) +
                          (complete ? "" : " INCOMPLETE"),
                      "QProcess discarding: " + seconds(base),
                      window.value("seconds") / base,
                      12.0,
                      "<= 12x"};
    if (!complete)
        throughput.absolute = 1e9;
    throughput.print();
    Report stall{"1 log stall",
                 "longest tick gap: " + milliseconds(window.value("gap")),
                 "simple log: " + milliseconds(simple.value("gap")),
                 window.value("gap") / simple.value("gap"),
                 50.0,
                 "<= 50 ms"};
    stall.absolute = window.value("gap");
    stall.print();
    const double perByte = bytesPerByte(window, floodRandomBytes);
    char figure[64];
    std::snprintf(figure, sizeof figure, "peak +%s = %.2f B/byte",
                  mebibytes(window.value("peak") - window.value("idle")).c_str(), perByte);
    char baseline[64];
    std::snprintf(baseline, sizeof baseline, "simple log: %.2f B/byte",
                  bytesPerByte(simple, floodRandomBytes));
    Report memory{
        "1 log memory", figure, baseline, perByte / bytesPerByte(simple, floodRandomBytes), 4.0,
        "<= 4 B/byte"};
    memory.absolute = perByte;
    memory.print();
    return 0;
}

int runNaiveCurve(const BenchPaths& paths) {
    std::string curve = "rewrite whole text per read:";
    // Each size doubles or more the one before; the time cap keeps the whole run bounded, so
    // the curve ends with the first size that does not finish in time.
    const long long outputSizes[] = {250000, 500000, 1000000, 2000000, 10000000, 20000000};
    for (const long long output : outputSizes) {
        const int cap = output >= 10000000 ? 60 : 30;
        const long long randomBytes = output * 57 / 77;
        const ChildRun run =
            runChild(paths, {"naive", std::to_string(randomBytes), std::to_string(cap)});
        if (run.value("finished") == 1) {
            curve.append(" ").append(megabytes(output)).append(" ");
            curve.append(seconds(run.value("seconds"))).append(";");
        } else {
            curve.append(" ").append(megabytes(output)).append(" did not finish in ");
            curve.append(std::to_string(cap)).append(" s (");
            curve.append(megabytes(static_cast<long long>(run.value("shown")))).append(" shown);");
            break;
        }
    }
    curve.pop_back();
    printNote("1 naive log curve", curve);
    return 0;
}

} // namespace modflash::bench
