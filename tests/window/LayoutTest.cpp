// SPDX-License-Identifier: GPL-3.0-or-later
#include "WindowFixture.h"

#include "update/UserLanguage.h"

#include <QRegularExpression>
#include <QTextLayout>

namespace modflash::testing {

namespace {

class Layout : public WindowFixture {};

// The label's text as it wraps at the given width, line by line.
QStringList wrapped(const QLabel* label, int width) {
    QTextLayout layout(label->text(), label->font());
    QStringList lines;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        lines << label->text().mid(line.textStart(), line.textLength());
    }
    layout.endLayout();
    return lines;
}

// Where a line ends in a number and the next begins with its unit ("1 / MiB flash").
void expectQuantitiesWhole(const QLabel* label) {
    static const QRegularExpression endsInNumber(QStringLiteral("\\d\\s*$"));
    static const QRegularExpression startsWithUnit(QStringLiteral("^[\\p{L}%]"));
    ASSERT_FALSE(label->text().isEmpty());
    // At the default size, and narrower, as a larger font makes it.
    for (int width = label->contentsRect().width(); width >= 120; width -= 20) {
        const QStringList lines = wrapped(label, width);
        for (qsizetype i = 1; i < lines.size(); ++i)
            EXPECT_FALSE(lines[i - 1].contains(endsInNumber) && lines[i].contains(startsWithUnit))
                << width << ": " << lines.join(" / ").toStdString();
    }
}

} // namespace

// At the default size, in both languages, a failure's verdict spans the log's width rather than a
// strip beside the log's buttons, and the image and device lines break between phrases only.
TEST_F(Layout, AtTheDefaultSizeTheVerdictHasRoomAndQuantitiesStayWhole) {
    installTools("echo 'dfu-util: Cannot open DFU device 0483:df11 found on devnum 2 "
                 "(LIBUSB_ERROR_ACCESS)' >&2\nexit 74");
    resources.writeFile("firmware/Wendrel.2.0.bin",
                        ToolDirectory::validImage("x.bin") + QByteArray(2000, '\0'));
    usbDevices.memoryLayout = "@Internal Flash  /0x08000000/04*016Kg,01*064Kg,07*128Kg";
    usbDevices.plug(dfuBootLoader);
    for (const bool german : {false, true}) {
        SCOPED_TRACE(german ? "German" : "English");
        std::optional<UserLanguage> translation;
        if (german)
            translation.emplace(QLocale(QLocale::German, QLocale::Germany));
        start(true);
        const WindowControls& c = controls();
        ASSERT_TRUE(QTest::qWaitForWindowExposed(c.window));
        choose("Wendrel", "2.0");
        clickUpdate();
        ASSERT_TRUE(waitForFinish());
        QApplication::processEvents();
        EXPECT_GE(c.bannerLabel->width(), c.logTextField->width()) << banner().toStdString();
        expectQuantitiesWhole(c.imageLine);
        expectQuantitiesWhole(c.deviceLine);
        quit();
    }
}

} // namespace modflash::testing
