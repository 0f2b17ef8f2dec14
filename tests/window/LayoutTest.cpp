// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowFixture.h"

#include "update/UserLanguage.h"

#include <QRegularExpression>
#include <QTextLayout>

namespace modflash::testing {
namespace {

using Layout = WindowFixture;

// The label's text wrapped at its width, and narrower as a larger font makes it, breaks nowhere
// between a number and its unit ("1 / MiB flash").
void expectQuantitiesWhole(const QLabel* label) {
    ASSERT_FALSE(label->text().isEmpty());
    static const QRegularExpression split(QStringLiteral("\\d\\s*\\n[\\p{L}%]"));
    for (int width = label->contentsRect().width(); width >= 120; width -= 20) {
        QTextLayout layout(label->text(), label->font());
        QString lines;
        layout.beginLayout();
        for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
            line.setLineWidth(width);
            lines += '\n' + label->text().mid(line.textStart(), line.textLength());
        }
        layout.endLayout();
        EXPECT_FALSE(lines.contains(split)) << width << ':' << lines.toStdString();
    }
}

// At the default size, in both languages, a failure's verdict spans the log's width rather than a
// strip beside the log's buttons, and the image and device lines break between phrases only.
TEST_F(Layout, AtTheDefaultSizeTheVerdictHasRoomAndQuantitiesStayWhole) {
    installTools("exit 74");
    usbDevices.memoryLayout = "@Internal Flash  /0x08000000/04*016Kg,01*064Kg,07*128Kg";
    usbDevices.plug(dfuBootLoader);
    for (const bool german : {false, true}) {
        std::optional<UserLanguage> translation;
        if (german)
            translation.emplace(QLocale(QLocale::German, QLocale::Germany));
        start(true);
        const WindowControls& c = controls();
        choose("Wendrel", "2.0");
        clickUpdate();
        ASSERT_TRUE(waitForFinish());
        EXPECT_GE(c.bannerLabel->width(), c.logTextField->width()) << banner().toStdString();
        expectQuantitiesWhole(c.imageLine);
        expectQuantitiesWhole(c.deviceLine);
        quit();
    }
}

} // namespace
} // namespace modflash::testing
