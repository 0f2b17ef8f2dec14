#pragma once

#include "Subcommand.h"

namespace modflash::cli {

// "update PRODUCT (VERSION | --file PATH)": runs the flashing command and prints what the
// window's log would show, as it happens.
class UpdateSubcommand : public Subcommand {
public:
    QString name() const override;
    QString synopsis() const override;
    QString summary() const override;
    QString description() const override;
    QList<QCommandLineOption> options() const override;
    int run(const Request& request, CommandContext& context) const override;
};

} // namespace modflash::cli
