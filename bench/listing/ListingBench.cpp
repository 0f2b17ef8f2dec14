// SPDX-License-Identifier: GPL-3.0-or-later
// The catalogue's half of target 4: with 10,000 image files, what refreshing the product list
// costs (one read of the directory, every product asked whether it has firmware) and what one
// product's version list costs (its images, sorted, with their versions), against one bare scan of
// the same directory. Every listing reads the directory afresh, so these are the costs the window
// pays each time.

#include "BenchResources.h"
#include "Clock.h"
#include "Report.h"
#include "catalogue/ImageListing.h"
#include "catalogue/Product.h"
#include "catalogue/ProductCatalogue.h"
#include "flashing/ResourceDirectory.h"

#include <algorithm>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <functional>
#include <vector>

using namespace modflash;
using namespace modflash::bench;

namespace {

constexpr int imageCount = 10000;

// Median of repeated runs, in seconds.
double medianSeconds(int repeats, const std::function<void()>& work) {
    std::vector<double> times;
    for (int i = 0; i < repeats; ++i) {
        const std::int64_t start = monotonicNs();
        work();
        times.push_back(secondsSince(start));
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: listing_bench STAGED_RESOURCES\n");
        return 64;
    }
    try {
        BenchResources bench(argv[1]);
        bench.addImages(imageCount);
        const ResourceDirectory resources(bench.path());
        const ProductCatalogue catalogue;
        const std::vector<ProductPtr> products = catalogue.products();

        std::size_t sink = 0;
        const double scan = medianSeconds(21, [&] {
            for (const auto& entry : std::filesystem::directory_iterator(bench.path() / "firmware"))
                sink += entry.path().native().size();
        });
        // A refresh reads the directory once and asks every product.
        const double refresh = medianSeconds(21, [&] {
            const ImageListing listing(resources);
            for (const ProductPtr& product : products)
                sink += listing.hasFirmware(*product) ? 1 : 0;
        });
        const ProductPtr largest = catalogue.productWithTitle(BenchResources::productTitle());
        const double versions =
            medianSeconds(21, [&] { sink += largest->getAllFirmware(resources).size(); });
        if (sink == 0)
            std::fprintf(stderr, "listing_bench: nothing was listed\n");

        const std::string baseline = "one bare scan: " + milliseconds(scan * 1e3);
        Report refreshReport{"4 catalogue refresh",
                             "one read, 36 asked: " + milliseconds(refresh * 1e3),
                             baseline,
                             refresh / scan,
                             0.050,
                             "< 50 ms"};
        refreshReport.absolute = refresh;
        refreshReport.print();
        Report versionReport{"4 catalogue versions",
                             "getAllFirmware: " + milliseconds(versions * 1e3),
                             baseline,
                             versions / scan,
                             0.050,
                             "< 50 ms"};
        versionReport.absolute = versions;
        versionReport.print();
    } catch (const std::exception& error) {
        std::fprintf(stderr, "listing_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
