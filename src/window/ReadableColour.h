// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QColor>

#include <functional>

class QObject;
class QWidget;

namespace modflash::ReadableColour {

// The hues of what the window reports, each a meaning of its own: a success, a failure or a
// refusal, and something the person must see to.
inline const QColor success{0x1a, 0x7f, 0x37};
inline const QColor failure{0xb3, 0x26, 0x1e};
inline const QColor caution{0x8a, 0x5a, 0x00};

// WCAG 2's contrast ratio of two colours, from 1 (the same) to 21 (black on white).
double contrastRatio(const QColor& first, const QColor& second);

// The least contrast for normal text (WCAG 2, level AA).
inline constexpr double minimumContrast = 4.5;

// `wanted`, when it reads well enough on `background`; else the nearest shade of the same hue
// that does: darker on a light background, lighter on a dark one. Every background has such a
// shade, black or white at the least. The result is a plain 8-bit colour, as style sheets and
// HTML give it.
QColor on(const QColor& background, const QColor& wanted, double minimum = minimumContrast);

// Draws the widget's text in `hue`, shaded to read well on what is behind the widget; with no
// hue, in the palette's own text colour. Only that one colour becomes the widget's own: the
// rest of its palette still follows the desktop's, so call it again on a palette change, which
// it causes only when the colour changes.
void setTextHue(QWidget* widget, const QColor& hue);

// The same, and in bold while there is a hue: how the window marks a verdict.
void setVerdictHue(QWidget* widget, const QColor& hue);

// Calls `recolour` each time the widget's palette changes (the desktop turning dark), for as
// long as `context` lives.
void followPalette(QWidget* widget, QObject* context, std::function<void()> recolour);

} // namespace modflash::ReadableColour
