// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QCoreApplication>

#include <string>

namespace modflash::cli {

// The one translation context of the command line's texts: help, messages and hints.
// CliText::tr() gives the text in the user's language. Call it by that name: lupdate finds
// the texts by it.
class CliText {
    Q_DECLARE_TR_FUNCTIONS(CliText)

public:
    // A name the user typed or a command to type, in the language's own quotation marks, so
    // that a message and the names in it quote alike.
    static QString quoted(const QString& name) {
        return tr("\"%1\"", "a name or command in quotation marks").arg(name);
    }
};

} // namespace modflash::cli
