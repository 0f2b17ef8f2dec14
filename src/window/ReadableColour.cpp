// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/ReadableColour.h"

#include <QApplication>
#include <QEvent>
#include <QWidget>

#include <cmath>

namespace modflash::ReadableColour {

namespace {

double relativeLuminance(const QColor& colour) {
    const auto linear = [](int channel) {
        const double value = channel / 255.0;
        return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.red()) + 0.7152 * linear(rgb.green()) + 0.0722 * linear(rgb.blue());
}

// What a style sheet makes of the colour: 8 bits a channel.
QColor plain(const QColor& colour) {
    return QColor(colour.rgb());
}

} // namespace

double contrastRatio(const QColor& first, const QColor& second) {
    const double a = relativeLuminance(first);
    const double b = relativeLuminance(second);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

QColor on(const QColor& background, const QColor& wanted, double minimum) {
    const QColor start = plain(wanted);
    if (contrastRatio(start, background) >= minimum)
        return start;
    // Lightness only raises or lowers every channel, so contrast grows steadily on the way to
    // black or white: the nearest shade that reads well is found by halving.
    const bool darken =
        contrastRatio(Qt::black, background) >= contrastRatio(Qt::white, background);
    const QColor hsl = start.toHsl();
    const auto shade = [&](double lightness) {
        return plain(
            QColor::fromHslF(hsl.hslHueF(), hsl.hslSaturationF(), static_cast<float>(lightness)));
    };
    double poor = hsl.lightnessF();
    double good = darken ? 0.0 : 1.0;
    for (int step = 0; step < 24; ++step) {
        const double middle = (poor + good) / 2;
        (contrastRatio(shade(middle), background) >= minimum ? good : poor) = middle;
    }
    return shade(good);
}

void setTextHue(QWidget* widget, const QColor& hue) {
    // The widget's own palette holds the colour set last; the surroundings hold the desktop's.
    const QWidget* parent = widget->parentWidget();
    const QPalette around = parent ? parent->palette() : QApplication::palette(widget);
    const QColor colour = hue.isValid() ? on(around.color(widget->backgroundRole()), hue)
                                        : around.color(widget->foregroundRole());
    QPalette palette = widget->palette();
    if (palette.color(widget->foregroundRole()) == colour)
        return;
    palette.setColor(widget->foregroundRole(), colour);
    widget->setPalette(palette);
}

void setVerdictHue(QWidget* widget, const QColor& hue) {
    setTextHue(widget, hue);
    QFont font = widget->font();
    font.setBold(hue.isValid());
    if (font != widget->font())
        widget->setFont(font);
}

namespace {

class PaletteFollower : public QObject {
public:
    PaletteFollower(QWidget* widget, QObject* context, std::function<void()> recolour)
        : QObject(context)
        , m_recolour(std::move(recolour)) {
        widget->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::PaletteChange)
            m_recolour();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> m_recolour;
};

} // namespace

void followPalette(QWidget* widget, QObject* context, std::function<void()> recolour) {
    if (widget)
        new PaletteFollower(widget, context, std::move(recolour)); // owned by context
}

} // namespace modflash::ReadableColour
