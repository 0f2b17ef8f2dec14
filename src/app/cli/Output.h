#pragma once

#include <cstdio>
#include <string_view>

class QJsonDocument;
class QString;

namespace modflash::cli {

// Where modflash-cli writes: results to standard output, problems to standard error. Text goes
// out as UTF-8 bytes whatever the locale says, so "µTessary" reads the same under LANG=C.
class Output {
public:
    Output(std::FILE* out = stdout, std::FILE* err = stderr);

    void line(std::string_view text);
    void line(const QString& text);
    void text(const QString& text); // as it is, without adding a line break
    void json(const QJsonDocument& document);

    // One line on standard error, led by the program's name.
    void error(std::string_view message);

    // False when something could not be written (a closed pipe, a full disk).
    bool flush();

private:
    void write(std::FILE* stream, std::string_view bytes);

    std::FILE* m_out;
    std::FILE* m_err;
};

} // namespace modflash::cli
