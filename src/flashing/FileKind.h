// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace modflash {

class Wording;

// Files that people pick up by mistake in place of a firmware image, told by their content:
// a web page saved instead of the download, the archive the image came in, the linker's ELF
// output, the image in the other format, the read-back of an empty chip. Recognised from the
// start of the file and, for text, from the absence of the control bytes any firmware image is
// full of.
class FileKind {
public:
    enum class Kind { Html, Xml, Json, Zip, Gzip, Elf, IntelHex, Text, Erased, Zeros, Binary };

    static Kind of(std::string_view bytes);

    // Whether no byte is a control character that text never holds (tabs, line ends, form
    // feeds and escapes are text) and the bytes from 0x80 up are UTF-8 or few, as letters of
    // a single-byte encoding are among mostly ASCII.
    static bool isText(std::string_view bytes);

    // "an HTML page", "a ZIP archive", ...
    static std::string description(Kind kind, const Wording& wording);
};

} // namespace modflash
