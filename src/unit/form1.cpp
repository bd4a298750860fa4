#include "unit/form1.h"

#include "common/heat.h"
#include "common/rules.h"

namespace heatcalc {

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

Form1::Form1() : FormModel(Design())
{
    handler("Command1_Click", [this] { Command1_Click(); });
}

void Form1::Command1_Click()
{
    using HeatUnitFactors::WattPerMegawatt;
    using HeatUnitFactors::WattToKcalPerHour;

    // Circulating mass flow in kg/h for the design temperature difference, from the heat load.
    auto designMassFlow = [this] {
        return ((num("Text9") * WattToKcalPerHour) * WattPerMegawatt) / DesignTemperatureDifference;
    };
    // Friction loss of the pipe in Pa per metre; the mass flow is evaluated again for each use.
    auto frictionLossPerMetre = [this, &designMassFlow] {
        const Num a = 0.2 / num("Combo1");
        const Num b = (num("Combo1") * 0.0904836) / designMassFlow();
        return (((Pow(10, -12) * 6.9938) * Pow(a + b, 0.25)) * Pow(designMassFlow(), 2)) / Pow(num("Combo1") / 1000, 5);
    };

    // Heat load in MW.
    put("Text9") << (((num("Text11") * num("Text1")) * 1000) / WattToKcalPerHour) / WattPerMegawatt;

    // Velocity and head of the previous press: both warnings first, then both values.
    if (num("Text4") < LowValueThreshold)
        put("Text13") << VelocityTooLow;
    if (num("Text6") < LowValueThreshold)
        put("Text14") << HeadTooLow;
    if (num("Text4") > LowValueThreshold)
        put("Text13") << text("Text4");
    if (num("Text6") > LowValueThreshold)
        put("Text14") << text("Text6");

    // Equivalent length of the run.
    put("Text18") << ((num("Text15") * ElbowLength + num("Text3")) + num("Text16") * GateValveLength) +
                         num("Text17") * CheckValveLength;
    // Pipe velocity in m/s.
    put("Text4") << ((num("Text1") * 1000) * 4000) / ((Pow(num("Combo1"), 2) * PiApprox) * 3600);
    // Circulation-pump head in m.
    put("Text6") << (num("Text18") * frictionLossPerMetre() + Pow(num("Text4"), 2) * 983) / 10000;

    // Circulation-pump flow for one, two or three pumps.
    if (ExactChoiceMatch(num("Combo2"), 1))
        put("Text5").from(num("Combo2")) << num("Text1") * 1.2;
    if (ExactChoiceMatch(num("Combo2"), 2))
        put("Text5").from(num("Combo2")) << (num("Text1") * 1.2) * 0.7;
    if (ExactChoiceMatch(num("Combo2"), 3))
        put("Text5").from(num("Combo2")) << (num("Text1") * 1.2) * 0.6;

    // Make-up pump flow and head, make-up tank volume.
    put("Text7") << num("Text1") * 0.05;
    put("Text8") << num("Text2") * 1.2;
    put("Text12") << num("Text7") / 2;
}

}  // namespace heatcalc
