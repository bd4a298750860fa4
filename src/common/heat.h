#pragma once

#include <functional>
#include <string_view>

#include "common/checked.h"

namespace heatcalc {

// Heat carried by water, Q = G x c x dT with c = 1 kcal/(kg.K), and the factors between the units.
namespace HeatUnitFactors {
inline constexpr double KcalPerHourToWatt = 1.163;  // W per kcal/h
inline constexpr double WaterHeatCapacity = 1163;   // W.h/(t.K)
inline constexpr double WattToKcalPerHour = 0.86;   // kcal/h per W
inline constexpr double KilojoulePerKcal = 4.1868;
inline constexpr double WattPerMegawatt = 1000000;
}  // namespace HeatUnitFactors

// Heat demand of heated floor area, kcal/(h.m2); the floor area is counted in units of 10 000 m2.
inline constexpr double HeatIndex = 70;
inline constexpr double HeatedFloorAreaUnit = 10000;
// Factor on K x LMTD in the required area.
inline constexpr double AreaDerating = 0.8;

// Heat load in W of a heated floor area S: ((S x 10000) x 70) x 1.163.
inline Num HeatLoad(const Num& heatedFloorArea)
{
    return ((heatedFloorArea * HeatedFloorAreaUnit) * HeatIndex) * HeatUnitFactors::KcalPerHourToWatt;
}

// Water flow in t/h carrying Q [W] between two temperatures: Q / ((supply - return) x 1163).
inline Num WaterFlow(const Num& heatLoad, const Num& supply, const Num& ret)
{
    return heatLoad / ((supply - ret) * HeatUnitFactors::WaterHeatCapacity);
}

// Heat-transfer area in m2: Q / ((K x LMTD) x 0.8).
inline Num RequiredArea(const Num& heatLoad, const Num& k, const Num& lmtd)
{
    return heatLoad / ((k * lmtd) * AreaDerating);
}

// The log-mean temperature difference of the end differences a and b by its three separate
// tests, each computing a and b afresh from their fields:
//   b < a: (a - b) / Log(a / b);  b > a: (b - a) / Log(b / a);  b = a: a.
// Each test that holds hands its result to `write` (the statement writing the field).
using EndDifference = std::function<Num()>;
void LogMeanTempDiff(const EndDifference& a, const EndDifference& b, const std::function<void(const Num&)>& write);

}  // namespace heatcalc
