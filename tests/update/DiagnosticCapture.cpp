#include "DiagnosticCapture.h"

namespace modflash {

namespace {

QStringList& capturedLines() {
    static QStringList lines;
    return lines;
}

void capture(QtMsgType, const QMessageLogContext&, const QString& message) {
    capturedLines().append(message);
}

} // namespace

DiagnosticCapture::DiagnosticCapture()
    : m_previous(qInstallMessageHandler(capture)) {
    capturedLines().clear();
}

DiagnosticCapture::~DiagnosticCapture() {
    qInstallMessageHandler(m_previous);
}

const QStringList& DiagnosticCapture::lines() const {
    return capturedLines();
}

} // namespace modflash
