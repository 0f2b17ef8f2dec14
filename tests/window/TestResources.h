#pragma once

#include "ResourceDirectory.h"

#include <QByteArray>
#include <QString>
#include <QTemporaryDir>

namespace modflash::testing {

// A resource directory of its own for one test: a few products' firmware images and pages.
// Offered with factory firmware off: "Parvonne (rev009 or Higher)" (three images), "Wendrel"
// (two) and "Tessary 1U (rev002)" (one); with it on also "Kolvane" and "Zembro".
class TestResources {
public:
    TestResources();

    QString path() const { return m_dir.path(); }
    ResourceDirectory directory() const;
    // Creates the file and its directories below the root; returns its full path.
    QString addFile(const QString& relative, const QByteArray& contents = "x");
    // An executable shell script below the root.
    QString addScript(const QString& relative, const QByteArray& body);
    // The same stand-in script as avrdude, dfu-util and openocd, with the files their commands
    // need (avrdude.conf, openocd-scripts and the two openocd scripts).
    void installTools(const QByteArray& body);
    void removeFile(const QString& relative);
    // A file outside the resource directory, as a user would choose through "Other...".
    QString addOutsideFile(const QString& name);

private:
    void addSampleFirmware();
    void addSamplePages();

    QTemporaryDir m_dir;
    QTemporaryDir m_outside;
};

} // namespace modflash::testing
