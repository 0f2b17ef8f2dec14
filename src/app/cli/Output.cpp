#include "Output.h"

#include <QJsonDocument>
#include <QString>

namespace modflash::cli {

Output::Output(std::FILE* out, std::FILE* err)
    : m_out(out)
    , m_err(err) {}

namespace {

std::string_view view(const QByteArray& bytes) {
    return {bytes.constData(), static_cast<std::size_t>(bytes.size())};
}

} // namespace

void Output::write(std::FILE* stream, std::string_view bytes) {
    std::fwrite(bytes.data(), 1, bytes.size(), stream);
}

void Output::line(std::string_view text) {
    write(m_out, text);
    write(m_out, "\n");
}

void Output::line(const QString& text) {
    line(view(text.toUtf8()));
}

void Output::text(const QString& text) {
    write(m_out, view(text.toUtf8()));
}

void Output::json(const QJsonDocument& document) {
    // toJson() emits UTF-8 and leaves non-ASCII characters as they are.
    write(m_out, view(document.toJson(QJsonDocument::Indented)));
}

void Output::error(std::string_view message) {
    std::fflush(m_out);
    write(m_err, "modflash-cli: ");
    write(m_err, message);
    write(m_err, "\n");
    std::fflush(m_err);
}

bool Output::flush() {
    return std::fflush(m_out) == 0 && !std::ferror(m_out);
}

} // namespace modflash::cli
