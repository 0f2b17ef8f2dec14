// SPDX-License-Identifier: GPL-3.0-or-later
#include "feed/BoundedFetch.h"

#include "feed/FeedUrlRule.h"

#include <QNetworkAccessManager>
#include <QNetworkProxyFactory>
#include <QNetworkReply>

namespace modflash::feed {

namespace {

constexpr qint64 pieceSize = 64 * 1024;
constexpr int mostRedirects = 5;

qint64 seconds(std::chrono::milliseconds time) {
    return std::max<qint64>(1, std::chrono::duration_cast<std::chrono::seconds>(time).count());
}

} // namespace

void BoundedFetch::DeleteLater::operator()(QObject* object) const {
    object->deleteLater();
}

BoundedFetch::BoundedFetch(QNetworkAccessManager& network, QUrl url, Limits limits, QObject* parent)
    : QObject(parent)
    , m_network(network)
    , m_url(std::move(url))
    , m_limits(limits) {
    m_silence.setSingleShot(true);
    m_deadline.setSingleShot(true);
    connect(&m_silence, &QTimer::timeout, this, [this] {
        fail(FeedFailure::unreachable(tr("%1 sent nothing for %2 s")
                                          .arg(m_url.host())
                                          .arg(seconds(m_limits.timing.silence))));
    });
    connect(&m_deadline, &QTimer::timeout, this, [this] {
        fail(FeedFailure::unreachable(tr("%1 took longer than %2 s to send %3")
                                          .arg(m_url.host())
                                          .arg(seconds(m_limits.timing.deadline))
                                          .arg(m_url.toString())));
    });
}

BoundedFetch::~BoundedFetch() {
    if (m_reply) {
        m_reply->disconnect(this);
        m_reply->abort();
    }
}

std::unique_ptr<QNetworkAccessManager> BoundedFetch::createNetwork() {
    QNetworkProxyFactory::setUseSystemConfiguration(true);
    auto network = std::make_unique<QNetworkAccessManager>();
    network->setRedirectPolicy(QNetworkRequest::UserVerifiedRedirectPolicy);
    return network;
}

void BoundedFetch::start() {
    const QString refusal = FeedUrlRule::refusal(m_url);
    if (!refusal.isEmpty()) {
        // Still from the event loop, as every other end.
        QTimer::singleShot(0, this, [this, refusal] { fail(FeedFailure::refused(refusal)); });
        return;
    }
    QNetworkRequest request(m_url);
    request.setAttribute(QNetworkRequest::RedirectPolicyAttribute,
                         QNetworkRequest::UserVerifiedRedirectPolicy);
    request.setMaximumRedirectsAllowed(mostRedirects);
    request.setAttribute(QNetworkRequest::CacheLoadControlAttribute,
                         QNetworkRequest::AlwaysNetwork);
    request.setAttribute(QNetworkRequest::CacheSaveControlAttribute, false);
    // Asking for the bytes as they are turns off Qt's own decompression, whose output the size
    // limit could not bound.
    request.setRawHeader("Accept-Encoding", "identity");
    request.setTransferTimeout(0);
    m_reply.reset(m_network.get(request));
    m_reply->setReadBufferSize(4 * pieceSize);
    connect(m_reply.get(), &QNetworkReply::metaDataChanged, this, &BoundedFetch::checkHeaders);
    connect(m_reply.get(), &QNetworkReply::readyRead, this, &BoundedFetch::takeBody);
    connect(m_reply.get(), &QNetworkReply::redirected, this, &BoundedFetch::onRedirected);
    connect(m_reply.get(), &QNetworkReply::finished, this, &BoundedFetch::onReplyFinished);
    startTimers();
}

void BoundedFetch::stop(const QString& reason) {
    fail(FeedFailure::unreachable(reason));
}

void BoundedFetch::startTimers() {
    m_silence.start(m_limits.timing.silence);
    m_deadline.start(m_limits.timing.deadline);
}

QString BoundedFetch::httpStatusRefusal() const {
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (status >= 200 && status < 300)
        return {};
    const QString phrase =
        m_reply->attribute(QNetworkRequest::HttpReasonPhraseAttribute).toString();
    return tr("%1 answered HTTP status %2 %3 for %4")
        .arg(m_url.host())
        .arg(status)
        .arg(phrase, m_reply->url().toString());
}

void BoundedFetch::checkHeaders() {
    m_silence.start(m_limits.timing.silence);
    const int status = m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt();
    if (m_headersChecked || (status >= 300 && status < 400))
        return;
    m_headersChecked = true;
    if (const QString refusal = httpStatusRefusal(); !refusal.isEmpty())
        return fail(FeedFailure::unreachable(refusal));
    const QByteArray encoding = m_reply->rawHeader("Content-Encoding").trimmed().toLower();
    if (!encoding.isEmpty() && encoding != "identity")
        return fail(FeedFailure::refused(
            tr("%1 sent %2 compressed (%3) though it was asked for the file as it is")
                .arg(m_url.host(), m_url.toString(), QString::fromLatin1(encoding))));
    const QVariant announced = m_reply->header(QNetworkRequest::ContentLengthHeader);
    if (!announced.isValid())
        return;
    const qint64 length = announced.toLongLong();
    if (length > m_limits.largestBody)
        return fail(FeedFailure::refused(tr("%1 announces %2 bytes, more than the %3 taken")
                                             .arg(m_url.toString())
                                             .arg(length)
                                             .arg(m_limits.largestBody)));
    if (m_limits.exactBody && length != *m_limits.exactBody)
        return fail(FeedFailure::refused(tr("%1 announces %2 bytes where the feed says %3")
                                             .arg(m_url.toString())
                                             .arg(length)
                                             .arg(*m_limits.exactBody)));
}

void BoundedFetch::takeBody() {
    m_silence.start(m_limits.timing.silence);
    if (!m_headersChecked)
        checkHeaders();
    while (!m_finished && m_reply && m_reply->bytesAvailable() > 0) {
        const QByteArray piece = m_reply->read(pieceSize);
        m_received += piece.size();
        if (m_received > m_limits.largestBody)
            return fail(FeedFailure::refused(tr("%1 sent more than the %2 bytes taken")
                                                 .arg(m_url.toString())
                                                 .arg(m_limits.largestBody)));
        if (!m_consumer) {
            m_body.append(piece);
        } else if (const QString problem = m_consumer(piece); !problem.isEmpty()) {
            return fail(FeedFailure::unreachable(problem));
        }
        emit progress(m_received, m_limits.exactBody.value_or(-1));
    }
}

FeedFailure BoundedFetch::redirectRefusal(const QUrl& target) const {
    return FeedFailure::refused(tr("%1 redirects to %2: only redirects to the same server are "
                                   "followed")
                                    .arg(m_url.toString(), target.toString()));
}

void BoundedFetch::onRedirected(const QUrl& target) {
    if (!FeedUrlRule::sameOrigin(m_url, target))
        return fail(redirectRefusal(target));
    m_silence.start(m_limits.timing.silence);
    emit m_reply->redirectAllowed();
}

void BoundedFetch::onReplyFinished() {
    if (m_finished)
        return;
    if (m_reply->error() == QNetworkReply::TooManyRedirectsError)
        return fail(FeedFailure::refused(
            tr("%1 redirects more than %2 times").arg(m_url.toString()).arg(mostRedirects)));
    // A redirect Qt would not even offer, such as one to a file: URL.
    const QUrl target = QUrl(QString::fromUtf8(m_reply->rawHeader("Location")));
    if (!target.isEmpty())
        return fail(redirectRefusal(m_reply->url().resolved(target)));
    // A status from the server says more than the error Qt makes of it.
    if (m_reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).isValid())
        if (const QString refusal = httpStatusRefusal(); !refusal.isEmpty())
            return fail(FeedFailure::unreachable(refusal));
    if (m_reply->error() != QNetworkReply::NoError)
        return fail(FeedFailure::unreachable(
            tr("%1 cannot be fetched: %2").arg(m_url.toString(), m_reply->errorString())));
    takeBody();
    if (m_finished)
        return;
    // Qt may take a connection closed early for the end of the body.
    const QVariant announced = m_reply->header(QNetworkRequest::ContentLengthHeader);
    if (announced.isValid() && m_received < announced.toLongLong())
        return fail(FeedFailure::unreachable(
            tr("%1 cannot be fetched: the connection closed after %2 of the %3 bytes announced")
                .arg(m_url.toString())
                .arg(m_received)
                .arg(announced.toLongLong())));
    end();
}

void BoundedFetch::fail(const FeedFailure& failure) {
    if (m_finished)
        return;
    m_failure = failure;
    end();
}

void BoundedFetch::end() {
    m_finished = true;
    m_silence.stop();
    m_deadline.stop();
    if (m_reply) {
        m_reply->disconnect(this);
        if (!m_reply->isFinished())
            m_reply->abort();
        m_reply.reset();
    }
    emit finished();
}

} // namespace modflash::feed
