#pragma once

#include "common/controls.h"

// The fonts and colours the window designs share.
namespace heatcalc::style {

// Field captions: 宋体 10.5 pt bold.
inline constexpr Font Caption{FontFace::SongTi, 10.5, true};
// Unit labels where they are not in the window's default font: 宋体 10.5 pt.
inline constexpr Font Unit{FontFace::SongTi, 10.5, false};
// Window titles: 宋体 14.25 pt bold, and the larger 15.75 pt bold of the weight window.
inline constexpr Font Title{FontFace::SongTi, 14.25, true};
inline constexpr Font LargeTitle{FontFace::SongTi, 15.75, true};
// The clock and small print: 宋体 9 pt.
inline constexpr Font Small{FontFace::SongTi, 9, false};
// Bold field texts: 黑体 9 pt bold.
inline constexpr Font FieldBold{FontFace::HeiTi, 9, true};

inline constexpr Colour White = Rgb(255, 255, 255);
inline constexpr Colour Silver = Rgb(192, 192, 192);
inline constexpr Colour LightGrey = Rgb(224, 224, 224);
inline constexpr Colour Red = Rgb(255, 0, 0);
inline constexpr Colour Black = Rgb(0, 0, 0);
inline constexpr Colour Cyan = Rgb(0, 255, 255);
inline constexpr Colour ThreeDLight = System(SystemColour::ThreeDLight);
// The background of result fields: the system scroll-bar colour.
inline constexpr Colour OutputBack = System(SystemColour::ScrollBar);

}  // namespace heatcalc::style
