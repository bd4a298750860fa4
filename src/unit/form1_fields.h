#pragma once

#include <array>

#include "common/form_model.h"

// The fields of the unit window by what they hold, each with its caption and unit as the window
// shows them; the work fields, which the user never sees, with what they carry to a later
// statement or press.
namespace heatcalc::form1 {

// Inputs
inline constexpr Field UnitFlow{"Text1"};               // 流量, T/H
inline constexpr Field UnitTempDiff{"Text11"};          // 温差, ℃
inline constexpr Field BuildingHeight{"Text2"};         // 楼高, M
inline constexpr Field PipeLength{"Text3"};             // 管长, M
inline constexpr Field PipeDN{"Combo1"};                // 管径, DN: the inner diameter in mm
inline constexpr Field CirculationPumpCount{"Combo2"};  // 循环泵数, PCS
inline constexpr Field ElbowCount{"Text15"};            // 弯头
inline constexpr Field GateValveCount{"Text16"};        // 闸阀
inline constexpr Field CheckValveCount{"Text17"};       // 止回阀

// Results
inline constexpr Field ShownPipeVelocity{"Text13"};   // 流速, M/S: the previous press's velocity or 流速太低
inline constexpr Field CirculationPumpFlow{"Text5"};  // 循环泵流量, T/H
inline constexpr Field ShownPumpHead{"Text14"};       // 循环泵扬程, M: the previous press's head or 扬程太低
inline constexpr Field MakeupPumpFlow{"Text7"};       // 补水泵流量, T/H
inline constexpr Field MakeupPumpHead{"Text8"};       // 补水泵扬程, M
inline constexpr Field MakeupTankVolume{"Text12"};    // 水箱, M3

// Work fields
inline constexpr Field HeatLoadMW{"Text9"};           // work: heat load, MW
inline constexpr Field PipeVelocity{"Text4"};         // work: pipe velocity, m/s, shown by the next press
inline constexpr Field CirculationPumpHead{"Text6"};  // work: circulation-pump head, m, shown by the next press
inline constexpr Field EquivalentLength{"Text18"};    // work: equivalent length of the pipe run, m

// Every name above, found among the window's controls when the window is built.
// clang-format off
inline constexpr std::array Fields{
    UnitFlow, UnitTempDiff, BuildingHeight, PipeLength, PipeDN, CirculationPumpCount, ElbowCount, GateValveCount,
    CheckValveCount,
    ShownPipeVelocity, CirculationPumpFlow, ShownPumpHead, MakeupPumpFlow, MakeupPumpHead, MakeupTankVolume,
    HeatLoadMW, PipeVelocity, CirculationPumpHead, EquivalentLength};
// clang-format on

}  // namespace heatcalc::form1
