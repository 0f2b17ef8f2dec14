#pragma once

#include "ResourceDirectory.h"

#include <QByteArray>
#include <QMap>
#include <QProcessEnvironment>
#include <QStringList>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// One finished run of the built modflash-cli.
struct CliResult {
    int status = -1;
    QByteArray out;
    QByteArray err;

    QStringList outLines() const;
    QStringList errLines() const;
};

// A fixture with a temporary HOME and XDG_CONFIG_HOME, so the program reads the preferences
// file these tests write (with the same store class the window uses) and nothing of the user's.
class CliTest : public testing::Test {
public:
    // The resource directory staged beside the built program, which it uses by default.
    static modflash::ResourceDirectory stagedResources() {
        return modflash::ResourceDirectory(MODFLASH_CLI_RESOURCES);
    }

protected:
    void SetUp() override { ASSERT_TRUE(m_home.isValid()); }

    CliResult run(const QStringList& arguments) const { return runWith(environment(), arguments); }
    CliResult runWith(const QProcessEnvironment& environment, const QStringList& arguments) const;
    QProcessEnvironment environment() const;

    void storeBool(const char* key, bool value) const;
    void storeString(const char* key, const QString& value) const;
    // Every file under HOME with its content, to show that a run wrote nothing.
    QMap<QString, QByteArray> homeSnapshot() const;

    QTemporaryDir m_home;
    QString m_workingDirectory; // the child's; empty: this process's
};
