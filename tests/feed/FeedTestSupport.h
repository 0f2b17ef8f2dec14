// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QJsonObject>
#include <QProcess>
#include <QString>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

namespace modflash::feed::testing {

void writeFile(const QString& path, const QByteArray& bytes);
QByteArray readFile(const QString& path);

// Whether the text holds the part; a failure shows the whole text.
inline ::testing::AssertionResult holds(const QString& text, const QString& part) {
    if (text.contains(part))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << ('"' + text + "\" lacks \"" + part + '"').toStdString();
}

// A minisign key pair made for one test, and signatures with it by the real minisign.
class ThrowawayKey {
public:
    ThrowawayKey();
    QString publicKeyPath() const { return m_directory.filePath("key.pub"); }
    QString secretKeyPath() const { return m_directory.filePath("key"); }
    QByteArray publicKeyText() const { return readFile(publicKeyPath()); }
    // A ".minisig" for the bytes: pre-hashed, or minisign's legacy form.
    QByteArray sign(const QByteArray& message, bool legacy = false) const;

private:
    QTemporaryDir m_directory;
};

// A manifest that every check accepts: goodRelease() of Wendrel, a day old, expiring in a month.
QJsonObject goodRelease();
QJsonObject goodManifest(quint64 serial = 7);
QByteArray toBytes(const QJsonObject& manifest);

// tests/feed/feed_server.py on a free port of 127.0.0.1, serving root().
class FeedServer {
public:
    FeedServer();
    ~FeedServer();
    QString root() const { return m_root.path(); }
    QUrl url(const QString& path) const;
    void put(const QString& path, const QByteArray& bytes) const;

private:
    QTemporaryDir m_root;
    QProcess m_process;
    int m_port = 0;
};

} // namespace modflash::feed::testing
