#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QStringList>

#include <string_view>

#include "common/controls.h"

class QWidget;

namespace heatcalc::ui {

// Twips to pixels at 15 twips per pixel.
constexpr int pixels(int twips)
{
    return (twips + (twips >= 0 ? 7 : -7)) / 15;
}

// 宋体 and 黑体 with the families that stand in for them on this desktop, at the design size.
QFont designFont(const Font& font, const QFont& windowDefault);

// Whether the Chinese captions can be drawn, from the installed font families and those of them
// that write simplified Chinese: a stand-in of 宋体 or 黑体, or any other Chinese font that the
// font matching falls back to.
bool chineseCaptionFontInstalled(const QStringList& families, const QStringList& simplifiedChineseFamilies);

// Without a font for the Chinese captions every caption shows as empty boxes: says so through
// warn(), naming the font packages to install, and returns.
void warnIfNoChineseCaptionFont(QWidget* owner);

// The colour a table entry names; invalid for the default.
QColor designColour(const Colour& colour, const QPalette& palette);

}  // namespace heatcalc::ui
