#pragma once

#include <QStringList>

namespace modflash::cli {

class Output;
struct Request;

// One run of modflash-cli: parses the arguments, builds what the subcommand works with and
// turns every failure into a one-line message and the documented exit status.
class CliApplication {
public:
    // executablePath decides the default resource directory.
    CliApplication(QString executablePath, Output& output);

    int run(const QStringList& arguments);

private:
    int runRequest(const Request& request);

    QString m_executablePath;
    Output& m_output;
};

} // namespace modflash::cli
