// SPDX-License-Identifier: GPL-3.0-or-later
// Target 3: modflash-cli update streaming the flood tool's 70 MB to /dev/null, against the
// tool writing straight to /dev/null. Both run the same "avrdude" script of the same resource
// directory; the fastest of three runs of each is compared. And modflash-cli products over a
// firmware directory of 100,000 files, against the window's refresh of its product list: both
// read the directory once.

#include "BenchResources.h"
#include "ChildRun.h"
#include "Clock.h"
#include "Report.h"
#include "catalogue/ImageListing.h"
#include "catalogue/ProductCatalogue.h"
#include "flashing/ResourceDirectory.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>
#include <vector>

using namespace modflash::bench;

namespace {

// The same update of the virtual bench's AVR module with and without reading its signature
// first; each the fastest of three.
int moduleCheckCost(const std::string& bench, const std::string& cli) {
    const std::vector<std::string> update{cli, "--resources", bench, "update", "Drovel", "1.1"};
    std::vector<std::string> unchecked = update;
    unchecked.push_back("--no-module-check");
    const ChildRun with = fastestOf(3, update);
    const ChildRun without = fastestOf(3, unchecked);
    if (with.exitStatus != 0 || without.exitStatus != 0) {
        std::fprintf(stderr, "cli_bench: an update of the virtual bench failed (%d, %d)\n",
                     with.exitStatus, without.exitStatus);
        return 1;
    }
    printNote("module check", "the signature run adds " + seconds(with.seconds - without.seconds) +
                                  " to an update of the AVR module (" + seconds(with.seconds) +
                                  " with it, " + seconds(without.seconds) + " without)");
    return 0;
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc == 4 && std::string(argv[1]) == "--module-check")
        return moduleCheckCost(argv[2], argv[3]);
    if (argc != 4) {
        std::fprintf(stderr, "usage: cli_bench STAGED_RESOURCES FLOOD_TOOL MODFLASH_CLI\n");
        return 64;
    }
    try {
        BenchResources resources(argv[1]);
        resources.setTool({argv[2]});
        // Only read, but never the user's own preferences.
        const std::string home = resources.path().string();
        setenv("HOME", home.c_str(), 1);
        setenv("XDG_CONFIG_HOME", home.c_str(), 1);

        const ChildRun direct = fastestOf(3, {resources.toolScript().string()});
        const ChildRun cli =
            fastestOf(3, {argv[3], "--resources", home, "--no-module-check", "update",
                          BenchResources::productTitle(), BenchResources::version()});
        if (direct.exitStatus != 0 || cli.exitStatus != 0) {
            std::fprintf(stderr, "cli_bench: a run failed (tool %d, modflash-cli %d)\n",
                         direct.exitStatus, cli.exitStatus);
            return 1;
        }
        Report{"3 cli update",
               "modflash-cli update: " + seconds(cli.seconds),
               "tool > /dev/null: " + seconds(direct.seconds),
               cli.seconds / direct.seconds,
               2.0,
               "<= 2x"}
            .print();

        BenchResources many(argv[1]);
        many.addImages(100000);
        const std::string root = many.path().string();
        const ChildRun products =
            fastestOf(3, {argv[3], "--resources", root, "products", "--all", "--json"});
        double refresh = 1e9;
        for (int i = 0; i < 3; ++i) {
            const std::int64_t start = monotonicNs();
            const modflash::ImageListing listing{modflash::ResourceDirectory(root)};
            for (const auto& product : modflash::ProductCatalogue().products())
                listing.imageCount(*product);
            refresh = std::min(refresh, secondsSince(start));
        }
        Report{"4 cli products",
               "100,000 files: " + seconds(products.seconds),
               "one listing, every product: " + seconds(refresh),
               products.seconds / refresh,
               4.0,
               "<= 4x"}
            .print();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "cli_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
