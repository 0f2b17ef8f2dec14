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

void ToolDirectory::installTool(const QString& name, const QByteArray& body) {
    writeFile(name, "#!/bin/sh\n" + body + "\n");
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

ResourceDirectory ToolDirectory::resources() const {
    return ResourceDirectory(m_dir.path().toStdString());
}

} // namespace modflash
