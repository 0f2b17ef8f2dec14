#include "OutputDecoder.h"

#include <gtest/gtest.h>

namespace modflash {
namespace {

const QChar replacement = QChar::ReplacementCharacter;

QString decodeInTwo(const QByteArray& bytes, qsizetype split) {
    OutputDecoder decoder;
    QString text = decoder.decode(bytes.first(split));
    text += decoder.decode(bytes.sliced(split));
    text += decoder.finish();
    return text;
}

TEST(OutputDecoder, CharactersSplitAnywhereComeOutWhole) {
    // One, two, three and four byte characters, and invalid bytes between them.
    const QByteArray bytes("a\xc3\xa9\xe2\x82\xac\xf0\x9f\x98\x80 \xff\xfe z");
    const QString expected = QStringLiteral("aé€😀 ") + replacement + replacement + " z";
    for (qsizetype split = 0; split <= bytes.size(); ++split)
        EXPECT_EQ(decodeInTwo(bytes, split), expected) << "split after byte " << split;
}

TEST(OutputDecoder, NothingIsDropped) {
    // A leading byte order mark is output like any other character.
    OutputDecoder decoder;
    EXPECT_EQ(decoder.decode("\xef\xbb\xbfok"), QString(QChar(0xfeff)) + "ok");

    // A character cut off by the end of the output still shows.
    OutputDecoder truncated;
    EXPECT_EQ(truncated.decode("x\xe2\x82"), "x");
    EXPECT_EQ(truncated.finish(), QString(replacement));

    // NUL bytes too.
    OutputDecoder nul;
    EXPECT_EQ(nul.decode(QByteArrayView("a\0b", 3)).size(), 3);
}

TEST(OutputDecoder, FinishStartsAFreshStream) {
    OutputDecoder decoder;
    EXPECT_EQ(decoder.decode("\xc3"), QString());
    EXPECT_EQ(decoder.finish(), QString(replacement));
    EXPECT_EQ(decoder.finish(), QString());
    // The held-back byte is gone, and a new stream's byte order mark is kept again.
    EXPECT_EQ(decoder.decode("\xa9"), QString(replacement));
    decoder.finish();
    EXPECT_EQ(decoder.decode("\xef\xbb\xbf"), QString(QChar(0xfeff)));
}

} // namespace
} // namespace modflash
