// modflash-cli: lists what modflash offers and shows the commands its updates run.
#include "CliApplication.h"
#include "Output.h"

#include <QCoreApplication>

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName("modflash-cli");
    QCoreApplication::setApplicationVersion(MODFLASH_VERSION);

    modflash::cli::Output output;
    modflash::cli::CliApplication cli(QCoreApplication::applicationFilePath(), output);
    return cli.run(QCoreApplication::arguments());
}
