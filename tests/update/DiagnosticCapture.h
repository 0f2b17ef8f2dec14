#pragma once

#include <QStringList>
#include <QtGlobal>

namespace modflash {

// Collects what goes to Qt's diagnostic log while it lives, instead of printing it.
class DiagnosticCapture {
public:
    DiagnosticCapture();
    ~DiagnosticCapture();

    DiagnosticCapture(const DiagnosticCapture&) = delete;
    DiagnosticCapture& operator=(const DiagnosticCapture&) = delete;

    const QStringList& lines() const;

private:
    QtMessageHandler m_previous;
};

} // namespace modflash
