// SPDX-License-Identifier: GPL-3.0-or-later
// Targets 4 and 5: with 10,000 image files, the time from spawning the application to its
// window first painted with the product list refreshed, and its memory at rest, against an
// empty window built from the same definition (the same controls) and nothing behind it. Both
// come from this program, so both load the same libraries. Also the window's two listings: a
// product list refresh and the version list of one product, each under 50 ms.

#include "BenchResources.h"
#include "BenchWindow.h"
#include "ChildRun.h"
#include "Clock.h"
#include "ProcessMemory.h"
#include "Report.h"
#include "Scenarios.h"
#include "window/MainWindow.h"

#include <QEvent>
#include <QEventLoop>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <functional>

namespace modflash::bench {

namespace {

constexpr int imageCount = 10000;
constexpr int rounds = 5;

// Quits the event loop at the widget's first paint and notes when that was.
class FirstPaint : public QObject {
public:
    explicit FirstPaint(QWidget* widget) { widget->installEventFilter(this); }

    void wait() { m_loop.exec(); }
    std::int64_t atNs() const { return m_atNs; }

protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::Paint && m_atNs == 0) {
            m_atNs = monotonicNs();
            m_loop.quit();
        }
        return false;
    }

private:
    QEventLoop m_loop;
    std::int64_t m_atNs = 0;
};

void settle(int milliseconds) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
}

double medianMs(const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < rounds; ++i) {
        const std::int64_t start = monotonicNs();
        work();
        times.push_back(secondsSince(start) * 1e3);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

double median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

} // namespace

int startupChild(const std::vector<std::string>& arguments) {
    // KIND RESOURCES
    const std::string& kind = arguments.at(0);
    if (kind == "empty") {
        MainWindow window;
        FirstPaint painted(&window);
        window.show();
        painted.wait();
        settle(500);
        std::printf("ready %lld\nrss %lld\n", static_cast<long long>(painted.atNs()),
                    static_cast<long long>(ProcessMemory::now().resident));
        return 0;
    }
    BenchWindow window(arguments.at(1));
    FirstPaint painted(window.window());
    window.launch();
    painted.wait();
    settle(500);
    const std::int64_t rss = ProcessMemory::now().resident;
    const double refreshMs = medianMs([&] { window.delegate().updateProductList(); });
    const double versionsMs =
        medianMs([&] { window.pickProduct(QString::fromUtf8(BenchResources::productTitle())); });
    std::printf("ready %lld\nrss %lld\nrefresh %.3f\nversions %.3f\n",
                static_cast<long long>(painted.atNs()), static_cast<long long>(rss), refreshMs,
                versionsMs);
    return 0;
}

int runStartup(const BenchPaths& paths) {
    BenchResources resources(paths.staged);
    resources.addImages(imageCount);
    const std::string home = resources.path().string();
    std::vector<double> emptyMs, realMs, emptyRss, realRss, refreshMs, versionsMs;
    for (int i = 0; i < rounds; ++i) {
        for (const char* kind : {"empty", "real"}) {
            const ChildRun run = ChildRun::run({paths.self, "startup-child", kind, home}, true);
            if (run.exitStatus != 0) {
                std::fprintf(stderr, "window_bench: a start-up child failed (%d)\n",
                             run.exitStatus);
                return 1;
            }
            const double ms = (run.value("ready") - static_cast<double>(run.startedNs)) / 1e6;
            if (std::string(kind) == "empty") {
                emptyMs.push_back(ms);
                emptyRss.push_back(run.value("rss"));
            } else {
                realMs.push_back(ms);
                realRss.push_back(run.value("rss"));
                refreshMs.push_back(run.value("refresh"));
                versionsMs.push_back(run.value("versions"));
            }
        }
    }
    const double empty = median(emptyMs);
    const double real = median(realMs);
    Report{"4 start-up",
           "10,000 images, shown: " + milliseconds(real),
           "empty window: " + milliseconds(empty),
           real / empty,
           1.5,
           "<= 1.5x"}
        .print();
    Report refresh{"4 product list",
                   "refresh: " + milliseconds(median(refreshMs)),
                   "start-up: " + milliseconds(real),
                   median(refreshMs) / real,
                   50,
                   "< 50 ms"};
    refresh.absolute = median(refreshMs);
    refresh.print();
    Report versions{"4 version list",
                    "pick a product: " + milliseconds(median(versionsMs)),
                    "start-up: " + milliseconds(real),
                    median(versionsMs) / real,
                    50,
                    "< 50 ms"};
    versions.absolute = median(versionsMs);
    versions.print();
    const double extra = median(realRss) - median(emptyRss);
    Report memory{"5 memory at rest",
                  "window: " + mebibytes(median(realRss)) + " (+" + mebibytes(extra) + ")",
                  "empty window: " + mebibytes(median(emptyRss)),
                  median(realRss) / median(emptyRss),
                  10.0 * 1024 * 1024,
                  "<= +10 MiB"};
    memory.absolute = extra;
    memory.print();
    return 0;
}

} // namespace modflash::bench
