// SPDX-License-Identifier: GPL-3.0-or-later
#include "flashing/FileKind.h"

#include "flashing/Utf8.h"
#include "flashing/Wording.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace modflash {

namespace {

bool startsWith(std::string_view text, std::string_view start) {
    return text.substr(0, start.size()) == start;
}

// The text after a UTF-8 byte order mark and leading white space.
std::string_view content(std::string_view bytes) {
    if (startsWith(bytes, "\xEF\xBB\xBF"))
        bytes.remove_prefix(3);
    const std::size_t first = bytes.find_first_not_of(" \t\r\n\f\v");
    return first == std::string_view::npos ? std::string_view() : bytes.substr(first);
}

bool containsCaseInsensitive(std::string_view text, std::string_view part) {
    const auto it =
        std::search(text.begin(), text.end(), part.begin(), part.end(), [](char a, char b) {
            return std::tolower(static_cast<unsigned char>(a)) ==
                   std::tolower(static_cast<unsigned char>(b));
        });
    return it != text.end();
}

// Elements only HTML has, among the first bytes of a page. A firmware image may start with
// "<" (0x3C as the low byte of its stack pointer) but never goes on like this.
bool looksLikeHtml(std::string_view text) {
    const std::string_view head = text.substr(0, 1024);
    for (const std::string_view marker :
         {"<!doctype html", "<html", "<head", "<body", "<meta", "<title", "<script"}) {
        if (containsCaseInsensitive(head, marker))
            return true;
    }
    return false;
}

// An object, or an array of values; "[flash]" of a settings file is no JSON.
bool looksLikeJson(std::string_view text) {
    if (startsWith(text, "{"))
        return true;
    if (!startsWith(text, "["))
        return false;
    const std::size_t next = text.find_first_not_of(" \t\r\n", 1);
    if (next == std::string_view::npos)
        return false;
    const std::string_view value = text.substr(next);
    return std::string_view("{[]\"-0123456789").find(value[0]) != std::string_view::npos ||
           startsWith(value, "true") || startsWith(value, "false") || startsWith(value, "null");
}

bool isHexDigit(char c) {
    return std::isxdigit(static_cast<unsigned char>(c)) != 0;
}

} // namespace

bool FileKind::isText(std::string_view bytes) {
    constexpr std::array<bool, 256> binary = [] {
        std::array<bool, 256> table{};
        for (int c = 0; c < 0x20; ++c)
            table[c] = true;
        for (const char c : {'\t', '\n', '\v', '\f', '\r', '\x1B'})
            table[static_cast<unsigned char>(c)] = false;
        table[0x7F] = true;
        return table;
    }();
    if (std::any_of(bytes.begin(), bytes.end(),
                    [&](char c) { return binary[static_cast<unsigned char>(c)]; }))
        return false;
    const auto high = std::count_if(bytes.begin(), bytes.end(),
                                    [](char c) { return static_cast<unsigned char>(c) >= 0x80; });
    return static_cast<std::size_t>(high) * 4 <= bytes.size() || isValidUtf8(bytes);
}

FileKind::Kind FileKind::of(std::string_view bytes) {
    if (startsWith(bytes, "\x7F"
                          "ELF"))
        return Kind::Elf;
    if (startsWith(bytes, "PK\x03\x04") || startsWith(bytes, "PK\x05\x06"))
        return Kind::Zip;
    if (startsWith(bytes, "\x1F\x8B"))
        return Kind::Gzip;
    // What a chip reads back where nothing was written, or a download that failed to zeros.
    for (const auto& [kind, fill] : {std::pair{Kind::Erased, '\xFF'}, {Kind::Zeros, '\0'}})
        if (!bytes.empty() && bytes.find_first_not_of(fill) == std::string_view::npos)
            return kind;
    const std::string_view text = content(bytes);
    if (startsWith(text, "<") && looksLikeHtml(text))
        return Kind::Html;
    if (startsWith(text, "<?xml"))
        return Kind::Xml;
    if (!isText(bytes))
        return Kind::Binary;
    if (startsWith(text, "<"))
        return Kind::Xml;
    if (looksLikeJson(text))
        return Kind::Json;
    if (text.size() > 2 && text[0] == ':' && isHexDigit(text[1]) && isHexDigit(text[2]))
        return Kind::IntelHex;
    return Kind::Text;
}

std::string FileKind::description(Kind kind, const Wording& wording) {
    const auto tr = [&](const char* text) { return wording.text("modflash::FileKind", text); };
    switch (kind) {
    case Kind::Html:
        return tr("an HTML page");
    case Kind::Xml:
        return tr("an XML document");
    case Kind::Json:
        return tr("a JSON document");
    case Kind::Zip:
        return tr("a ZIP archive");
    case Kind::Gzip:
        return tr("a gzip archive");
    case Kind::Elf:
        return tr("an ELF file");
    case Kind::IntelHex:
        return tr("an Intel HEX file");
    case Kind::Text:
        return tr("a text file");
    case Kind::Erased:
        return tr("blank flash (every byte 0xFF)");
    case Kind::Zeros:
        return tr("nothing but zero bytes");
    case Kind::Binary:
        break;
    }
    return tr("binary data");
}

} // namespace modflash
