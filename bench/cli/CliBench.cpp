// Target 3: modflash-cli update streaming the flood tool's 70 MB to /dev/null, against the
// tool writing straight to /dev/null. Both run the same "avrdude" script of the same resource
// directory; the fastest of three runs of each is compared.

#include "BenchResources.h"
#include "ChildRun.h"
#include "Report.h"

#include <cstdio>
#include <cstdlib>
#include <exception>

using namespace modflash::bench;

int main(int argc, char* argv[]) {
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
            fastestOf(3, {argv[3], "--resources", home, "update", BenchResources::productTitle(),
                          BenchResources::version()});
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
    } catch (const std::exception& error) {
        std::fprintf(stderr, "cli_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
