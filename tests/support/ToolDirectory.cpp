// SPDX-License-Identifier: GPL-3.0-or-later
#include "ToolDirectory.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <stdexcept>

namespace modflash {

ToolDirectory::ToolDirectory() {
    if (!m_dir.isValid())
        throw std::runtime_error("cannot create a temporary directory: " +
                                 m_dir.errorString().toStdString());
    writeFile("avrdude.conf", "# test configuration\n");
    writeFile("openocd-scripts/interface/stlink-v2.cfg");
    writeFile("openocd_flash_pre.cfg", "init\n");
    writeFile("openocd_flash_post.cfg", "reset\nshutdown\n");
}

void ToolDirectory::installTool(const QString& name, const QByteArray& body,
                                bool answersSignature) {
    const QByteArray signature =
        "case \" $* \" in *\" -Uflash\"*) ;; *)\n"
        "  case \" $* \" in *-patmega168*) s=1e9406;; *-patmega328*) s=1e9514;;\n"
        "    *-pattiny44*) s=1e9207;; *-pattiny45*) s=1e9206;; *) s=1e930b;; esac\n"
        "  echo \"avrdude: device signature = 0x$s\"; exit 0;;\n"
        "esac\n";
    const bool answers = answersSignature && name == QStringLiteral("avrdude");
    writeFile(name, "#!/bin/sh\n" + (answers ? signature : QByteArray()) + body + "\n");
    QFile::setPermissions(filePath(name), QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner |
                                              QFile::ReadGroup | QFile::ExeGroup);
}

void ToolDirectory::writeFile(const QString& relativePath, const QByteArray& contents) {
    const QString path = filePath(relativePath);
    QDir().mkpath(QFileInfo(path).path());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(contents) < 0)
        throw std::runtime_error("cannot write " + path.toStdString());
}

void ToolDirectory::remove(const QString& relativePath) {
    const QString path = filePath(relativePath);
    if (QFileInfo(path).isDir())
        QDir(path).removeRecursively();
    else
        QFile::remove(path);
}

QByteArray ToolDirectory::validImage(const QString& name) {
    if (name.endsWith(QStringLiteral(".hex"), Qt::CaseInsensitive))
        return ":0100000000FF\n:00000001FF\n";
    // Initial stack pointer 0x20001000, reset handler 0x08000009 (Thumb), inside the image.
    QByteArray image("\x00\x10\x00\x20\x09\x00\x00\x08", 8);
    return image + QByteArray(24, '\0');
}

ResourceDirectory ToolDirectory::resources() const {
    return ResourceDirectory(m_dir.path().toStdString());
}

} // namespace modflash
