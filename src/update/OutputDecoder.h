#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringDecoder>

namespace modflash {

// Turns a tool's output, read in arbitrary pieces, into text. A character split between two
// reads comes out whole with the later piece; bytes that are not UTF-8 show as U+FFFD. Nothing
// is dropped: a leading byte order mark is kept, and an incomplete character left at the end
// of the output shows as U+FFFD once finish() is called.
class OutputDecoder : private QStringDecoder {
public:
    OutputDecoder();

    QString decode(QByteArrayView bytes);

    // Ends the output: returns what is still held back and starts afresh for the next stream.
    QString finish();
};

} // namespace modflash
