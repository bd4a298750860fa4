#include "plate/fo.h"

#include <span>
#include <string>
#include <utility>
#include <vector>

#include "common/heat.h"
#include "common/number.h"
#include "common/rules.h"

namespace heatcalc {

namespace {

using plate::EqualSectionPlateTable;
using plate::PlateModel;
using plate::UnequalSectionPlateTable;

// Wall resistance of a plate, m2.K/W, taken as 0.0006 / 42 wherever it is used.
constexpr double PlateWallResistanceNumerator = 0.0006;
constexpr double PlateWallResistanceDenominator = 42;
// Safety factor on every plate pressure drop.
constexpr double PressureDropMargin = 1.3;
// Seconds per hour: a flow in t/h is taken as m3/h.
constexpr double SecondsPerHour = 3600;

// Temperature change in K of a flow G [t/h] carrying Q [W]: ((Q / 1.163) / 1000) / G.
Num TemperatureChange(const Num& heat, const Num& flow)
{
    return ((heat / HeatUnitFactors::KcalPerHourToWatt) / 1000) / flow;
}

// T >= t of the property lookup; a temperature that is no number stops the lookup here.
bool atLeast(const Num& temperature, double threshold)
{
    return temperature.value() >= threshold;
}

}  // namespace

Fo::Fo() : FormModel(Design())
{
    handler("Form_Load", [this] { Form_Load(); });
    handler("Timer1_Timer", [this] { Timer1_Timer(); });
    handler("Combo1_Click", [this] { Combo1_Click(); });
    handler("Combo2_Click", [this] { Combo2_Click(); });
    handler("Command1_Click", [this] { Command1_Click(); });
    handler("Command3_Click", [this] { Command3_Click(); });
    handler("Command4_Click", [this] { Command4_Click(); });
    handler("Command5_Click", [this] { Command5_Click(); });
    handler("Command6_Click", [this] { Command6_Click(); });
}

void Fo::setClock(Clock clock)
{
    clock_ = std::move(clock);
}

void Fo::Form_Load()
{
    setInterval("Timer1", 1000);
}

void Fo::Timer1_Timer()
{
    put("Label1") << ClockCaption(clock_());
}

void Fo::Combo1_Click()
{
    designation(EqualSectionPlateTable, "Combo1");
}

void Fo::Combo2_Click()
{
    designation(UnequalSectionPlateTable, "Combo2");
}

void Fo::designation(std::span<const PlateModel> table, std::string_view list)
{
    for (const PlateModel& row : table)
        if (ExactChoiceMatch(num(list), row.area))
            put("Text44").from(num(list)) << row.designation;
}

void Fo::Command1_Click()
{
    put("Text7") << HeatLoad(num("Text1")) / HeatUnitFactors::WattPerMegawatt;
    put("Text8") << OneDecimal{WaterFlow(HeatLoad(num("Text1")), num("Text2"), num("Text3"))};
    put("Text9") << OneDecimal{WaterFlow(HeatLoad(num("Text1")), num("Text4"), num("Text5"))};
    LogMeanTempDiff([this] { return num("Text2") - num("Text4"); }, [this] { return num("Text3") - num("Text5"); },
                    [this](const Num& lmtd) { put("Text12") << lmtd; });
    put("Text13") << RequiredArea(HeatLoad(num("Text1")), num("Text6"), num("Text12"));
    waterPropertyLookup();
}

namespace {

// The texts a property row writes: its values are constants, so each is formatted once.
struct WaterPropertyTexts {
    std::string viscosity;  // 10^-6 x v in m2/s
    std::string prandtl;
    std::string lambda;
};

const std::vector<WaterPropertyTexts>& waterPropertyTexts()
{
    static const std::vector<WaterPropertyTexts> texts = [] {
        std::vector<WaterPropertyTexts> rows;
        for (const plate::WaterProperties& row : plate::WaterPropertyTable)
            rows.push_back({FormatNumber((Pow(10.0, -6.0) * row.viscosity).value()), FormatNumber(row.prandtl),
                            FormatNumber(row.lambda)});
        return rows;
    }();
    return texts;
}

}  // namespace

void Fo::waterPropertyLookup()
{
    using plate::WaterProperty;
    const std::vector<WaterPropertyTexts>& texts = waterPropertyTexts();
    for (const plate::PropertyChain& chain : plate::WaterPropertyChains) {
        for (std::size_t i = 0; i < plate::WaterPropertyTable.size(); ++i) {
            const plate::WaterProperties& row = plate::WaterPropertyTable[i];
            if (row.t > chain.lastThreshold)
                break;
            const Num temperature = num(chain.temperature);
            if (!atLeast(temperature, row.t))
                continue;
            switch (chain.property) {
            case WaterProperty::Viscosity:
                put(chain.target).from(temperature) << texts[i].viscosity;
                break;
            case WaterProperty::Prandtl:
                put(chain.target).from(temperature) << texts[i].prandtl;
                break;
            case WaterProperty::Conductivity:
                put(chain.target).from(temperature) << texts[i].lambda;
                break;
            }
        }
    }
}

void Fo::Command3_Click()
{
    velocityCalculation(EqualSectionPlateTable, "Combo1", false);
}

void Fo::Command4_Click()
{
    velocityCalculation(UnequalSectionPlateTable, "Combo2", true);
}

// The unequal-section series copies the matched plate's area into Text16 and computes with that
// copy; the equal-section series computes with the list's own number.
void Fo::velocityCalculation(std::span<const PlateModel> table, std::string_view list, bool copiesPlateArea)
{
    for (const PlateModel& row : table) {
        if (ExactChoiceMatch(num(list), row.area))
            put("Text14").from(num(list)) << row.primaryChannel;
        if (ExactChoiceMatch(num(list), row.area))
            put("Text15").from(num(list)) << row.secondaryChannel;
        if (copiesPlateArea && ExactChoiceMatch(num(list), row.area))
            put("Text16").from(num(list)) << row.area;
    }
    const std::string_view a = copiesPlateArea ? "Text16" : list;

    put("Text17") << (num("Text26") + num("Text13") / num(a)) / 2;
    put("Text19") << num("Text26") + num("Text13") / num(a);
    put("Text18") << num(a) * num("Text26");
    put("Text13") << RequiredArea(HeatLoad(num("Text1")), num("Text6"), num("Text12"));

    put("Text10") << num("Text8") / (num("Text17") * (num("Text14") * SecondsPerHour));
    put("Text11") << num("Text9") / (num("Text17") * (num("Text15") * SecondsPerHour));

    if (num("Text10") < LowValueThreshold)
        put("Text46") << VelocityTooLow;
    if (num("Text11") < LowValueThreshold)
        put("Text47") << VelocityTooLow;
    if (num("Text10") > LowValueThreshold)
        put("Text46") << OneDecimal{num("Text10")};
    if (num("Text11") > LowValueThreshold)
        put("Text47") << OneDecimal{num("Text11")};

    // Means of a side's supply and return values: 1 is added first and taken off again, which
    // brings the small viscosities to the resolution of numbers near 1.
    put("Text22") << (((num("Text28") + 1) + num("Text29")) - 1) / 2;
    put("Text23") << (((num("Text30") + 1) + num("Text31")) - 1) / 2;
    put("Text24") << (((num("Text32") + 1) + num("Text33")) - 1) / 2;
    put("Text25") << (((num("Text34") + 1) + num("Text35")) - 1) / 2;
    put("Text40") << (((num("Text36") + 1) + num("Text37")) - 1) / 2;
    put("Text41") << (((num("Text38") + 1) + num("Text39")) - 1) / 2;
}

void Fo::Command5_Click()
{
    pressureDropCalculation(UnequalSectionPlateTable, "Combo2");
}

void Fo::Command6_Click()
{
    pressureDropCalculation(EqualSectionPlateTable, "Combo1");
}

Num Fo::reynolds(const plate::SideCorrelation& side, const SideFields& fields) const
{
    return (num(fields.velocity) * side.de) / num(fields.viscosity);
}

Num Fo::filmCoefficient(const plate::SideCorrelation& side, const SideFields& fields, double prandtlExponent) const
{
    const Num nusselt = Pow(num(fields.prandtl), prandtlExponent) * (Pow(reynolds(side, fields), side.n) * side.c);
    return (num(fields.conductivity) * nusselt) / side.de;
}

Num Fo::correctedK(const PlateModel& row) const
{
    const Num h1 = filmCoefficient(row.primary, PrimarySide, plate::PrimaryPrandtlExponent);
    const Num h2 = filmCoefficient(row.secondary, SecondarySide, plate::SecondaryPrandtlExponent);
    return 1 / ((1 / h1 + 1 / h2) + Num(PlateWallResistanceNumerator) / PlateWallResistanceDenominator);
}

Num Fo::pressureDrop(const plate::SideCorrelation& side, const SideFields& fields) const
{
    return ((num(fields.velocity) * num(fields.velocity)) * PressureDropMargin) *
           (Pow(reynolds(side, fields), -side.b) * side.a);
}

// Heat the exchanger carries with the corrected K over the required and the added area, W.
Num Fo::verifiedHeat() const
{
    return (num("Text27") * num("Text12")) * (num("Text13") + num("Text18"));
}

void Fo::pressureDropCalculation(std::span<const PlateModel> table, std::string_view list)
{
    for (const PlateModel& row : table) {
        if (ExactChoiceMatch(num(list), row.area))
            put("Text27") << correctedK(row);
        if (ExactChoiceMatch(num(list), row.area))
            put("Text20") << pressureDrop(row.primary, PrimarySide);
        if (ExactChoiceMatch(num(list), row.area))
            put("Text21") << pressureDrop(row.secondary, SecondarySide);
    }
    put("Text45") << verifiedHeat() / HeatUnitFactors::WattPerMegawatt;
    put("Text48") << num("Text2") - TemperatureChange(verifiedHeat(), num("Text8"));
    put("Text49") << num("Text5") + TemperatureChange(verifiedHeat(), num("Text9"));
}

}  // namespace heatcalc
