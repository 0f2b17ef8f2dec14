#include "CliRun.h"

#include "SettingsPreferences.h"

#include <QDirIterator>
#include <QFile>
#include <QProcess>

namespace {

QStringList linesOf(const QByteArray& bytes) {
    QStringList lines = QString::fromUtf8(bytes).split('\n');
    if (!lines.isEmpty() && lines.back().isEmpty())
        lines.removeLast();
    return lines;
}

QString preferencesFile(const QTemporaryDir& home) {
    return home.filePath("config/modflash/modflash.conf");
}

} // namespace

QStringList CliResult::outLines() const {
    return linesOf(out);
}

QStringList CliResult::errLines() const {
    return linesOf(err);
}

QProcessEnvironment CliTest::environment() const {
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("HOME", m_home.path());
    environment.insert("XDG_CONFIG_HOME", m_home.filePath("config"));
    return environment;
}

CliResult CliTest::runWith(const QProcessEnvironment& environment,
                           const QStringList& arguments) const {
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(m_workingDirectory);
    process.start(MODFLASH_CLI, arguments);
    CliResult result;
    if (!process.waitForFinished(60000) || process.exitStatus() != QProcess::NormalExit) {
        ADD_FAILURE() << "modflash-cli did not finish: " << process.errorString().toStdString();
        return result;
    }
    result.status = process.exitCode();
    result.out = process.readAllStandardOutput();
    result.err = process.readAllStandardError();
    return result;
}

void CliTest::storeBool(const char* key, bool value) const {
    modflash::SettingsPreferences(preferencesFile(m_home)).setBool(key, value);
}

void CliTest::storeString(const char* key, const QString& value) const {
    modflash::SettingsPreferences(preferencesFile(m_home)).setString(key, value.toStdString());
}

QMap<QString, QByteArray> CliTest::homeSnapshot() const {
    QMap<QString, QByteArray> files;
    QDirIterator it(m_home.path(), QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        QFile file(it.next());
        files.insert(file.fileName(),
                     file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<dir>"));
    }
    return files;
}
