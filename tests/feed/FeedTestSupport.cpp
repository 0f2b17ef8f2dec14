// SPDX-License-Identifier: GPL-3.0-or-later
#include "FeedTestSupport.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>

namespace modflash::feed::testing {

namespace {

void run(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.closeWriteChannel();
    if (!process.waitForFinished(20000) || process.exitCode() != 0)
        ADD_FAILURE() << program.toStdString() << " " << arguments.join(' ').toStdString()
                      << " failed: " << process.readAllStandardError().toStdString();
}

} // namespace

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(bytes);
}

ThrowawayKey::ThrowawayKey() {
    run(MODFLASH_MINISIGN, {"-G", "-W", "-p", publicKeyPath(), "-s", secretKeyPath()});
}

QByteArray ThrowawayKey::sign(const QByteArray& message, bool legacy) const {
    const QString file = m_directory.filePath("message");
    writeFile(file, message);
    QStringList arguments{"-S", "-s", secretKeyPath(), "-m", file, "-t", "feed test"};
    if (legacy)
        arguments.append("-l");
    run(MODFLASH_MINISIGN, arguments);
    return readFile(file + ".minisig");
}

QJsonObject goodRelease() {
    return {{"version", "2.1"},
            {"date", "2026-11-30"},
            {"notes", "Faster start."},
            {"url", "images/Wendrel.2.1.bin"},
            {"size", 2048},
            {"sha256", QString(64, 'a')}};
}

QJsonObject goodManifest(quint64 serial) {
    // Once for the whole run: the same serial gives the same bytes, which one signature fits.
    static const QDateTime now = QDateTime::currentDateTimeUtc();
    const QJsonObject product{{"prefix", "Wendrel."}, {"releases", QJsonArray{goodRelease()}}};
    return {{"format", "modflash-feed"},
            {"format_version", 1},
            {"feed", "stable"},
            {"serial", static_cast<qint64>(serial)},
            {"issued", now.addDays(-1).toString(Qt::ISODate)},
            {"expires", now.addDays(30).toString(Qt::ISODate)},
            {"products", QJsonArray{product}}};
}

QByteArray toBytes(const QJsonObject& manifest) {
    return QJsonDocument(manifest).toJson(QJsonDocument::Compact);
}

FeedServer::FeedServer() {
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start(MODFLASH_PYTHON, {MODFLASH_FEED_SERVER, m_root.path()});
    if (!m_process.waitForReadyRead(10000))
        ADD_FAILURE() << "the feed server did not start";
    m_port = m_process.readLine().trimmed().toInt();
}

FeedServer::~FeedServer() {
    m_process.kill();
    m_process.waitForFinished(5000);
}

QUrl FeedServer::url(const QString& path) const {
    return QUrl(QStringLiteral("http://127.0.0.1:%1/%2").arg(m_port).arg(path));
}

void FeedServer::put(const QString& path, const QByteArray& bytes) const {
    writeFile(m_root.filePath(path), bytes);
}

} // namespace modflash::feed::testing
