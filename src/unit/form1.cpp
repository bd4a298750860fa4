#include "unit/form1.h"

#include "common/heat.h"
#include "common/rules.h"

namespace heatcalc {

using namespace form1;

namespace {

// This window's value of pi.
constexpr double PiApprox = 3.14159;
// Temperature difference the circulating mass flow of the friction loss is designed for, K.
constexpr double DesignTemperatureDifference = 25;
// Straight pipe each fitting counts as, m.
constexpr double ElbowLength = 0.15;
constexpr double GateValveLength = 0.6;
constexpr double CheckValveLength = 10;

}  // namespace

Form1::Form1() : FormModel(designTable(), Fields)
{
    handler("Command1_Click", [this] { Command1_Click(); });
}

void Form1::Command1_Click()
{
    using HeatUnitFactors::WattPerMegawatt;
    using HeatUnitFactors::WattToKcalPerHour;

    // Circulating mass flow in kg/h for the design temperature difference, from the heat load.
    auto designMassFlow = [this] {
        return ((num(HeatLoadMW) * WattToKcalPerHour) * WattPerMegawatt) / DesignTemperatureDifference;
    };
    // Friction loss of the pipe in Pa per metre; the mass flow is evaluated again for each use.
    auto frictionLossPerMetre = [this, &designMassFlow] {
        const Num a = 0.2 / num(PipeDN);
        const Num b = (num(PipeDN) * 0.0904836) / designMassFlow();
        return (((Pow(10, -12) * 6.9938) * Pow(a + b, 0.25)) * Pow(designMassFlow(), 2)) / Pow(num(PipeDN) / 1000, 5);
    };

    // Heat load in MW.
    put(HeatLoadMW) << (((num(UnitTempDiff) * num(UnitFlow)) * 1000) / WattToKcalPerHour) / WattPerMegawatt;

    // Velocity and head of the previous press: both warnings first, then both values.
    if (num(PipeVelocity) < LowValueThreshold)
        put(ShownPipeVelocity) << VelocityTooLow;
    if (num(CirculationPumpHead) < LowValueThreshold)
        put(ShownPumpHead) << HeadTooLow;
    if (num(PipeVelocity) > LowValueThreshold)
        put(ShownPipeVelocity) << text(PipeVelocity);
    if (num(CirculationPumpHead) > LowValueThreshold)
        put(ShownPumpHead) << text(CirculationPumpHead);

    // Equivalent length of the run.
    put(EquivalentLength) << ((num(ElbowCount) * ElbowLength + num(PipeLength)) +
                              num(GateValveCount) * GateValveLength) +
                                 num(CheckValveCount) * CheckValveLength;
    // Pipe velocity in m/s.
    put(PipeVelocity) << ((num(UnitFlow) * 1000) * 4000) / ((Pow(num(PipeDN), 2) * PiApprox) * 3600);
    // Circulation-pump head in m.
    put(CirculationPumpHead) << (num(EquivalentLength) * frictionLossPerMetre() + Pow(num(PipeVelocity), 2) * 983) /
                                    10000;

    // Circulation-pump flow for one, two or three pumps.
    if (ExactChoiceMatch(num(CirculationPumpCount), 1))
        put(CirculationPumpFlow).from(num(CirculationPumpCount)) << num(UnitFlow) * 1.2;
    if (ExactChoiceMatch(num(CirculationPumpCount), 2))
        put(CirculationPumpFlow).from(num(CirculationPumpCount)) << (num(UnitFlow) * 1.2) * 0.7;
    if (ExactChoiceMatch(num(CirculationPumpCount), 3))
        put(CirculationPumpFlow).from(num(CirculationPumpCount)) << (num(UnitFlow) * 1.2) * 0.6;

    // Make-up pump flow and head, make-up tank volume.
    put(MakeupPumpFlow) << num(UnitFlow) * 0.05;
    put(MakeupPumpHead) << num(BuildingHeight) * 1.2;
    put(MakeupTankVolume) << num(MakeupPumpFlow) / 2;
}

}  // namespace heatcalc
