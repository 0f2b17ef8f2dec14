// SPDX-License-Identifier: GPL-3.0-or-later
#include "feed/ReleaseReader.h"

#include "feed/FeedUrlRule.h"

#include <QJsonObject>
#include <QRegularExpression>

namespace modflash::feed {

namespace {

bool fail(QString* reason, const QString& why) {
    if (reason)
        *reason = why;
    return false;
}

bool isControl(QChar c) {
    const QChar::Category category = c.category();
    return category == QChar::Other_Control || category == QChar::Separator_Line ||
           category == QChar::Separator_Paragraph;
}

// JSON numbers are doubles; only whole ones that a double holds exactly are sizes.
std::optional<qint64> wholeNumber(const QJsonValue& value) {
    if (!value.isDouble())
        return std::nullopt;
    const double number = value.toDouble();
    constexpr double exactLimit = 9007199254740992.0; // 2^53
    if (number < 0 || number > exactLimit || number != static_cast<double>(qint64(number)))
        return std::nullopt;
    return static_cast<qint64>(number);
}

} // namespace

ReleaseReader::ReleaseReader(QUrl manifestUrl, qint64 largestImage)
    : m_manifestUrl(std::move(manifestUrl))
    , m_largestImage(largestImage) {}

std::optional<FeedRelease> ReleaseReader::read(const QJsonValue& entry, QString* reason) const {
    if (!entry.isObject()) {
        fail(reason, tr("a release is not a JSON object"));
        return std::nullopt;
    }
    const QJsonObject object = entry.toObject();
    FeedRelease release;
    if (!readVersion(object, release, reason))
        return std::nullopt;
    const auto named = [&](bool ok) {
        if (!ok && reason)
            *reason = tr("release \"%1\": %2").arg(release.version, *reason);
        return ok;
    };
    if (!named(readDateAndNotes(object, release, reason)) ||
        !named(readUrl(object, release, reason)) ||
        !named(readSizeAndHash(object, release, reason)))
        return std::nullopt;
    return release;
}

QString ReleaseReader::versionRefusal(const QString& version) {
    if (version.isEmpty())
        return tr("the version text is empty");
    if (version.size() > longestVersion)
        return tr("the version text is longer than %1 characters").arg(longestVersion);
    if (version == QLatin1String(".") || version == QLatin1String(".."))
        return tr("the version text \"%1\" names a directory").arg(version);
    if (version.contains(QLatin1Char('/')))
        return tr("the version text \"%1\" holds a \"/\"").arg(version);
    if (std::any_of(version.begin(), version.end(), isControl))
        return tr("the version text holds control characters");
    return {};
}

QString ReleaseReader::notesRefusal(const QString& notes) {
    if (notes.toUtf8().size() > largestNotes)
        return tr("the notes are longer than %1 bytes").arg(largestNotes);
    const bool plain = std::all_of(notes.begin(), notes.end(), [](QChar c) {
        return c == QLatin1Char('\n') || c == QLatin1Char('\t') || !isControl(c);
    });
    if (!plain)
        return tr("the notes hold control characters: they are not plain text");
    return {};
}

bool ReleaseReader::readVersion(const QJsonObject& entry, FeedRelease& release,
                                QString* reason) const {
    const QJsonValue version = entry.value(QLatin1String("version"));
    if (!version.isString())
        return fail(reason, tr("a release has no version text"));
    const QString refusal = versionRefusal(version.toString());
    if (!refusal.isEmpty())
        return fail(reason, tr("a release is refused: %1").arg(refusal));
    release.version = version.toString();
    return true;
}

bool ReleaseReader::readDateAndNotes(const QJsonObject& entry, FeedRelease& release,
                                     QString* reason) const {
    static const QRegularExpression dayPattern(QStringLiteral("^\\d{4}-\\d{2}-\\d{2}$"));
    const QString date = entry.value(QLatin1String("date")).toString();
    release.date = QDate::fromString(date, Qt::ISODate);
    if (!dayPattern.match(date).hasMatch() || !release.date.isValid())
        return fail(reason, tr("the date is not a day written as YYYY-MM-DD"));
    const QJsonValue notes = entry.value(QLatin1String("notes"));
    if (notes.isUndefined())
        return true;
    if (!notes.isString())
        return fail(reason, tr("the notes are not text"));
    release.notes = notes.toString();
    const QString refusal = notesRefusal(release.notes);
    return refusal.isEmpty() || fail(reason, refusal);
}

bool ReleaseReader::readUrl(const QJsonObject& entry, FeedRelease& release, QString* reason) const {
    const QJsonValue url = entry.value(QLatin1String("url"));
    if (!url.isString() || url.toString().isEmpty())
        return fail(reason, tr("there is no URL"));
    const QUrl relative(url.toString(), QUrl::StrictMode);
    if (!relative.isValid())
        return fail(reason, tr("\"%1\" is not a URL").arg(url.toString()));
    release.url = m_manifestUrl.resolved(relative);
    const QString refusal = FeedUrlRule::refusal(release.url);
    return refusal.isEmpty() || fail(reason, refusal);
}

bool ReleaseReader::readSizeAndHash(const QJsonObject& entry, FeedRelease& release,
                                    QString* reason) const {
    const std::optional<qint64> size = wholeNumber(entry.value(QLatin1String("size")));
    if (!size)
        return fail(reason, tr("the size is not a whole number of bytes"));
    if (*size == 0)
        return fail(reason, tr("the size is 0 bytes"));
    if (*size > m_largestImage)
        return fail(reason, tr("the size, %1 bytes, is more than the product's flash can hold "
                               "(%2 bytes)")
                                .arg(*size)
                                .arg(m_largestImage));
    release.size = *size;
    static const QRegularExpression hashPattern(QStringLiteral("^[0-9a-f]{64}$"));
    release.sha256 = entry.value(QLatin1String("sha256")).toString();
    if (!hashPattern.match(release.sha256).hasMatch())
        return fail(reason, tr("the SHA-256 is not 64 lower-case hexadecimal digits"));
    const QJsonValue withdrawn = entry.value(QLatin1String("withdrawn"));
    if (!withdrawn.isUndefined() && !withdrawn.isBool())
        return fail(reason, tr("\"withdrawn\" is neither true nor false"));
    release.withdrawn = withdrawn.toBool(false);
    return true;
}

} // namespace modflash::feed
