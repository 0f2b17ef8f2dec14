// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "feed/PublishedImage.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDateTime>
#include <QString>
#include <QStringList>
#include <QUrl>

#include <vector>

namespace modflash {
class ProductCatalogue;
}

namespace modflash::feed {

// Makes a feed out of a directory of images, for a maker to sign and publish: checks every
// image as modflash checks it before writing, and writes the manifest with the images beside it
// under relative URLs. The manifest is read back as modflash reads it before it is written, so
// a feed that is written is one modflash takes whole.
class ManifestWriter {
    Q_DECLARE_TR_FUNCTIONS(ManifestWriter)

public:
    struct Options {
        QString feedName = QStringLiteral("stable");
        quint64 serial = 0;
        QDateTime issued;
        int expiresInDays = 0;
        // Empty: no notes. Otherwise each image's notes are in ReleaseNotes::fileNameFor() of it.
        QString notesDirectory;
        // File names of images listed as withdrawn: hidden by modflash, and not served.
        QStringList withdrawn;
    };

    // JSON numbers are doubles: a larger serial would not be read back as written.
    static constexpr quint64 largestSerial = quint64(1) << 53;
    static inline const QString manifestFileName = QStringLiteral("manifest.json");
    static inline const QString imagesDirectoryName = QStringLiteral("images");

    ManifestWriter(const ProductCatalogue& catalogue, Options options);

    // Where a manifest is taken to lie while it is not yet published: an https place of its
    // own, so that its relative URLs are judged as images beside it.
    static QUrl unpublishedUrl() {
        return QUrl(QStringLiteral("https://feed.invalid/manifest.json"));
    }

    // Reads every file of the directory (its subdirectories are not read) and the notes; false
    // when anything is refused, and then refusals() says what and why, one line each.
    bool collect(const QString& imagesDirectory);
    const QStringList& refusals() const { return m_refusals; }
    const std::vector<PublishedImage>& images() const { return m_images; }

    QByteArray manifest() const;
    QDateTime expires() const { return m_options.issued.addDays(m_options.expiresInDays); }
    // Signed with the manifest, so that it names what was signed.
    QString trustedComment() const;

    // Writes the images and then the manifest into the directory, each file replaced whole,
    // and removes a signature left from an earlier manifest there. False with the reason.
    bool write(const QString& outDirectory, QString* reason) const;

private:
    void checkOptions();
    void readImages(const QString& imagesDirectory);
    void readNotes();
    void markWithdrawn();
    void readBack();

    const ProductCatalogue& m_catalogue;
    Options m_options;
    QString m_imagesDirectory;
    std::vector<PublishedImage> m_images;
    QStringList m_refusals;
};

} // namespace modflash::feed
