#include "tube/fo23.h"

#include <utility>

#include "common/heat.h"

namespace heatcalc {

using namespace fo23;

namespace {

// This window's value of pi.
constexpr double PiApprox = 3.1415;
// t [°C] + 273.15 = T [K].
constexpr double CelsiusOffset = 273.15;
// W of heat load per unit (10 000 m2) of heated floor area: 70 x 1.163 x 10000.
constexpr double HeatPerFloorAreaUnit = 814100;
// kW per MW, in this window's water flow.
constexpr double KilowattPerMegawatt = 1000;
// Enthalpy (kcal/kg) and temperature (°C) of the condensate leaving the subcooling zone.
constexpr double CondensateEnthalpy = 80;
// K below saturation at the boundary between the condensing and the subcooling zone.
constexpr double ApproachMargin = 1;
// Constants of the saturation line Log(p) = 9.3876 - 3826.36 / (Tsat - 45.47), p in MPa, Tsat in K.
constexpr double SaturationA = 4253.214172;  // 3826.36 + 9.3876 x 45.47
constexpr double SaturationB = 45.47;
constexpr double SaturationC = 9.3876;
// mm2 per m2, kg per t, s per h; 4000 = 4 x 1000000 / 1000 (circle area pi D^2 / 4, mm2, water density).
constexpr double Mm2PerM2 = 1000000;
constexpr double KgPerTonne = 1000;
constexpr double VelocityFactor = 4000;
constexpr double SecondsPerHour = 3600;

using HeatUnitFactors::KcalPerHourToWatt;
using HeatUnitFactors::KilojoulePerKcal;
using HeatUnitFactors::WattPerMegawatt;

// Velocity in m/s of a flow G [kg/h] at the density of water through a cross-section of A [mm2],
// taken as the circle of radius r = Sqr(A / pi). The radius is worked out first, so a bad area
// stops the statement before the flow is looked at.
Num flowVelocity(const Num& area, const Num& flow)
{
    const Num r = Sqr(area / PiApprox);
    if (!r.ok())
        return r;
    return (flow * VelocityFactor) / (((Pow(r + r, 2.0)) * PiApprox) * SecondsPerHour);
}

}  // namespace

Fo23::Fo23(Clock clock) : FormModel(designTable(), Fields), clock_(std::move(clock))
{
    handler("Command1_Click", [this] { Command1_Click(); });
    handler("Command6_Click", [this] { Command6_Click(); });
    handler("Timer1_Timer", [this] { Timer1_Timer(); });
}

void Fo23::Command1_Click()
{
    // Steam temperature in K, worked out from its field at each use; the saturation temperature
    // read back from the text the handler wrote into its work field.
    const auto T = [this] { return num(SteamTemp) + CelsiusOffset; };
    const auto Ts = [this] { return num(SaturationTemp); };

    // Zone sizing
    put(HeatedFloorArea) << (num(HeatLoadMW) * WattPerMegawatt) / HeatPerFloorAreaUnit;
    put(SteamEnthalpy) << (((((T() * 1.6675) + 2022.7) + ((Pow(10.0, -4.0) * 2.9593) * Pow(T(), 2.0))) -
                            (((Pow(10.0, 9.0) * 1.269) * num(SteamPressure)) / Pow(T(), 2.7984))) -
                           (((Pow(10.0, 23.0) * 1.0185) * Pow(num(SteamPressure), 2.0)) / Pow(T(), 8.3077))) /
                              KilojoulePerKcal;
    put(SaturationTemp) << ((SaturationA - (Log(num(SteamPressure)) * SaturationB)) /
                            (SaturationC - Log(num(SteamPressure)))) -
                               CelsiusOffset;
    put(SteamFlow) << (num(HeatLoadMW) * WattPerMegawatt) /
                          ((num(SteamEnthalpy) - CondensateEnthalpy) * KcalPerHourToWatt);
    put(SecondaryFlow) << (num(HeatLoadMW) * KilowattPerMegawatt) /
                              ((num(SecondarySupplyTemp) - num(SecondaryReturnTemp)) * KcalPerHourToWatt);
    LogMeanTempDiff([&] { return Ts() - num(SecondarySupplyTemp); },
                    [&] { return (Ts() - ApproachMargin) - num(SecondaryReturnTemp); },
                    [this](const Num& lmtd) { put(CondensingZoneTempDiff) << lmtd; });
    LogMeanTempDiff([&] { return (Ts() - ApproachMargin) - num(SecondaryReturnTemp); },
                    [&] { return CondensateEnthalpy - num(SecondaryReturnTemp); },
                    [this](const Num& lmtd) { put(SubcoolingZoneTempDiff) << lmtd; });
    put(CondensingZoneHeat) << (num(SteamFlow) * (num(SteamEnthalpy) - Ts())) * KcalPerHourToWatt;
    put(SubcoolingZoneHeat) << (num(HeatLoadMW) * WattPerMegawatt) - num(CondensingZoneHeat);
    put(CondensingZoneArea) << num(CondensingZoneHeat) /
                                   ((num(CondensingZoneCoefficient) * num(CondensingZoneTempDiff)) * AreaDerating);
    put(SubcoolingZoneArea) << num(SubcoolingZoneHeat) /
                                   ((num(SubcoolingZoneCoefficient) * num(SubcoolingZoneTempDiff)) * AreaDerating);
    put(ExchangeArea) << OneDecimal{num(CondensingZoneArea) + num(SubcoolingZoneArea)};

    // Tube count and velocities
    put(SingleTubeSurface) << (num(ExchangerLength) * (num(TubeDiameter) * PiApprox)) / Mm2PerM2;
    put(TubeCount) << OneDecimal{num(ExchangeArea) / num(SingleTubeSurface)};
    put(TubeFlowArea) << num(TubeCount) * (((num(TubeDiameter) / 2) * (num(TubeDiameter) / 2)) * PiApprox);
    put(SecondaryVelocity) << flowVelocity(num(TubeFlowArea), num(SecondaryFlow) * KgPerTonne);
    put(ShellFlowArea) << (((num(ShellDiameter) / 2) * (num(ShellDiameter) / 2)) * PiApprox) - num(TubeFlowArea);
    put(PrimaryVelocity) << flowVelocity(num(ShellFlowArea), num(SteamFlow));
}

void Fo23::Command6_Click() {}

void Fo23::Timer1_Timer()
{
    put(ClockLabel) << ClockCaption(clock_());
}

}  // namespace heatcalc
