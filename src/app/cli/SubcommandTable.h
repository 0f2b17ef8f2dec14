#pragma once

#include <QString>

#include <memory>
#include <vector>

namespace modflash::cli {

class Subcommand;

// Every subcommand modflash-cli knows, in the order the general --help lists them. Adding one
// (an "update" that runs the command, say) takes a Subcommand class and one line in
// SubcommandTable.cpp; parsing, --help and dispatch all read this table.
class SubcommandTable {
public:
    SubcommandTable();
    ~SubcommandTable();

    SubcommandTable(const SubcommandTable&) = delete;
    SubcommandTable& operator=(const SubcommandTable&) = delete;

    // The subcommand with exactly this name, or null.
    const Subcommand* find(const QString& name) const;
    const std::vector<std::unique_ptr<Subcommand>>& all() const { return m_subcommands; }

private:
    std::vector<std::unique_ptr<Subcommand>> m_subcommands;
};

} // namespace modflash::cli
