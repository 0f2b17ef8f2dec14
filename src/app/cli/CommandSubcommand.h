#pragma once

#include "Subcommand.h"

namespace modflash::cli {

// "command PRODUCT (VERSION | --file PATH)": the flashing command an update would run, shown
// and not run.
class CommandSubcommand : public Subcommand {
public:
    QString name() const override;
    QString synopsis() const override;
    QString summary() const override;
    QString description() const override;
    QList<QCommandLineOption> options() const override;
    int run(const Request& request, CommandContext& context) const override;
};

} // namespace modflash::cli
