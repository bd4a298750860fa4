#pragma once

#include <array>

#include "common/form_model.h"

// The fields of the weight window by what they hold, each with its caption and unit as the window
// shows them; the work field, which the user never sees, with what it carries to the buttons.
namespace heatcalc::form2 {

// Round steel pipe
inline constexpr Field PipeDiameter{"Text1"};       // 直径, M
inline constexpr Field PipeWallThickness{"Text2"};  // 壁厚, M
inline constexpr Field PipeLength{"Text3"};         // 长度, M
inline constexpr Field PipeWeight{"Text5"};         // 重量, KG
inline constexpr Field PipeSurface{"Text18"};       // 面积, M2

// Round bar
inline constexpr Field BarDiameter{"Text7"};  // 直径, M
inline constexpr Field BarLength{"Text8"};    // 长度, M
inline constexpr Field BarWeight{"Text10"};   // 重量, KG
inline constexpr Field BarSurface{"Text19"};  // 面积, M2

// Steel plate
inline constexpr Field PlateLength{"Text12"};     // 长, M
inline constexpr Field PlateWidth{"Text13"};      // 宽, M
inline constexpr Field PlateThickness{"Text14"};  // 厚, M
inline constexpr Field PlateWeight{"Text16"};     // 重量, KG
inline constexpr Field PlateArea{"Text20"};       // 面积, M2

// Material
inline constexpr Field MaterialList{"Combo1"};     // 材质选择
inline constexpr Field MaterialDensity{"Text21"};  // work: density of the material picked, kg/m3

// Every name above, found among the window's controls when the window is built.
// clang-format off
inline constexpr std::array Fields{
    PipeDiameter, PipeWallThickness, PipeLength, PipeWeight, PipeSurface,
    BarDiameter, BarLength, BarWeight, BarSurface,
    PlateLength, PlateWidth, PlateThickness, PlateWeight, PlateArea,
    MaterialList, MaterialDensity};
// clang-format on

}  // namespace heatcalc::form2
