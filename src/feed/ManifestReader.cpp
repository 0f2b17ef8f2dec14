// SPDX-License-Identifier: GPL-3.0-or-later
#include "feed/ManifestReader.h"

#include "feed/ReleaseReader.h"

#include "catalogue/ProductCatalogue.h"
#include "flashing/Utf8.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QRegularExpression>
#include <QSet>

namespace modflash::feed {

namespace {

constexpr auto formatName = "modflash-feed";
constexpr int knownFormatVersion = 1;

std::optional<QDateTime> utcTime(const QJsonValue& value) {
    static const QRegularExpression pattern(
        QStringLiteral("^\\d{4}-\\d{2}-\\d{2}T\\d{2}:\\d{2}:\\d{2}Z$"));
    const QString text = value.toString();
    if (!pattern.match(text).hasMatch())
        return std::nullopt;
    QDateTime time = QDateTime::fromString(text, Qt::ISODate);
    if (!time.isValid())
        return std::nullopt;
    return time.toUTC();
}

} // namespace

ManifestReader::Reading ManifestReader::read(QByteArrayView bytes, const Context& context,
                                             const ProductCatalogue& catalogue) {
    Reading reading;
    if (bytes.size() > largestManifest) {
        reading.reason = tr("the manifest holds more than %1 bytes").arg(largestManifest);
        return reading;
    }
    if (!isValidUtf8(std::string_view(bytes.data(), static_cast<std::size_t>(bytes.size())))) {
        reading.reason = tr("the manifest is not UTF-8 text");
        return reading;
    }
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(bytes.toByteArray(), &error);
    if (error.error != QJsonParseError::NoError) {
        reading.reason = tr("the manifest is not JSON: %1 at byte %2")
                             .arg(error.errorString())
                             .arg(error.offset);
        return reading;
    }
    if (!document.isObject()) {
        reading.reason = tr("the manifest is not a JSON object");
        return reading;
    }
    const QJsonObject root = document.object();
    Manifest manifest;
    reading.reason = frameRefusal(root, context, manifest);
    if (!reading.reason.isEmpty())
        return reading;
    const QJsonValue products = root.value(QLatin1String("products"));
    if (!products.isArray()) {
        reading.reason = tr("the manifest has no list of products");
        return reading;
    }
    readProducts(products.toArray(), context, catalogue, manifest);
    reading.manifest = std::move(manifest);
    return reading;
}

qint64 ManifestReader::largestImage(const Product& product) {
    const std::optional<ImageCheck::Requirements> needs = product.imageRequirements();
    if (!needs)
        return 0;
    const auto flash = static_cast<qint64>(needs->flashSize);
    if (needs->format == ImageCheck::Requirements::Format::Binary)
        return flash;
    return 4 * std::max<qint64>(flash, 1 << 20);
}

QString ManifestReader::frameRefusal(const QJsonObject& root, const Context& context,
                                     Manifest& manifest) {
    if (root.value(QLatin1String("format")).toString() != QLatin1String(formatName))
        return tr("the file is not a modflash feed manifest (its \"format\" is not \"%1\")")
            .arg(QLatin1String(formatName));
    const QJsonValue version = root.value(QLatin1String("format_version"));
    if (!version.isDouble() || version.toDouble() != knownFormatVersion)
        return tr("the manifest's format version %1 is not one this modflash reads (%2); a newer "
                  "modflash may read it")
            .arg(version.isDouble() ? QString::number(version.toDouble()) : QStringLiteral("?"))
            .arg(knownFormatVersion);
    manifest.feedName = root.value(QLatin1String("feed")).toString();
    if (manifest.feedName != context.feedName)
        return tr("the manifest is of the feed \"%1\", not of \"%2\" as asked")
            .arg(manifest.feedName, context.feedName);
    const QJsonValue serial = root.value(QLatin1String("serial"));
    const double number = serial.toDouble(-1);
    if (!serial.isDouble() || number < 0 || number > 9007199254740992.0 ||
        number != static_cast<double>(static_cast<quint64>(number)))
        return tr("the manifest's serial is not a whole number");
    manifest.serial = static_cast<quint64>(number);
    return timeRefusal(root, context, manifest);
}

QString ManifestReader::timeRefusal(const QJsonObject& root, const Context& context,
                                    Manifest& manifest) {
    const std::optional<QDateTime> issued = utcTime(root.value(QLatin1String("issued")));
    const std::optional<QDateTime> expires = utcTime(root.value(QLatin1String("expires")));
    if (!issued || !expires)
        return tr("the manifest's \"issued\" or \"expires\" is not a time written as "
                  "YYYY-MM-DDTHH:MM:SSZ");
    manifest.issued = *issued;
    manifest.expires = *expires;
    if (!context.checkTimes)
        return {};
    const QDateTime now = context.now.toUTC();
    if (*expires < now)
        return tr("the manifest expired on %1: the feed's server has not been given a current "
                  "one, or this computer's clock is wrong")
            .arg(expires->toString(Qt::ISODate));
    if (*issued > now.addDays(1))
        return tr("the manifest is issued on %1, more than a day from now: this computer's clock "
                  "is wrong, or the manifest is")
            .arg(issued->toString(Qt::ISODate));
    return {};
}

void ManifestReader::readProducts(const QJsonArray& products, const Context& context,
                                  const ProductCatalogue& catalogue, Manifest& manifest) {
    const std::vector<ProductPtr> known = catalogue.products();
    QSet<QString> seen;
    for (const QJsonValue& entry : products) {
        const QString prefix = entry.toObject().value(QLatin1String("prefix")).toString();
        ProductPtr product;
        for (const ProductPtr& each : known)
            if (!prefix.isEmpty() && QString::fromStdString(each->prefix()) == prefix)
                product = each;
        const QJsonValue releases = entry.toObject().value(QLatin1String("releases"));
        if (!product || largestImage(*product) == 0)
            manifest.leftOut.append(tr("product \"%1\": no product of the catalogue has this "
                                       "prefix")
                                        .arg(prefix));
        else if (seen.contains(prefix))
            manifest.leftOut.append(tr("product \"%1\": listed twice").arg(prefix));
        else if (!releases.isArray())
            manifest.leftOut.append(tr("product \"%1\": no list of releases").arg(prefix));
        else
            readReleases(releases.toArray(), context, *product, manifest);
        seen.insert(prefix);
    }
}

void ManifestReader::readReleases(const QJsonArray& releases, const Context& context,
                                  const Product& product, Manifest& manifest) {
    Manifest::Product entry;
    entry.title = QString::fromStdString(product.title());
    entry.prefix = QString::fromStdString(product.prefix());
    entry.extension = QString::fromStdString(product.firmwareExtension());
    const ReleaseReader reader(context.manifestUrl, largestImage(product));
    QMap<QString, int> versions;
    for (const QJsonValue& release : releases) {
        QString reason;
        if (std::optional<FeedRelease> read = reader.read(release, &reason)) {
            ++versions[read->version];
            entry.releases.push_back(std::move(*read));
        } else {
            manifest.leftOut.append(tr("product \"%1\": %2").arg(entry.prefix, reason));
        }
    }
    // Two images of one version text: either could be the one meant, so neither is offered.
    for (auto it = versions.cbegin(); it != versions.cend(); ++it)
        if (it.value() > 1)
            manifest.leftOut.append(tr("product \"%1\": release \"%2\" is listed %3 times")
                                        .arg(entry.prefix, it.key())
                                        .arg(it.value()));
    std::erase_if(entry.releases,
                  [&](const FeedRelease& release) { return versions.value(release.version) > 1; });
    manifest.products.push_back(std::move(entry));
}

} // namespace modflash::feed
