#include "TestResources.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace modflash::testing {

namespace {

QString page(const char* heading) {
    return QStringLiteral("<html><body><h1>%1</h1>"
                          "<p><a href=\"https://example.net/cable\">Cables</a></p>"
                          "</body></html>")
        .arg(QString::fromUtf8(heading));
}

} // namespace

TestResources::TestResources() {
    addSampleFirmware();
    addSamplePages();
}

ResourceDirectory TestResources::directory() const {
    return ResourceDirectory(path().toStdString());
}

QString TestResources::addFile(const QString& relative, const QByteArray& contents) {
    const QString full = QDir(path()).filePath(relative);
    QDir().mkpath(QFileInfo(full).path());
    QFile file(full);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size())
        qFatal("cannot write %s", qPrintable(full));
    return full;
}

QString TestResources::addScript(const QString& relative, const QByteArray& body) {
    const QString full = addFile(relative, "#!/bin/sh\n" + body);
    QFile::setPermissions(full,
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return full;
}

void TestResources::installTools(const QByteArray& body) {
    for (const char* tool : {"avrdude", "dfu-util", "dfu-util-factory", "openocd"})
        addScript(QString::fromUtf8(tool), body);
    addFile(QStringLiteral("avrdude.conf"));
    addFile(QStringLiteral("openocd-scripts/interface/stlink.cfg"));
    addFile(QStringLiteral("openocd_flash_pre.cfg"));
    addFile(QStringLiteral("openocd_flash_post.cfg"));
}

void TestResources::removeFile(const QString& relative) {
    QFile::remove(QDir(path()).filePath(relative));
}

QString TestResources::addOutsideFile(const QString& name) {
    const QString full = QDir(m_outside.path()).filePath(name);
    QFile file(full);
    if (!file.open(QIODevice::WriteOnly) || file.write("image") != 5)
        qFatal("cannot write %s", qPrintable(full));
    return full;
}

void TestResources::addSampleFirmware() {
    // Written out of order: the list must come out sorted all the same.
    for (const char* name :
         {"parvonne_2.0.hex", "parvonne_1.0.hex", "parvonne_1.1.hex", "Wendrel.2.0.bin",
          "Wendrel.1.4.2.bin", "Tessary_1U_f4.1.0.bin", "kolvane_1.0.hex", "zembro_1.0.bin"})
        addFile(QStringLiteral("firmware/") + QString::fromUtf8(name));
}

void TestResources::addSamplePages() {
    addFile(QStringLiteral("instructions/intro.html"), page("Welcome").toUtf8());
    addFile(QStringLiteral("instructions/parvonne.html"), page("Parvonne steps").toUtf8());
    addFile(QStringLiteral("instructions/Wendrel.html"), page("Wendrel steps").toUtf8());
    addFile(QStringLiteral("instructions/Tessary_1U_f4.html"), page("Tessary steps").toUtf8());
    // No page for Kolvane or Zembro: their view stays empty.
}

} // namespace modflash::testing
