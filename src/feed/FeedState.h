// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QString>

#include <optional>

namespace modflash::feed {

// What the user's machine remembers of the feed, under $XDG_STATE_HOME/modflash: the highest
// serial accepted for each feed and key (so that an older manifest is never taken again), the
// last verified manifest with its signature (so that it serves offline) and when it was last
// checked. Every file is
// replaced whole, never left half written.
class FeedState {
    Q_DECLARE_TR_FUNCTIONS(FeedState)

public:
    struct Stored {
        QByteArray manifest;
        QByteArray signature;
    };

    explicit FeedState(QString directory = defaultDirectory());

    // $XDG_STATE_HOME/modflash, or ~/.local/state/modflash.
    static QString defaultDirectory();
    const QString& directory() const { return m_directory; }

    // Why the name cannot name a feed (it becomes part of a file name); empty when it can.
    static QString feedNameRefusal(const QString& feedName);

    std::optional<quint64> highestSerial(const QString& feedName, const QByteArray& keyId) const;
    bool recordSerial(const QString& feedName, const QByteArray& keyId, quint64 serial,
                      QString* reason);

    bool storeManifest(const QString& feedName, const Stored& stored, QString* reason);
    std::optional<Stored> storedManifest(const QString& feedName) const;

    // When the server's manifest last verified, new or the same as the one in hand: what
    // "checked" means to a person asking how current the offer is.
    bool recordCheck(const QString& feedName, const QDateTime& when, QString* reason);
    std::optional<QDateTime> lastCheck(const QString& feedName) const;

private:
    QString serialsPath() const;
    QString manifestPath(const QString& feedName) const;
    QString checkPath(const QString& feedName) const;
    bool writeWhole(const QString& path, const QByteArray& bytes, QString* reason) const;

    QString m_directory;
};

} // namespace modflash::feed
