// SPDX-License-Identifier: GPL-3.0-or-later
// The feed: refreshing a feed of 36 products with 20 releases each (fetching the manifest and
// its signature, verifying and reading them, keeping them) and downloading and verifying a
// 1 MiB image into the cache, each against the same transfer by a plain `curl -o` from the same
// server, the tests' feed server on 127.0.0.1. The fastest of seven runs of each is compared.

#include "ChildRun.h"
#include "Clock.h"
#include "Report.h"
#include "catalogue/ProductCatalogue.h"
#include "feed/FeedRefresh.h"
#include "feed/FeedState.h"
#include "feed/ImageDownload.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QEventLoop>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QProcess>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <stdexcept>

using namespace modflash;
using namespace modflash::bench;

namespace {

constexpr int runs = 7;
constexpr int releasesPerProduct = 20;
constexpr qint64 imageSize = 1024 * 1024;

void runTool(const QString& program, const QStringList& arguments) {
    QProcess process;
    process.start(program, arguments);
    process.closeWriteChannel();
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        throw std::runtime_error(
            (program + " failed: " + process.readAllStandardError()).toStdString());
}

QByteArray readFile(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& bytes) {
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        throw std::runtime_error("cannot write " + path.toStdString());
}

// Every product of the catalogue with its releases, each with a line of notes.
QByteArray largeManifest(const ProductCatalogue& catalogue) {
    QJsonArray products;
    for (const ProductPtr& product : catalogue.products()) {
        const QString prefix = QString::fromStdString(product->prefix());
        QJsonArray releases;
        for (int i = 0; i < releasesPerProduct; ++i) {
            const QString version = QStringLiteral("%1.%2").arg(1 + i / 10).arg(i % 10);
            const QByteArray name = (prefix + version).toUtf8();
            releases.append(QJsonObject{
                {"version", version},
                {"date", "2026-11-30"},
                {"notes", "Starts faster and keeps its settings when the power fails."},
                {"url", "images/" + prefix + version + "." +
                            QString::fromStdString(product->firmwareExtension())},
                {"size", 65536},
                {"sha256",
                 QString::fromLatin1(
                     QCryptographicHash::hash(name, QCryptographicHash::Sha256).toHex())}});
        }
        products.append(QJsonObject{{"prefix", prefix}, {"releases", releases}});
    }
    const QDateTime now = QDateTime::currentDateTimeUtc();
    return QJsonDocument(QJsonObject{{"format", "modflash-feed"},
                                     {"format_version", 1},
                                     {"feed", "stable"},
                                     {"serial", 1},
                                     {"issued", now.addDays(-1).toString(Qt::ISODate)},
                                     {"expires", now.addDays(30).toString(Qt::ISODate)},
                                     {"products", products}})
        .toJson(QJsonDocument::Indented);
}

// The fastest of the runs, in seconds; each run ends when its object says finished().
template <typename Work>
double fastest(const std::function<std::unique_ptr<Work>()>& start,
               const std::function<bool(const Work&)>& succeeded) {
    double best = 1e9;
    for (int i = 0; i < runs; ++i) {
        const std::int64_t begin = monotonicNs();
        const std::unique_ptr<Work> work = start();
        QEventLoop loop;
        QObject::connect(work.get(), &Work::finished, &loop, &QEventLoop::quit);
        loop.exec();
        best = std::min(best, secondsSince(begin));
        if (!succeeded(*work))
            throw std::runtime_error("a run failed");
    }
    return best;
}

class Server {
public:
    Server(const QString& python, const QString& script, const QString& root) {
        m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        m_process.start(python, {script, root});
        if (!m_process.waitForReadyRead(10000))
            throw std::runtime_error("the feed server did not start");
        m_port = m_process.readLine().trimmed().toInt();
    }
    ~Server() {
        m_process.kill();
        m_process.waitForFinished(5000);
    }
    QUrl url(const QString& path) const {
        return QUrl(QStringLiteral("http://127.0.0.1:%1/%2").arg(m_port).arg(path));
    }

private:
    QProcess m_process;
    int m_port = 0;
};

struct CurlRun {
    double seconds = 1e9;
    // What curl itself counts for its transfers, without its start-up.
    double transferSeconds = 0;
};

// The fastest of the runs of curl, fetching each URL into its file.
CurlRun curlFastest(const QString& curl, const QStringList& arguments) {
    std::vector<std::string> command{curl.toStdString(), "--silent", "--fail", "--write-out",
                                     "%{time_total}\n"};
    for (const QString& argument : arguments)
        command.push_back(argument.toStdString());
    CurlRun best;
    for (int i = 0; i < runs; ++i) {
        const ChildRun run = ChildRun::run(command, true);
        if (run.exitStatus != 0)
            throw std::runtime_error("curl failed");
        if (run.seconds < best.seconds) {
            best.seconds = run.seconds;
            best.transferSeconds = 0;
            for (const QByteArray& line : QByteArray::fromStdString(run.output).split('\n'))
                best.transferSeconds += line.toDouble();
        }
    }
    return best;
}

void report(const std::string& target, const std::string& what, double seconds,
            const CurlRun& curl) {
    Report{target,
           what + ": " + milliseconds(seconds * 1e3),
           "curl -o: " + milliseconds(curl.seconds * 1e3),
           seconds / curl.seconds,
           2.0,
           "<= 2x"}
        .print();
    printNote(target, "of curl's run, " + milliseconds(curl.transferSeconds * 1e3) +
                          " are the transfer as curl counts it; the rest is its start-up");
}

void measure(const QStringList& tools) {
    const QString &python = tools[0], &script = tools[1], &minisign = tools[2], &curl = tools[3];
    const QTemporaryDir root, keys, scratch;
    const ProductCatalogue catalogue;
    const QByteArray manifest = largeManifest(catalogue);
    writeFile(root.filePath("stable/manifest.json"), manifest);
    runTool(minisign, {"-G", "-W", "-p", keys.filePath("key.pub"), "-s", keys.filePath("key")});
    runTool(minisign,
            {"-S", "-s", keys.filePath("key"), "-m", root.filePath("stable/manifest.json")});
    QByteArray image(imageSize, '\0');
    QRandomGenerator(7).fillRange(reinterpret_cast<quint32*>(image.data()), imageSize / 4);
    writeFile(root.filePath("images/Wendrel.9.9.bin"), image);
    const Server server(python, script, root.path());
    const std::unique_ptr<QNetworkAccessManager> network = feed::BoundedFetch::createNetwork();

    feed::FeedSettings settings;
    if (!settings.keys.addFile(keys.filePath("key.pub"), nullptr))
        throw std::runtime_error("the key cannot be read");
    settings.url = server.url("stable/manifest.json");
    std::unique_ptr<QTemporaryDir> stateDirectory;
    std::unique_ptr<feed::FeedState> state;
    const double refresh = fastest<feed::FeedRefresh>(
        [&] {
            // A state of its own each time: the manifest is new to it, so it is kept.
            stateDirectory = std::make_unique<QTemporaryDir>();
            state = std::make_unique<feed::FeedState>(stateDirectory->path());
            auto work = std::make_unique<feed::FeedRefresh>(*network, *state, catalogue, settings);
            work->start();
            return work;
        },
        [](const feed::FeedRefresh& done) {
            return done.outcome().status == feed::FeedRefresh::Outcome::Status::Accepted;
        });
    const QByteArray signature = readFile(root.filePath("stable/manifest.json.minisig"));
    double reading = 1e9;
    for (int i = 0; i < runs; ++i) {
        const std::int64_t begin = monotonicNs();
        if (!feed::FeedRefresh::verifyAndRead(manifest, signature, settings, catalogue, true)
                 .manifest)
            throw std::runtime_error("the manifest is refused");
        reading = std::min(reading, secondsSince(begin));
    }
    printNote("feed refresh 36x20",
              "verifying and reading the manifest once: " + milliseconds(reading * 1e3) +
                  " (a refresh that keeps it does so twice)");
    report("feed refresh 36x20",
           "FeedRefresh of " + std::to_string(manifest.size() / 1024) + " KiB", refresh,
           curlFastest(curl, {"-o", scratch.filePath("m"), settings.url.toString(), "-o",
                              scratch.filePath("s"), settings.signatureUrl().toString()}));

    const feed::FeedRelease release{
        "9.9",
        {},
        {},
        server.url("images/Wendrel.9.9.bin"),
        imageSize,
        QString::fromLatin1(QCryptographicHash::hash(image, QCryptographicHash::Sha256).toHex()),
        false};
    std::unique_ptr<QTemporaryDir> cacheDirectory;
    std::unique_ptr<feed::DownloadCache> cache;
    const double download = fastest<feed::ImageDownload>(
        [&] {
            // An empty cache each time, so the image is downloaded.
            cacheDirectory = std::make_unique<QTemporaryDir>();
            cache = std::make_unique<feed::DownloadCache>(cacheDirectory->path());
            auto work = std::make_unique<feed::ImageDownload>(*network, *cache, release, "bin");
            work->start();
            return work;
        },
        [](const feed::ImageDownload& done) { return !done.failure() && !done.wasCached(); });
    report("feed download 1 MiB", "ImageDownload", download,
           curlFastest(curl, {"-o", scratch.filePath("image"), release.url.toString()}));
}

} // namespace

int main(int argc, char* argv[]) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: feed_bench PYTHON FEED_SERVER MINISIGN CURL\n");
        return 64;
    }
    // The server is on this machine: no proxy of the environment may stand between, for
    // modflash or for curl.
    for (const char* name :
         {"http_proxy", "https_proxy", "all_proxy", "HTTP_PROXY", "HTTPS_PROXY", "ALL_PROXY"})
        qunsetenv(name);
    QCoreApplication application(argc, argv);
    try {
        measure(QCoreApplication::arguments().mid(1));
    } catch (const std::exception& error) {
        std::fprintf(stderr, "feed_bench: %s\n", error.what());
        return 1;
    }
    return 0;
}
