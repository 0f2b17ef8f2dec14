#include "SubcommandTable.h"

#include "CommandSubcommand.h"
#include "ProductsSubcommand.h"
#include "Subcommand.h"
#include "UpdateSubcommand.h"
#include "VersionsSubcommand.h"

namespace modflash::cli {

SubcommandTable::SubcommandTable() {
    // The one place that lists the subcommands; the general --help shows them in this order.
    m_subcommands.push_back(std::make_unique<ProductsSubcommand>());
    m_subcommands.push_back(std::make_unique<VersionsSubcommand>());
    m_subcommands.push_back(std::make_unique<CommandSubcommand>());
    m_subcommands.push_back(std::make_unique<UpdateSubcommand>());
}

SubcommandTable::~SubcommandTable() = default;

const Subcommand* SubcommandTable::find(const QString& name) const {
    for (const auto& subcommand : m_subcommands) {
        if (subcommand->name() == name)
            return subcommand.get();
    }
    return nullptr;
}

} // namespace modflash::cli
