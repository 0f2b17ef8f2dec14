// SPDX-License-Identifier: GPL-3.0-or-later
// The window benchmarks. Without arguments beyond the paths it runs one group of targets as
// a parent; the children it spawns run one measurement each inside a QApplication.
//
//   window_bench throughput|naive|latency|startup STAGED FLOOD SLOWLINES HASHMARKS
//   window_bench throughput-child|latency-child|startup-child ARGUMENTS...

#include "Scenarios.h"

#include <QApplication>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

using namespace modflash::bench;

namespace {

int runParent(const std::string& group, char* argv[]) {
    const BenchPaths paths{argv[2], argv[3], argv[4], argv[5], argv[0]};
    if (group == "throughput")
        return runThroughput(paths);
    if (group == "naive")
        return runNaiveCurve(paths);
    if (group == "latency")
        return runLatency(paths);
    if (group == "startup")
        return runStartup(paths);
    return 64;
}

int runChild(int argc, char* argv[]) {
    const std::string kind = argv[1];
    const std::vector<std::string> arguments(argv + 2, argv + argc);
    QApplication app(argc, argv);
    if (kind == "throughput-child")
        return throughputChild(arguments);
    if (kind == "latency-child")
        return latencyChild(arguments);
    if (kind == "startup-child")
        return startupChild(arguments);
    return 64;
}

} // namespace

int main(int argc, char* argv[]) {
    // The window is real and shown, but on no screen.
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    if (argc < 2) {
        std::fprintf(stderr, "usage: window_bench GROUP STAGED FLOOD SLOWLINES HASHMARKS\n");
        return 64;
    }
    try {
        const std::string kind = argv[1];
        if (kind.ends_with("-child"))
            return runChild(argc, argv);
        if (argc != 6) {
            std::fprintf(stderr, "usage: window_bench GROUP STAGED FLOOD SLOWLINES HASHMARKS\n");
            return 64;
        }
        return runParent(kind, argv);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "window_bench: %s\n", error.what());
        return 1;
    }
}
