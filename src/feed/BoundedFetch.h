// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "feed/FeedFailure.h"

#include <QByteArray>
#include <QObject>
#include <QTimer>
#include <QUrl>

#include <chrono>
#include <functional>
#include <memory>
#include <optional>

class QNetworkAccessManager;
class QNetworkReply;

namespace modflash::feed {

// One HTTP GET that a hostile or broken server cannot stretch: redirects only to the same
// server, no compressed bodies, at most so many bytes (an announced length over it refused
// before the body), and a limit both on silence and on the whole transfer. Never blocks:
// finished() is emitted once, from the event loop, however it ends.
class BoundedFetch : public QObject {
    Q_OBJECT

public:
    struct Timing {
        // The longest time without a byte from the server.
        std::chrono::milliseconds silence{std::chrono::seconds(20)};
        // The longest time for the whole transfer, redirects included.
        std::chrono::milliseconds deadline{std::chrono::minutes(5)};
    };
    struct Limits {
        qint64 largestBody = 0;
        // When the body's length is known beforehand: a server announcing another is refused.
        std::optional<qint64> exactBody;
        Timing timing;
    };
    // Takes each piece of the body as it arrives; returns why it could not, or nothing.
    using Consumer = std::function<QString(QByteArrayView)>;

    BoundedFetch(QNetworkAccessManager& network, QUrl url, Limits limits,
                 QObject* parent = nullptr);
    ~BoundedFetch() override;

    // A network access manager for the feed, with the proxies of the environment (http_proxy,
    // https_proxy, no_proxy) and no cache of its own.
    static std::unique_ptr<QNetworkAccessManager> createNetwork();

    // Without one, the body is kept and body() gives it.
    void setConsumer(Consumer consumer) { m_consumer = std::move(consumer); }
    void start();
    // Ends the transfer now, as failed with the reason given.
    void stop(const QString& reason);

    const QUrl& url() const { return m_url; }
    const QByteArray& body() const { return m_body; }
    qint64 received() const { return m_received; }
    bool isFinished() const { return m_finished; }
    // Why it failed; nothing when the whole body arrived.
    const std::optional<FeedFailure>& failure() const { return m_failure; }

signals:
    void progress(qint64 received, qint64 total);
    void finished();

private:
    void startTimers();
    void checkHeaders();
    void takeBody();
    void onRedirected(const QUrl& target);
    FeedFailure redirectRefusal(const QUrl& target) const;
    void onReplyFinished();
    void fail(const FeedFailure& failure);
    void end();
    QString httpStatusRefusal() const;

    QNetworkAccessManager& m_network;
    QUrl m_url;
    Limits m_limits;
    Consumer m_consumer;
    struct DeleteLater {
        void operator()(QObject* object) const;
    };
    std::unique_ptr<QNetworkReply, DeleteLater> m_reply;
    QTimer m_silence;
    QTimer m_deadline;
    QByteArray m_body;
    qint64 m_received = 0;
    bool m_headersChecked = false;
    bool m_finished = false;
    std::optional<FeedFailure> m_failure;
};

} // namespace modflash::feed
