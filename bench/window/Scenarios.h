// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <string>
#include <vector>

namespace modflash::bench {

// What the window benchmarks need to find: the staged resources, the stand-in tools and this
// very program, which runs each measurement in a child process of its own so that one
// measurement's memory and caches do not colour the next.
struct BenchPaths {
    std::string staged;
    std::string flood;
    std::string slowlines;
    std::string hashmarks;
    std::string self;
};

// Parents: run the children, print the report lines.
int runThroughput(const BenchPaths& paths);
int runNaiveCurve(const BenchPaths& paths);
int runLatency(const BenchPaths& paths);
int runStartup(const BenchPaths& paths);

// Children, inside a QApplication: print "key value" lines for the parent.
int throughputChild(const std::vector<std::string>& arguments);
int latencyChild(const std::vector<std::string>& arguments);
int startupChild(const std::vector<std::string>& arguments);

} // namespace modflash::bench
