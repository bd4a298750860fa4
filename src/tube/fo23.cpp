#include "tube/fo23.h"

#include <utility>

#include "common/heat.h"

namespace heatcalc {

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
Num FlowVelocity(const Num& area, const Num& flow)
{
    const Num r = Sqr(area / PiApprox);
    if (!r.ok())
        return r;
    return (flow * VelocityFactor) / (((Pow(r + r, 2.0)) * PiApprox) * SecondsPerHour);
}

}  // namespace

Fo23::Fo23(Clock clock) : FormModel(Design()), clock_(std::move(clock))
{
    handler("Command1_Click", [this] { Command1_Click(); });
    handler("Command6_Click", [this] { Command6_Click(); });
    handler("Timer1_Timer", [this] { Timer1_Timer(); });
}

void Fo23::Command1_Click()
{
    // Steam temperature in K, worked out from Text3 at each use; the saturation temperature read
    // back from the text the handler wrote into Text11.
    const auto T = [this] { return num("Text3") + CelsiusOffset; };
    const auto Ts = [this] { return num("Text11"); };

    // Zone sizing
    put("Text7") << (num("Text1") * WattPerMegawatt) / HeatPerFloorAreaUnit;
    put("Text10") << (((((T() * 1.6675) + 2022.7) + ((Pow(10.0, -4.0) * 2.9593) * Pow(T(), 2.0))) -
                       (((Pow(10.0, 9.0) * 1.269) * num("Text2")) / Pow(T(), 2.7984))) -
                      (((Pow(10.0, 23.0) * 1.0185) * Pow(num("Text2"), 2.0)) / Pow(T(), 8.3077))) /
                         KilojoulePerKcal;
    put("Text11") << ((SaturationA - (Log(num("Text2")) * SaturationB)) / (SaturationC - Log(num("Text2")))) -
                         CelsiusOffset;
    put("Text8") << (num("Text1") * WattPerMegawatt) / ((num("Text10") - CondensateEnthalpy) * KcalPerHourToWatt);
    put("Text9") << (num("Text1") * KilowattPerMegawatt) / ((num("Text4") - num("Text5")) * KcalPerHourToWatt);
    LogMeanTempDiff([&] { return Ts() - num("Text4"); }, [&] { return (Ts() - ApproachMargin) - num("Text5"); },
                    [this](const Num& lmtd) { put("Text14") << lmtd; });
    LogMeanTempDiff([&] { return (Ts() - ApproachMargin) - num("Text5"); },
                    [&] { return CondensateEnthalpy - num("Text5"); },
                    [this](const Num& lmtd) { put("Text15") << lmtd; });
    put("Text18") << (num("Text8") * (num("Text10") - Ts())) * KcalPerHourToWatt;
    put("Text22") << (num("Text1") * WattPerMegawatt) - num("Text18");
    put("Text16") << num("Text18") / ((num("Text6") * num("Text14")) * AreaDerating);
    put("Text17") << num("Text22") / ((num("Text26") * num("Text15")) * AreaDerating);
    put("Text13") << OneDecimal{num("Text16") + num("Text17")};

    // Tube count and velocities
    put("Text28") << (num("Text24") * (num("Text25") * PiApprox)) / Mm2PerM2;
    put("Text19") << OneDecimal{num("Text13") / num("Text28")};
    put("Text29") << num("Text19") * (((num("Text25") / 2) * (num("Text25") / 2)) * PiApprox);
    put("Text47") << FlowVelocity(num("Text29"), num("Text9") * KgPerTonne);
    put("Text30") << (((num("Text23") / 2) * (num("Text23") / 2)) * PiApprox) - num("Text29");
    put("Text46") << FlowVelocity(num("Text30"), num("Text8"));
}

void Fo23::Command6_Click() {}

void Fo23::Timer1_Timer()
{
    put("Label1") << ClockCaption(clock_());
}

}  // namespace heatcalc
