#include "OutputDecoder.h"

namespace modflash {

OutputDecoder::OutputDecoder()
    : QStringDecoder(QStringConverter::Utf8, QStringConverter::Flag::ConvertInitialBom) {}

QString OutputDecoder::decode(QByteArrayView bytes) {
    return QStringDecoder::decode(bytes);
}

QString OutputDecoder::finish() {
    // The decoder keeps the first bytes of an unfinished character in its state and has no way
    // to flush them; at the end of the output they can only be a truncated character.
    const bool truncated = state.remainingChars > 0;
    resetState();
    return truncated ? QString(QChar::ReplacementCharacter) : QString();
}

} // namespace modflash
