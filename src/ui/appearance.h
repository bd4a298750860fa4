#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>

#include "common/controls.h"

namespace heatcalc::ui {

// Twips to pixels at 15 twips per pixel.
constexpr int pixels(int twips)
{
    return (twips + (twips >= 0 ? 7 : -7)) / 15;
}

// 宋体 and 黑体 with the families that stand in for them on this desktop, at the design size.
QFont designFont(const Font& font, const QFont& windowDefault);

// The colour a table entry names; invalid for the default.
QColor designColour(const Colour& colour, const QPalette& palette);

}  // namespace heatcalc::ui
