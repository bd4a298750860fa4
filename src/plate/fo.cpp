#include "plate/fo.h"

#include <span>
#include <string>
#include <utility>
#include <vector>

#include "common/heat.h"
#include "common/number.h"
#include "common/rules.h"

namespace heatcalc {

using namespace fo;

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
Num temperatureChange(const Num& heat, const Num& flow)
{
    return ((heat / HeatUnitFactors::KcalPerHourToWatt) / 1000) / flow;
}

// T >= t of the property lookup; a temperature that is no number stops the lookup here.
bool atLeast(const Num& temperature, double threshold)
{
    return temperature.value() >= threshold;
}

}  // namespace

Fo::Fo() : FormModel(designTable(), Fields)
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
    put(ClockLabel) << ClockCaption(clock_());
}

void Fo::Combo1_Click()
{
    designation(EqualSectionPlateTable, EqualSectionPlate);
}

void Fo::Combo2_Click()
{
    designation(UnequalSectionPlateTable, UnequalSectionPlate);
}

void Fo::designation(std::span<const PlateModel> table, Field list)
{
    for (const PlateModel& row : table)
        if (ExactChoiceMatch(num(list), row.area))
            put(PlateDesignation).from(num(list)) << row.designation;
}

void Fo::Command1_Click()
{
    put(HeatLoadMW) << HeatLoad(num(HeatedFloorArea)) / HeatUnitFactors::WattPerMegawatt;
    put(PrimaryFlow) << OneDecimal{
        WaterFlow(HeatLoad(num(HeatedFloorArea)), num(PrimarySupplyTemp), num(PrimaryReturnTemp))};
    put(SecondaryFlow) << OneDecimal{
        WaterFlow(HeatLoad(num(HeatedFloorArea)), num(SecondarySupplyTemp), num(SecondaryReturnTemp))};
    LogMeanTempDiff([this] { return num(PrimarySupplyTemp) - num(SecondarySupplyTemp); },
                    [this] { return num(PrimaryReturnTemp) - num(SecondaryReturnTemp); },
                    [this](const Num& lmtd) { put(LogMeanDiff) << lmtd; });
    put(ExchangerArea) << RequiredArea(HeatLoad(num(HeatedFloorArea)), num(HeatTransferCoefficient), num(LogMeanDiff));
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
    velocityCalculation(EqualSectionPlateTable, EqualSectionPlate, false);
}

void Fo::Command4_Click()
{
    velocityCalculation(UnequalSectionPlateTable, UnequalSectionPlate, true);
}

// The unequal-section series copies the matched plate's area into its work field and computes
// with that copy; the equal-section series computes with the list's own number.
void Fo::velocityCalculation(std::span<const PlateModel> table, Field list, bool copiesPlateArea)
{
    for (const PlateModel& row : table) {
        if (ExactChoiceMatch(num(list), row.area))
            put(PrimaryChannel).from(num(list)) << row.primaryChannel;
        if (ExactChoiceMatch(num(list), row.area))
            put(SecondaryChannel).from(num(list)) << row.secondaryChannel;
        if (copiesPlateArea && ExactChoiceMatch(num(list), row.area))
            put(UnequalPlateArea).from(num(list)) << row.area;
    }
    const Field a = copiesPlateArea ? UnequalPlateArea : list;

    put(ChannelsPerSide) << (num(AddedPlateCount) + num(ExchangerArea) / num(a)) / 2;
    put(PlateCount) << num(AddedPlateCount) + num(ExchangerArea) / num(a);
    put(AddedPlateArea) << num(a) * num(AddedPlateCount);
    put(ExchangerArea) << RequiredArea(HeatLoad(num(HeatedFloorArea)), num(HeatTransferCoefficient), num(LogMeanDiff));

    put(PrimaryChannelVelocity) << num(PrimaryFlow) / (num(ChannelsPerSide) * (num(PrimaryChannel) * SecondsPerHour));
    put(SecondaryChannelVelocity) << num(SecondaryFlow) /
                                         (num(ChannelsPerSide) * (num(SecondaryChannel) * SecondsPerHour));

    if (num(PrimaryChannelVelocity) < LowValueThreshold)
        put(PrimaryVelocity) << VelocityTooLow;
    if (num(SecondaryChannelVelocity) < LowValueThreshold)
        put(SecondaryVelocity) << VelocityTooLow;
    if (num(PrimaryChannelVelocity) > LowValueThreshold)
        put(PrimaryVelocity) << OneDecimal{num(PrimaryChannelVelocity)};
    if (num(SecondaryChannelVelocity) > LowValueThreshold)
        put(SecondaryVelocity) << OneDecimal{num(SecondaryChannelVelocity)};

    // Means of a side's supply and return values: 1 is added first and taken off again, which
    // brings the small viscosities to the resolution of numbers near 1.
    put(PrimaryViscosityMean) << (((num(PrimarySupplyViscosity) + 1) + num(PrimaryReturnViscosity)) - 1) / 2;
    put(SecondaryViscosityMean) << (((num(SecondarySupplyViscosity) + 1) + num(SecondaryReturnViscosity)) - 1) / 2;
    put(PrimaryPrandtlMean) << (((num(PrimarySupplyPrandtl) + 1) + num(PrimaryReturnPrandtl)) - 1) / 2;
    put(SecondaryPrandtlMean) << (((num(SecondarySupplyPrandtl) + 1) + num(SecondaryReturnPrandtl)) - 1) / 2;
    put(PrimaryLambdaMean) << (((num(PrimarySupplyLambda) + 1) + num(PrimaryReturnLambda)) - 1) / 2;
    put(SecondaryLambdaMean) << (((num(SecondarySupplyLambda) + 1) + num(SecondaryReturnLambda)) - 1) / 2;
}

void Fo::Command5_Click()
{
    pressureDropCalculation(UnequalSectionPlateTable, UnequalSectionPlate);
}

void Fo::Command6_Click()
{
    pressureDropCalculation(EqualSectionPlateTable, EqualSectionPlate);
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
    return (num(CorrectedKValue) * num(LogMeanDiff)) * (num(ExchangerArea) + num(AddedPlateArea));
}

void Fo::pressureDropCalculation(std::span<const PlateModel> table, Field list)
{
    for (const PlateModel& row : table) {
        if (ExactChoiceMatch(num(list), row.area))
            put(CorrectedKValue) << correctedK(row);
        if (ExactChoiceMatch(num(list), row.area))
            put(PrimaryPressureDrop) << pressureDrop(row.primary, PrimarySide);
        if (ExactChoiceMatch(num(list), row.area))
            put(SecondaryPressureDrop) << pressureDrop(row.secondary, SecondarySide);
    }
    put(VerifiedHeatFlow) << verifiedHeat() / HeatUnitFactors::WattPerMegawatt;
    put(CheckReturnTemp) << num(PrimarySupplyTemp) - temperatureChange(verifiedHeat(), num(PrimaryFlow));
    put(CheckSupplyTemp) << num(SecondaryReturnTemp) + temperatureChange(verifiedHeat(), num(SecondaryFlow));
}

}  // namespace heatcalc
