#pragma once

#include <array>

#include "common/form_model.h"

// The fields of the tube window by what they hold, each with its caption and unit as the window
// shows them; the work fields, which the user never sees, with what they carry to a later
// statement. Steam heats water: the primary side is the steam.
namespace heatcalc::fo23 {

// Inputs
inline constexpr Field HeatLoadMW{"Text1"};                  // 换热热量, WM
inline constexpr Field SteamPressure{"Text2"};               // 1#供水压力, MPa
inline constexpr Field SteamTemp{"Text3"};                   // 1#供水温度, 度
inline constexpr Field SecondarySupplyTemp{"Text4"};         // 2#供水温度, 度: the water leaving
inline constexpr Field SecondaryReturnTemp{"Text5"};         // 2#回水温度, 度: the water entering
inline constexpr Field CondensingZoneCoefficient{"Text6"};   // 1#传热系数, W/M2℃
inline constexpr Field SubcoolingZoneCoefficient{"Text26"};  // 2#传热系数, W/M2℃
inline constexpr Field AddedArea{"Text45"};                  // 增加面积, M2: no handler reads it
inline constexpr Field CorrectedKValue{"Text27"};            // 修正K值, W/M2℃: no handler reads or writes it
inline constexpr Field ShellDiameter{"Text23"};              // 换热器直径, DN
inline constexpr Field ExchangerLength{"Text24"};            // 换热器长度, MM
inline constexpr Field TubeDiameter{"Text25"};               // 换热管直径, φMM

// Results
inline constexpr Field HeatedFloorArea{"Text7"};         // 供热面积, 万M2
inline constexpr Field SteamFlow{"Text8"};               // 一次流量, Kg/H
inline constexpr Field SecondaryFlow{"Text9"};           // 二次流量, T/H: the water
inline constexpr Field PrimaryVelocity{"Text46"};        // 一次流速, M/S: the shell side
inline constexpr Field SecondaryVelocity{"Text47"};      // 二次流速, M/S: the tubes
inline constexpr Field PrimaryPressureDrop{"Text20"};    // 一次阻力, KPa: never written
inline constexpr Field SecondaryPressureDrop{"Text21"};  // 二次阻力, KPa: never written
inline constexpr Field ExchangeArea{"Text13"};           // 总换面积, M2, one decimal
inline constexpr Field TubeCount{"Text19"};              // 换热管数, 条, one decimal
inline constexpr Field ClockLabel{"Label1"};             // never ticks: shows "Label1"

// Work fields
inline constexpr Field SteamEnthalpy{"Text10"};           // work: enthalpy of the steam, kcal/kg
inline constexpr Field SaturationTemp{"Text11"};          // work: saturation temperature, °C
inline constexpr Field CondensingZoneTempDiff{"Text14"};  // work: log-mean temperature difference, condensing zone, K
inline constexpr Field SubcoolingZoneTempDiff{"Text15"};  // work: log-mean temperature difference, subcooling zone, K
inline constexpr Field CondensingZoneArea{"Text16"};      // work: area of the condensing zone, m2
inline constexpr Field SubcoolingZoneArea{"Text17"};      // work: area of the subcooling zone, m2
inline constexpr Field CondensingZoneHeat{"Text18"};      // work: heat of the condensing zone, W
inline constexpr Field SubcoolingZoneHeat{"Text22"};      // work: heat of the subcooling zone, W
inline constexpr Field SingleTubeSurface{"Text28"};       // work: heating surface of one tube, m2
inline constexpr Field TubeFlowArea{"Text29"};            // work: flow area of all tubes, mm2
inline constexpr Field ShellFlowArea{"Text30"};           // work: flow area of the shell around the tubes, mm2

// Every name above, found among the window's controls when the window is built.
// clang-format off
inline constexpr std::array Fields{
    HeatLoadMW, SteamPressure, SteamTemp, SecondarySupplyTemp, SecondaryReturnTemp, CondensingZoneCoefficient,
    SubcoolingZoneCoefficient, AddedArea, CorrectedKValue, ShellDiameter, ExchangerLength, TubeDiameter,
    HeatedFloorArea, SteamFlow, SecondaryFlow, PrimaryVelocity, SecondaryVelocity, PrimaryPressureDrop,
    SecondaryPressureDrop, ExchangeArea, TubeCount, ClockLabel,
    SteamEnthalpy, SaturationTemp, CondensingZoneTempDiff, SubcoolingZoneTempDiff, CondensingZoneArea,
    SubcoolingZoneArea, CondensingZoneHeat, SubcoolingZoneHeat, SingleTubeSurface, TubeFlowArea, ShellFlowArea};
// clang-format on

}  // namespace heatcalc::fo23
