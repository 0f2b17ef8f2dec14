#pragma once

#include "Subcommand.h"

namespace modflash::cli {

// "products": the products the window would offer, or all of them, in display order.
class ProductsSubcommand : public Subcommand {
public:
    QString name() const override;
    QString synopsis() const override;
    QString summary() const override;
    QString description() const override;
    QList<QCommandLineOption> options() const override;
    int run(const Request& request, CommandContext& context) const override;
};

} // namespace modflash::cli
