// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "flashing/ResourceDirectory.h"

#include <QString>
#include <QTemporaryDir>

namespace modflash {

// A resource directory in a temporary place with what the three flashing commands look for:
// avrdude.conf, openocd-scripts, the two openocd scripts and one image per test product. The
// tools themselves are small shell scripts each test writes.
class ToolDirectory {
public:
    ToolDirectory();

    // Writes an executable script called name whose body runs under /bin/sh. An "avrdude" run
    // without a flash write (the module check before an update) answers with the signature of
    // the chip it is asked for, unless answersSignature is false.
    void installTool(const QString& name, const QByteArray& body, bool answersSignature = true);
    // An image the checks before writing accept, for the file name's extension: a small Intel
    // HEX file, or a binary with a vector table fit for 0x08000000.
    static QByteArray validImage(const QString& name);
    void writeFile(const QString& relativePath, const QByteArray& contents = {});
    void remove(const QString& relativePath);

    QString path() const { return m_dir.path(); }
    QString filePath(const QString& relativePath) const { return m_dir.filePath(relativePath); }
    ResourceDirectory resources() const;

private:
    QTemporaryDir m_dir;
};

} // namespace modflash
