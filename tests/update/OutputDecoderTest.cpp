#include "OutputDecoder.h"

#include <gtest/gtest.h>

namespace modflash {
namespace {

const QChar replacement = QChar::ReplacementCharacter;

TEST(OutputDecoder, CharactersSplitAnywhereComeOutWhole) {
    // One, two, three and four byte characters, and invalid bytes between them.
    const QByteArray bytes("a\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80 \xff\xfe z");
    const QString expected = QStringLiteral("aé€😀 ") + replacement + replacement + " z";
    for (qsizetype split = 0; split <= bytes.size(); ++split) {
        OutputDecoder decoder;
        QString text = decoder.decode(bytes.first(split));
        text += decoder.decode(bytes.sliced(split));
        text += decoder.finish();
        EXPECT_EQ(text, expected) << "split after byte " << split;
    }
}

TEST(OutputDecoder, NothingIsDroppedAndFinishStartsAFreshStream) {
    OutputDecoder decoder;
    // A leading byte order mark and NUL bytes are output like any other character.
    EXPECT_EQ(decoder.decode(QByteArrayView("\xef\xbb\xbf\0k", 5)),
              QString(QChar(0xfeff)) + QChar(0) + "k");
    // A character cut off by the end of the output still shows.
    EXPECT_EQ(decoder.decode("x\xe2\x82"), "x");
    EXPECT_EQ(decoder.finish(), QString(replacement));
    EXPECT_EQ(decoder.finish(), QString());
    // The held-back bytes are gone, and a new stream's byte order mark is kept again.
    EXPECT_EQ(decoder.decode("\xa9"), QString(replacement));
    decoder.finish();
    EXPECT_EQ(decoder.decode("\xef\xbb\xbf"), QString(QChar(0xfeff)));
}

} // namespace
} // namespace modflash
