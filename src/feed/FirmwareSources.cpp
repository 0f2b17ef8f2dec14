// SPDX-License-Identifier: GPL-3.0-or-later
#include "feed/FirmwareSources.h"

#include "catalogue/Product.h"
#include "feed/DownloadCache.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <map>

namespace modflash::feed {

namespace {

bool isOffered(const FeedRelease& release) {
    return !release.withdrawn;
}

} // namespace

QString FirmwareOffer::sourceName(FirmwareSource source) {
    switch (source) {
    case FirmwareSource::Bundled:
        return QStringLiteral("bundled");
    case FirmwareSource::User:
        return QStringLiteral("user");
    case FirmwareSource::Cache:
        return QStringLiteral("cache");
    case FirmwareSource::Feed:
        break;
    }
    return QStringLiteral("feed");
}

FirmwareSources::FirmwareSources(ResourceDirectory resources, QString userRoot,
                                 QString cacheDirectory)
    : m_resources(std::move(resources))
    , m_userRoot(std::move(userRoot))
    , m_cacheDirectory(std::move(cacheDirectory)) {}

QString FirmwareSources::defaultUserRoot() {
    QString base = qEnvironmentVariable("XDG_DATA_HOME");
    // The XDG rule: a relative path is to be ignored.
    if (base.isEmpty() || QDir::isRelativePath(base))
        base = QDir::homePath() + QStringLiteral("/.local/share");
    return base + QStringLiteral("/modflash");
}

QString FirmwareSources::defaultCacheDirectory() {
    return DownloadCache::defaultDirectory();
}

QString FirmwareSources::userFirmwareDirectory() const {
    return m_userRoot + QStringLiteral("/firmware");
}

ResourceDirectory FirmwareSources::user() const {
    return ResourceDirectory(QFile::encodeName(m_userRoot).toStdString());
}

std::vector<FirmwareOffer> FirmwareSources::offers(const Product& product,
                                                   std::vector<std::string>* leftOut) const {
    std::vector<FirmwareOffer> offers;
    for (const auto& [source, folder] :
         {std::pair{FirmwareSource::Bundled, m_resources}, std::pair{FirmwareSource::User, user()}})
        for (FirmwarePtr& firmware : product.getAllFirmware(folder, leftOut))
            offers.push_back({source, std::move(firmware), std::nullopt});
    addFeedReleases(product, offers);
    return offers;
}

void FirmwareSources::addFeedReleases(const Product& product,
                                      std::vector<FirmwareOffer>& offers) const {
    const Manifest::Product* listed =
        m_manifest ? m_manifest->product(QString::fromStdString(product.prefix())) : nullptr;
    if (!listed)
        return;
    // The hashes of the files offered so far, read only for files of a release's size.
    std::map<std::string, std::optional<QString>> hashes;
    const auto offeredAlready = [&](const FeedRelease& release) {
        for (const FirmwareOffer& offer : offers) {
            const std::string& path = offer.firmware->path();
            if (QFileInfo(QFile::decodeName(path.c_str())).size() != release.size)
                continue;
            if (!hashes.contains(path))
                hashes[path] = DownloadCache::fileSha256(QFile::decodeName(path.c_str()));
            if (hashes[path] == release.sha256)
                return true;
        }
        return false;
    };
    const DownloadCache cache(m_cacheDirectory);
    std::vector<FirmwareOffer> cached, toDownload;
    for (const FeedRelease& release : listed->releases) {
        if (!isOffered(release) || offeredAlready(release))
            continue;
        const QString path = cache.pathFor(release.sha256, listed->extension);
        if (QFileInfo(path).isFile())
            cached.push_back({FirmwareSource::Cache,
                              std::make_shared<const Firmware>(
                                  QFile::encodeName(path).toStdString(),
                                  Firmware::KnownVersion{release.version.toStdString()}),
                              release});
        else
            toDownload.push_back({FirmwareSource::Feed, nullptr, release});
    }
    offers.insert(offers.end(), cached.begin(), cached.end());
    offers.insert(offers.end(), toDownload.begin(), toDownload.end());
}

FirmwareSources::Listing FirmwareSources::listing() const {
    return Listing(m_resources, user(), m_manifest);
}

FirmwareSources::Listing::Listing(const ResourceDirectory& resources, const ResourceDirectory& user,
                                  const std::optional<Manifest>& manifest)
    : m_bundled(resources)
    , m_user(user)
    , m_manifest(manifest) {}

bool FirmwareSources::Listing::hasImages(const Product& product) const {
    if (m_bundled.hasFirmware(product) || m_user.hasFirmware(product))
        return true;
    const Manifest::Product* listed =
        m_manifest ? m_manifest->product(QString::fromStdString(product.prefix())) : nullptr;
    return listed && std::any_of(listed->releases.begin(), listed->releases.end(), isOffered);
}

bool FirmwareSources::Listing::offers(const Product& product, bool factoryFirmwareEnabled) const {
    return ImageListing::mayOffer(product, factoryFirmwareEnabled) && hasImages(product);
}

} // namespace modflash::feed
