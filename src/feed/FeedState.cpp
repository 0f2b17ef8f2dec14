// SPDX-License-Identifier: GPL-3.0-or-later
#include "feed/FeedState.h"

#include "feed/ManifestReader.h"
#include "feed/MinisignSignature.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>
#include <QSaveFile>

namespace modflash::feed {

namespace {

const QString signatureSuffix = QStringLiteral(".minisig");

QByteArray readBounded(const QString& path, qint64 largest) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.read(largest + 1);
}

} // namespace

FeedState::FeedState(QString directory)
    : m_directory(std::move(directory)) {}

QString FeedState::defaultDirectory() {
    QString base = qEnvironmentVariable("XDG_STATE_HOME");
    // XDG base directories: a relative path is invalid and is ignored.
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/state");
    return base + QStringLiteral("/modflash");
}

QString FeedState::feedNameRefusal(const QString& feedName) {
    static const QRegularExpression pattern(QStringLiteral("^[A-Za-z0-9][A-Za-z0-9._-]{0,63}$"));
    if (!pattern.match(feedName).hasMatch())
        return tr("\"%1\" is not a feed name: one to 64 letters, digits, \".\", \"_\" or \"-\", "
                  "beginning with a letter or digit")
            .arg(feedName);
    return {};
}

std::optional<quint64> FeedState::highestSerial(const QString& feedName,
                                                const QByteArray& keyId) const {
    const QJsonObject serials =
        QJsonDocument::fromJson(readBounded(serialsPath(), 1024 * 1024)).object();
    const QJsonValue serial =
        serials.value(feedName).toObject().value(QString::fromLatin1(keyId.toHex()));
    // Written by this class as a decimal string: JSON numbers lose digits past 2^53.
    bool ok = false;
    const quint64 value = serial.toString().toULongLong(&ok);
    return ok ? std::optional<quint64>(value) : std::nullopt;
}

bool FeedState::recordSerial(const QString& feedName, const QByteArray& keyId, quint64 serial,
                             QString* reason) {
    QJsonObject serials = QJsonDocument::fromJson(readBounded(serialsPath(), 1024 * 1024)).object();
    QJsonObject feed = serials.value(feedName).toObject();
    feed.insert(QString::fromLatin1(keyId.toHex()), QString::number(serial));
    serials.insert(feedName, feed);
    return writeWhole(serialsPath(), QJsonDocument(serials).toJson(), reason);
}

bool FeedState::storeManifest(const QString& feedName, const Stored& stored, QString* reason) {
    // The signature first: a manifest stored beside the wrong signature fails verification and
    // is not used, where the other way round an unsigned one could look current.
    return writeWhole(manifestPath(feedName) + signatureSuffix, stored.signature, reason) &&
           writeWhole(manifestPath(feedName), stored.manifest, reason);
}

std::optional<FeedState::Stored> FeedState::storedManifest(const QString& feedName) const {
    if (!feedNameRefusal(feedName).isEmpty())
        return std::nullopt;
    Stored stored;
    stored.manifest = readBounded(manifestPath(feedName), ManifestReader::largestManifest);
    stored.signature =
        readBounded(manifestPath(feedName) + signatureSuffix, MinisignSignature::largestFile);
    if (stored.manifest.isEmpty() || stored.signature.isEmpty())
        return std::nullopt;
    return stored;
}

bool FeedState::recordCheck(const QString& feedName, const QDateTime& when, QString* reason) {
    return writeWhole(checkPath(feedName), when.toUTC().toString(Qt::ISODateWithMs).toLatin1(),
                      reason);
}

std::optional<QDateTime> FeedState::lastCheck(const QString& feedName) const {
    if (!feedNameRefusal(feedName).isEmpty())
        return std::nullopt;
    const QDateTime when = QDateTime::fromString(
        QString::fromLatin1(readBounded(checkPath(feedName), 64)).trimmed(), Qt::ISODateWithMs);
    return when.isValid() ? std::optional<QDateTime>(when) : std::nullopt;
}

QString FeedState::serialsPath() const {
    return m_directory + QStringLiteral("/feed-serials.json");
}

QString FeedState::manifestPath(const QString& feedName) const {
    return m_directory + QStringLiteral("/feed/") + feedName + QStringLiteral(".manifest.json");
}

QString FeedState::checkPath(const QString& feedName) const {
    return m_directory + QStringLiteral("/feed/") + feedName + QStringLiteral(".checked");
}

bool FeedState::writeWhole(const QString& path, const QByteArray& bytes, QString* reason) const {
    const QString directory = QFileInfo(path).absolutePath();
    QSaveFile file(path);
    if (!QDir().mkpath(directory) || !file.open(QIODevice::WriteOnly) ||
        file.write(bytes) != bytes.size() || !file.commit()) {
        if (reason)
            *reason =
                tr("the feed's state cannot be written to %1: %2").arg(path, file.errorString());
        return false;
    }
    return true;
}

} // namespace modflash::feed
