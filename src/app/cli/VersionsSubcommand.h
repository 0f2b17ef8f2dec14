#pragma once

#include "Subcommand.h"

namespace modflash::cli {

// "versions PRODUCT": the product's firmware images as the version list shows them.
class VersionsSubcommand : public Subcommand {
public:
    QString name() const override;
    QString synopsis() const override;
    QString summary() const override;
    QString description() const override;
    QList<QCommandLineOption> options() const override;
    int run(const Request& request, CommandContext& context) const override;
};

} // namespace modflash::cli
