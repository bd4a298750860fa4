#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "common/number.h"
#include "model_support.h"
#include "plate/fo.h"
#include "plate/plate_tables.h"

using heatcalc::CalculationFailure;
using heatcalc::ControlKind;
using heatcalc::FailureReason;
using heatcalc::Field;
using heatcalc::Fo;
using heatcalc::LocalTime;
namespace fo = heatcalc::fo;

namespace {

const Texts WorkFieldDesignTexts = {
    {fo::PrimaryChannelVelocity, "Text10"},
    {fo::SecondaryChannelVelocity, "Text11"},
    {fo::LogMeanDiff, "Text12"},
    {fo::PrimaryChannel, "Text14"},
    {fo::SecondaryChannel, "Text15"},
    {fo::UnequalPlateArea, "Text16"},
    {fo::ChannelsPerSide, "10"},
    {fo::PrimaryViscosityMean, "Text22"},
    {fo::SecondaryViscosityMean, "Text23"},
    {fo::PrimaryPrandtlMean, "Text24"},
    {fo::SecondaryPrandtlMean, "Text25"},
    {fo::PrimarySupplyViscosity, "Text28"},
    {fo::PrimaryReturnViscosity, "Text29"},
    {fo::SecondarySupplyViscosity, "Text30"},
    {fo::SecondaryReturnViscosity, "Text31"},
    {fo::PrimarySupplyPrandtl, "Text32"},
    {fo::PrimaryReturnPrandtl, "Text33"},
    {fo::SecondarySupplyPrandtl, "Text34"},
    {fo::SecondaryReturnPrandtl, "Text35"},
    {fo::PrimarySupplyLambda, "Text36"},
    {fo::PrimaryReturnLambda, "Text37"},
    {fo::SecondarySupplyLambda, "Text38"},
    {fo::SecondaryReturnLambda, "Text39"},
    {fo::PrimaryLambdaMean, "Text40"},
    {fo::SecondaryLambdaMean, "Text41"},
};

const heatcalc::Control& control(std::string_view key)
{
    for (const heatcalc::Control& c : Fo::designTable().controls)
        if (heatcalc::controlKey(c) == key)
            return c;
    throw std::invalid_argument(std::string(key));
}

std::size_t position(Field field)
{
    const auto& controls = Fo::designTable().controls;
    for (std::size_t i = 0; i < controls.size(); ++i)
        if (heatcalc::controlKey(controls[i]) == field.key())
            return i;
    throw std::invalid_argument(std::string(field.key()));
}

}  // namespace

// ---------------------------------------------------------------------------------------------
// The window

TEST(FoWindow, FreshWindowShowsDesignTexts)
{
    Fo f;
    expectTexts(f, {{fo::HeatedFloorArea, "1"},
                    {fo::PrimarySupplyTemp, "100"},
                    {fo::PrimaryReturnTemp, "60"},
                    {fo::SecondarySupplyTemp, "70"},
                    {fo::SecondaryReturnTemp, "50"},
                    {fo::HeatTransferCoefficient, "5000"},
                    {fo::AddedPlateCount, "0"},
                    {fo::EqualSectionPlate, "0.1"},
                    {fo::UnequalSectionPlate, "0.35"},
                    {fo::ClockLabel, "Label1"},
                    {fo::PlateDesignation, ""},
                    {fo::CheckReturnTemp, ""},
                    {fo::CheckSupplyTemp, ""}});
    for (Field output : {fo::HeatLoadMW, fo::PrimaryFlow, fo::SecondaryFlow, fo::PrimaryVelocity, fo::SecondaryVelocity,
                         fo::PrimaryPressureDrop, fo::SecondaryPressureDrop, fo::ExchangerArea, fo::AddedPlateArea,
                         fo::PlateCount, fo::VerifiedHeatFlow, fo::CorrectedKValue})
        EXPECT_EQ(f.text(output), "0") << output.key();
    expectTexts(f, WorkFieldDesignTexts);
    EXPECT_EQ(f.interval("Timer1"), 0);
}

TEST(FoWindow, HandlersByName)
{
    Fo f;
    for (const char* h : {"Form_Load", "Timer1_Timer", "Combo1_Click", "Combo2_Click", "Command1_Click",
                          "Command3_Click", "Command4_Click", "Command5_Click", "Command6_Click"})
        EXPECT_TRUE(f.hasHandler(h)) << h;
    // Printing belongs to the user interface.
    EXPECT_FALSE(f.hasHandler("Command2_Click"));
}

TEST(FoWindow, LoadStartsTheClockAndEachTickShowsTheTime)
{
    Fo f;
    LocalTime now{2026, 12, 7, 21, 25, 55, 1};
    f.setClock([&now] { return now; });
    ASSERT_TRUE(f.run("Form_Load"));
    EXPECT_EQ(f.interval("Timer1"), 1000);
    EXPECT_EQ(f.text(fo::ClockLabel), "Label1");  // until the first tick

    ASSERT_TRUE(f.run("Timer1_Timer"));
    EXPECT_EQ(f.text(fo::ClockLabel), "2026年12月7日 21:25:55 星期1");
    now = LocalTime{2027, 1, 1, 0, 0, 5, 5};
    f.Timer1_Timer();
    EXPECT_EQ(f.text(fo::ClockLabel), "2027年1月1日 0:00:05 星期5");
}

TEST(FoWindow, PickedPlateShowsItsDesignation)
{
    struct Pick {
        Field list;
        const char* item;
        const char* designation;
    };
    for (const Pick& p : {Pick{fo::EqualSectionPlate, "0.1", "BR0.1"},
                          {fo::EqualSectionPlate, "0.25", "BR0.25"},
                          {fo::EqualSectionPlate, "0.5", "BR0.5"},
                          {fo::EqualSectionPlate, "0.85", "BR0.85"},
                          {fo::EqualSectionPlate, "1.1", "BR1.1"},
                          {fo::EqualSectionPlate, "1.4", "BR1.4"},
                          {fo::EqualSectionPlate, "1.7", "BR1.7"},
                          {fo::UnequalSectionPlate, "0.35", "BBR0.35"},
                          {fo::UnequalSectionPlate, "0.5", "BBR0.5"},
                          {fo::UnequalSectionPlate, "0.52", "BBR0.52"},
                          {fo::UnequalSectionPlate, "0.85", "BBR0.85"},
                          {fo::UnequalSectionPlate, "1.2", "BBR1.2"},
                          {fo::EqualSectionPlate, "0.50", "BR0.5"},
                          {fo::UnequalSectionPlate, " 1.20 ", "BBR1.2"}}) {
        Fo f;
        f.setText(p.list, p.item);
        ASSERT_TRUE(f.run(std::string(p.list.key()) + "_Click"));
        EXPECT_EQ(f.text(fo::PlateDesignation), p.designation) << p.list.key() << " " << p.item;
    }
}

TEST(FoWindow, DesignationIsTheLastPick)
{
    Fo f;
    f.setText(fo::EqualSectionPlate, "0.85");
    f.Combo1_Click();
    EXPECT_EQ(f.text(fo::PlateDesignation), "BR0.85");
    f.setText(fo::UnequalSectionPlate, "0.85");
    f.Combo2_Click();
    EXPECT_EQ(f.text(fo::PlateDesignation), "BBR0.85");
    f.setText(fo::EqualSectionPlate, "0.1");
    f.Combo1_Click();
    EXPECT_EQ(f.text(fo::PlateDesignation), "BR0.1");
    // A key of no row, in either list, leaves the designation.
    f.setText(fo::EqualSectionPlate, "0.3");
    f.Combo1_Click();
    f.setText(fo::UnequalSectionPlate, "0.1");
    f.Combo2_Click();
    EXPECT_EQ(f.text(fo::PlateDesignation), "BR0.1");
    // A list text that is no number stops at the first test.
    f.setText(fo::UnequalSectionPlate, "");
    expectFailure(f, &Fo::Combo2_Click, fo::UnequalSectionPlate, FailureReason::NotANumber);
    EXPECT_EQ(f.text(fo::PlateDesignation), "BR0.1");
}

TEST(FoWindow, ControlTable)
{
    const heatcalc::FormDesign& d = Fo::designTable();
    EXPECT_EQ(d.caption, "Velmora自动化设备有限公司");
    EXPECT_EQ(d.clientWidth, 5715);
    EXPECT_EQ(d.clientHeight, 8460);
    EXPECT_EQ(d.icon, "exchanger");
    EXPECT_FALSE(d.frameRelative);

    // Work fields lie right of the client area and name the handler that first fills them.
    for (const auto& [field, text] : WorkFieldDesignTexts) {
        const heatcalc::Control& c = control(field.key());
        EXPECT_TRUE(c.workField) << field.key();
        EXPECT_GE(c.left, 5880) << field.key();
        EXPECT_FALSE(c.filledBy.empty()) << field.key();
        EXPECT_EQ(c.text, text);
    }
    using Handlers = std::vector<std::string_view>;
    EXPECT_EQ(control(fo::LogMeanDiff.key()).filledBy, Handlers{"Command1_Click"});
    EXPECT_EQ(control(fo::SecondaryReturnViscosity.key()).filledBy, Handlers{"Command1_Click"});
    EXPECT_EQ(control(fo::PrimaryChannel.key()).filledBy, (Handlers{"Command3_Click", "Command4_Click"}));
    EXPECT_EQ(control(fo::UnequalPlateArea.key()).filledBy, Handlers{"Command4_Click"});

    // Every other field lies inside the client area and has a caption label of the window.
    for (const heatcalc::Control& c : d.controls) {
        if ((c.kind == ControlKind::TextBox || c.kind == ControlKind::ComboBox) && !c.workField) {
            EXPECT_LT(c.left, d.clientWidth) << c.name;
            EXPECT_FALSE(c.captionLabel.empty()) << c.name;
            control(c.captionLabel);  // names a control of the window
        }
    }

    // The check temperatures are drawn over the temperatures they check.
    EXPECT_GT(position(fo::CheckReturnTemp), position(fo::PrimaryReturnTemp));
    EXPECT_GT(position(fo::CheckSupplyTemp), position(fo::SecondarySupplyTemp));
    EXPECT_EQ(control(fo::CheckReturnTemp.key()).parent, "Frame1");

    EXPECT_EQ(control("Command1").text, "换热面积计算");
    EXPECT_EQ(control("Command2").text, " 界面打印");
    EXPECT_EQ(control("Command4").text, "不截界面流速");
    for (const char* twoLines : {"Label47", "Label2", "Label29", "Label9", "Label34"})
        EXPECT_TRUE(control(twoLines).wordWrap) << twoLines;
    EXPECT_EQ(control("Timer1").kind, ControlKind::Timer);
}

// ---------------------------------------------------------------------------------------------
// Plate series

namespace {

// The constants of one side of a plate: equivalent diameter, Nusselt factor and Reynolds exponent,
// pressure-drop factor and exponent.
struct Side {
    double de, c, n, a, b;
};

struct Plate {
    const char* item;
    double area;
    const char* designation;
    double primaryChannel, secondaryChannel;
    Side primary, secondary;
};

void expectPlate(const heatcalc::plate::PlateModel& got, const Plate& want)
{
    const std::string row = want.designation;
    EXPECT_EQ(got.listItem, want.item) << row;
    EXPECT_EQ(got.area, want.area) << row;
    EXPECT_EQ(got.designation, want.designation) << row;
    EXPECT_EQ(got.primaryChannel, want.primaryChannel) << row;
    EXPECT_EQ(got.secondaryChannel, want.secondaryChannel) << row;
    for (auto [side, g, w] :
         {std::tuple{"primary", got.primary, want.primary}, {"secondary", got.secondary, want.secondary}}) {
        EXPECT_EQ(g.de, w.de) << row << " " << side << " de";
        EXPECT_EQ(g.c, w.c) << row << " " << side << " C";
        EXPECT_EQ(g.n, w.n) << row << " " << side << " n";
        EXPECT_EQ(g.a, w.a) << row << " " << side << " A";
        EXPECT_EQ(g.b, w.b) << row << " " << side << " b";
    }
}

}  // namespace

TEST(FoPlateSeries, EveryValueOfEveryPlate)
{
    // Equal-section plates: one channel and one heat-transfer correlation for both sides, a
    // pressure-drop correlation for each.
    // clang-format off
    const std::vector<Plate> equal = {
        {"0.1", 0.1, "BR0.1", 0.00092, 0.00092, {0.008, 0.46, 0.59, 5248, 0.41}, {0.008, 0.46, 0.59, 5248, 0.41}},
        {"0.25", 0.25, "BR0.25", 0.001089, 0.001089, {0.00656, 0.0998, 0.7596, 372, 0.185}, {0.00656, 0.0998, 0.7596, 1460, 0.3325}},
        {"0.5", 0.5, "BR0.5", 0.00156, 0.00156, {0.00695, 0.1653, 0.7232, 566, 0.185}, {0.00695, 0.1653, 0.7232, 2203, 0.3325}},
        {"0.85", 0.85, "BR0.85", 0.001943, 0.001943, {0.007, 0.0986, 0.7625, 502, 0.2008}, {0.007, 0.0986, 0.7625, 502, 0.2008}},
        {"1.1", 1.1, "BR1.1", 0.00328, 0.00328, {0.0072, 0.1499, 0.7208, 1925, 0.2177}, {0.0072, 0.1499, 0.7208, 1537, 0.2023}},
        {"1.4", 1.4, "BR1.4", 0.00328, 0.00328, {0.0072, 0.1499, 0.7208, 2085, 0.2177}, {0.0072, 0.1499, 0.7208, 1659, 0.2063}},
        {"1.7", 1.7, "BR1.7", 0.00328, 0.00328, {0.0072, 0.1499, 0.7208, 2252, 0.2202}, {0.0072, 0.1499, 0.7208, 1924, 0.2155}},
    };
    // clang-format on
    // Unequal-section plates: the narrower channel on the primary side.
    // clang-format off
    const std::vector<Plate> unequal = {
        {"0.35", 0.35, "BBR0.35", 0.001307, 0.002088, {0.006, 0.1834, 0.6779, 544, 0.2708}, {0.00959, 0.1708, 0.6779, 1183, 0.3298}},
        {"0.5", 0.5, "BBR0.5", 0.001307, 0.002088, {0.006, 0.1834, 0.6779, 594, 0.2702}, {0.00959, 0.1708, 0.6779, 1296, 0.3295}},
        {"0.52", 0.52, "BBR0.52", 0.001366, 0.002733, {0.00493, 0.1864, 0.6779, 564, 0.2708}, {0.00987, 0.171, 0.7422, 1203, 0.3298}},
        {"0.85", 0.85, "BBR0.85", 0.001366, 0.002733, {0.00493, 0.0725, 0.7863, 481, 0.1754}, {0.00987, 0.1913, 0.6975, 666, 0.251}},
        {"1.2", 1.2, "BBR1.2", 0.001307, 0.002088, {0.006, 0.072, 0.7832, 478, 0.1743}, {0.00959, 0.1899, 0.6955, 653, 0.263}},
    };
    // clang-format on
    using heatcalc::plate::EqualSectionPlateTable;
    using heatcalc::plate::UnequalSectionPlateTable;
    ASSERT_EQ(EqualSectionPlateTable.size(), equal.size());
    ASSERT_EQ(UnequalSectionPlateTable.size(), unequal.size());
    for (std::size_t i = 0; i < equal.size(); ++i)
        expectPlate(EqualSectionPlateTable[i], equal[i]);
    for (std::size_t i = 0; i < unequal.size(); ++i)
        expectPlate(UnequalSectionPlateTable[i], unequal[i]);
    EXPECT_EQ(heatcalc::plate::PrimaryPrandtlExponent, 0.3);
    EXPECT_EQ(heatcalc::plate::SecondaryPrandtlExponent, 0.4);
}

// ---------------------------------------------------------------------------------------------
// Area step

struct AreaCase {
    const char* name;
    Texts inputs;
    Texts expected;
};

TEST(FoArea, Results)
{
    const std::vector<AreaCase> cases = {
        {"defaults",
         {},
         {{fo::HeatLoadMW, "0.8141"},
          {fo::PrimaryFlow, "17.5"},
          {fo::SecondaryFlow, "35.0"},
          {fo::LogMeanDiff, "18.2047845325367"},
          {fo::ExchangerArea, "11.1797533025589"}}},
        {"equal end differences",
         {{fo::PrimaryReturnTemp, "80"}},
         {{fo::PrimaryFlow, "35.0"},
          {fo::SecondaryFlow, "35.0"},
          {fo::LogMeanDiff, "30"},
          {fo::ExchangerArea, "6.78416666666667"}}},
        {"b > a",
         {{fo::SecondarySupplyTemp, "90"}, {fo::SecondaryReturnTemp, "40"}},
         {{fo::PrimaryFlow, "17.5"},
          {fo::SecondaryFlow, "14.0"},
          {fo::LogMeanDiff, "14.4269504088896"},
          {fo::ExchangerArea, "14.1072779923463"}}},
        {"decimal inputs",
         {{fo::HeatedFloorArea, "2.5"},
          {fo::PrimarySupplyTemp, "95"},
          {fo::PrimaryReturnTemp, "65"},
          {fo::SecondarySupplyTemp, "75"},
          {fo::SecondaryReturnTemp, "55"},
          {fo::HeatTransferCoefficient, "4000"}},
         {{fo::HeatLoadMW, "2.03525"},
          {fo::PrimaryFlow, "58.3"},
          {fo::SecondaryFlow, "87.5"},
          {fo::LogMeanDiff, "14.4269504088896"},
          {fo::ExchangerArea, "44.0852437260823"}}},
        {"no floor area",
         {{fo::HeatedFloorArea, "0"}},
         {{fo::HeatLoadMW, "0"},
          {fo::PrimaryFlow, "0.0"},
          {fo::SecondaryFlow, "0.0"},
          {fo::LogMeanDiff, "18.2047845325367"},
          {fo::ExchangerArea, "0"}}},
        {"both end differences negative",
         {{fo::PrimarySupplyTemp, "60"}, {fo::PrimaryReturnTemp, "20"}},
         {{fo::PrimaryFlow, "17.5"},
          {fo::SecondaryFlow, "35.0"},
          {fo::LogMeanDiff, "-18.2047845325367"},
          {fo::ExchangerArea, "-11.1797533025589"}}},
    };
    for (const AreaCase& c : cases) {
        Fo f;
        set(f, c.inputs);
        f.Command1_Click();
        expectTexts(f, c.expected, c.name);
        f.Command1_Click();  // a second press writes the same texts
        expectTexts(f, c.expected, c.name);
    }
}

struct AreaFailure {
    const char* name;
    Texts inputs;
    Field field;
    FailureReason reason;
    Texts after;  // every field the press leaves; the water properties keep their design texts
};

TEST(FoArea, FailureStopsAtItsStatement)
{
    const std::vector<AreaFailure> cases = {
        {"no floor area",
         {{fo::HeatedFloorArea, ""}},
         fo::HeatedFloorArea,
         FailureReason::NotANumber,
         {{fo::HeatLoadMW, "0"}, {fo::PrimaryFlow, "0"}, {fo::LogMeanDiff, "Text12"}}},
        {"primary temperatures equal",
         {{fo::PrimaryReturnTemp, "100"}},
         fo::PrimaryFlow,
         FailureReason::DivisionByZero,
         {{fo::HeatLoadMW, "0.8141"}, {fo::PrimaryFlow, "0"}, {fo::SecondaryFlow, "0"}, {fo::LogMeanDiff, "Text12"}}},
        {"secondary return not a number",
         {{fo::SecondaryReturnTemp, "5O"}},
         fo::SecondaryReturnTemp,
         FailureReason::NotANumber,
         {{fo::HeatLoadMW, "0.8141"}, {fo::PrimaryFlow, "17.5"}, {fo::SecondaryFlow, "0"}}},
        {"primary supply beyond the range of a number",
         {{fo::PrimarySupplyTemp, "1e999"}},
         fo::PrimarySupplyTemp,
         FailureReason::NumberOutOfRange,
         {{fo::HeatLoadMW, "0.8141"}, {fo::PrimaryFlow, "0"}, {fo::SecondaryFlow, "0"}}},
        {"primary temperatures swapped",
         {{fo::PrimarySupplyTemp, "60"}, {fo::PrimaryReturnTemp, "100"}},
         fo::LogMeanDiff,
         FailureReason::LogOfNonPositive,
         {{fo::HeatLoadMW, "0.8141"},
          {fo::PrimaryFlow, "-17.5"},
          {fo::SecondaryFlow, "35.0"},
          {fo::LogMeanDiff, "Text12"},
          {fo::ExchangerArea, "0"}}},
        {"zero end difference",
         {{fo::SecondarySupplyTemp, "100"}, {fo::SecondaryReturnTemp, "40"}},
         fo::LogMeanDiff,
         FailureReason::DivisionByZero,
         {{fo::SecondaryFlow, "11.7"}, {fo::LogMeanDiff, "Text12"}}},
        {"no K",
         {{fo::HeatTransferCoefficient, "0"}},
         fo::ExchangerArea,
         FailureReason::DivisionByZero,
         {{fo::SecondaryFlow, "35.0"}, {fo::LogMeanDiff, "18.2047845325367"}, {fo::ExchangerArea, "0"}}},
    };
    for (const AreaFailure& c : cases) {
        Fo f;
        set(f, c.inputs);
        expectFailure(f, &Fo::Command1_Click, c.field, c.reason);
        expectTexts(f, c.after, c.name);
        for (Field property : {fo::PrimarySupplyViscosity, fo::SecondaryReturnViscosity, fo::SecondaryReturnPrandtl,
                               fo::SecondaryReturnLambda})
            EXPECT_EQ(f.text(property), property.key()) << c.name;
    }
}

TEST(FoArea, FailingPressKeepsTheEarlierResults)
{
    Fo f;
    f.Command1_Click();
    f.setText(fo::HeatTransferCoefficient, "0");
    EXPECT_THROW(f.Command1_Click(), CalculationFailure);
    expectTexts(f, {{fo::ExchangerArea, "11.1797533025589"},
                    {fo::PrimarySupplyViscosity, "2.94E-07"},
                    {fo::SecondaryReturnLambda, "0.647"}});
}

// ---------------------------------------------------------------------------------------------
// Water property table

namespace {

struct Row {
    double t;
    const char* viscosity;
    const char* prandtl;
    const char* lambda;
};

// The table as the work fields show it.
const std::vector<Row> Table = {
    {5, "1.535E-06", "11.4", "0.568"},  {10, "1.3E-06", "9.5", "0.577"},    {15, "1.146E-06", "8.1", "0.587"},
    {20, "1.006E-06", "7", "0.597"},    {25, "8.84E-07", "6.1", "0.606"},   {30, "8.05E-07", "5.4", "0.615"},
    {35, "7.25E-07", "4.8", "0.624"},   {40, "6.58E-07", "4.3", "0.633"},   {45, "6.11E-07", "3.9", "0.64"},
    {50, "5.56E-07", "3.55", "0.647"},  {55, "5.17E-07", "3.27", "0.652"},  {60, "4.78E-07", "3", "0.658"},
    {65, "4.44E-07", "2.76", "0.663"},  {70, "4.15E-07", "2.55", "0.668"},  {75, "3.66E-07", "2.23", "0.671"},
    {80, "3.64E-07", "2.25", "0.673"},  {85, "3.39E-07", "2.04", "0.676"},  {90, "3.26E-07", "1.95", "0.678"},
    {95, "3.1E-07", "1.84", "0.68"},    {100, "2.94E-07", "1.75", "0.682"}, {110, "2.68E-07", "1.57", "0.684"},
    {120, "2.44E-07", "1.43", "0.685"}, {130, "2.26E-07", "1.32", "0.686"},
};

struct Chain {
    Field temperature;
    Field viscosity;
    Field prandtl;
    Field lambda;
    double offset;  // the temperatures are set s + 4, s + 3, s + 1, s: end differences of 3, both
    double lastViscosity;
    double lastOther;
};

const std::vector<Chain> Chains = {
    {fo::PrimarySupplyTemp, fo::PrimarySupplyViscosity, fo::PrimarySupplyPrandtl, fo::PrimarySupplyLambda, 4, 130, 130},
    {fo::PrimaryReturnTemp, fo::PrimaryReturnViscosity, fo::PrimaryReturnPrandtl, fo::PrimaryReturnLambda, 3, 100, 100},
    {fo::SecondarySupplyTemp, fo::SecondarySupplyViscosity, fo::SecondarySupplyPrandtl, fo::SecondarySupplyLambda, 1,
     100, 100},
    {fo::SecondaryReturnTemp, fo::SecondaryReturnViscosity, fo::SecondaryReturnPrandtl, fo::SecondaryReturnLambda, 0,
     95, 100},
};

// The texts a temperature T gives: the row with the greatest threshold not above T, up to `last`.
const Row* rowFor(double temperature, double last)
{
    const Row* found = nullptr;
    for (const Row& r : Table)
        if (r.t <= last && temperature >= r.t)
            found = &r;
    return found;
}

// An area press with `chain`'s temperature at T and the other three placed so that the press
// succeeds; then the chain's three fields hold the row for T, or their design texts below 5.
void expectRowAt(const Chain& chain, double temperature)
{
    Fo f;
    const double s = temperature - chain.offset;
    f.setText(fo::PrimarySupplyTemp, heatcalc::FormatNumber(s + 4));
    f.setText(fo::PrimaryReturnTemp, heatcalc::FormatNumber(s + 3));
    f.setText(fo::SecondarySupplyTemp, heatcalc::FormatNumber(s + 1));
    f.setText(fo::SecondaryReturnTemp, heatcalc::FormatNumber(s));
    f.Command1_Click();
    ASSERT_EQ(f.text(fo::LogMeanDiff), "3");

    const Row* v = rowFor(temperature, chain.lastViscosity);
    const Row* other = rowFor(temperature, chain.lastOther);
    const std::string context = std::string(chain.temperature.key()) + " = " + heatcalc::FormatNumber(temperature);
    EXPECT_EQ(f.text(chain.temperature), heatcalc::FormatNumber(temperature));
    EXPECT_EQ(f.text(chain.viscosity), v ? v->viscosity : chain.viscosity.key()) << context;
    EXPECT_EQ(f.text(chain.prandtl), other ? other->prandtl : chain.prandtl.key()) << context;
    EXPECT_EQ(f.text(chain.lambda), other ? other->lambda : chain.lambda.key()) << context;
}

}  // namespace

TEST(FoWaterTable, EveryThresholdOfEveryChain)
{
    for (const Chain& chain : Chains) {
        for (const Row& r : Table) {
            ASSERT_NO_FATAL_FAILURE(expectRowAt(chain, r.t));        // on the threshold: that row
            ASSERT_NO_FATAL_FAILURE(expectRowAt(chain, r.t + 2.5));  // between: the lower row
            ASSERT_NO_FATAL_FAILURE(expectRowAt(chain, r.t - 0.5));  // just below: the row before
        }
        ASSERT_NO_FATAL_FAILURE(expectRowAt(chain, 150));  // above the last row
        ASSERT_NO_FATAL_FAILURE(expectRowAt(chain, 4));    // below 5: nothing written
    }
}

TEST(FoWaterTable, DesignTemperatures)
{
    Fo f;
    f.Command1_Click();
    expectTexts(f, {{fo::PrimarySupplyViscosity, "2.94E-07"},
                    {fo::PrimarySupplyPrandtl, "1.75"},
                    {fo::PrimarySupplyLambda, "0.682"},
                    {fo::PrimaryReturnViscosity, "4.78E-07"},
                    {fo::PrimaryReturnPrandtl, "3"},
                    {fo::PrimaryReturnLambda, "0.658"},
                    {fo::SecondarySupplyViscosity, "4.15E-07"},
                    {fo::SecondarySupplyPrandtl, "2.55"},
                    {fo::SecondarySupplyLambda, "0.668"},
                    {fo::SecondaryReturnViscosity, "5.56E-07"},
                    {fo::SecondaryReturnPrandtl, "3.55"},
                    {fo::SecondaryReturnLambda, "0.647"}});
}

TEST(FoWaterTable, SingleTemperatureChanges)
{
    struct Case {
        Texts inputs;
        Texts expected;
    };
    const std::vector<Case> cases = {
        // On a threshold: the 75 row, whose Prandtl number lies below the 80 row's.
        {{{fo::PrimaryReturnTemp, "75"}},
         {{fo::PrimaryReturnViscosity, "3.66E-07"},
          {fo::PrimaryReturnPrandtl, "2.23"},
          {fo::PrimaryReturnLambda, "0.671"}}},
        {{{fo::SecondarySupplyTemp, "72.5"}},
         {{fo::SecondarySupplyViscosity, "4.15E-07"},
          {fo::SecondarySupplyPrandtl, "2.55"},
          {fo::SecondarySupplyLambda, "0.668"}}},
        {{{fo::PrimarySupplyTemp, "105"}},
         {{fo::PrimarySupplyViscosity, "2.94E-07"},
          {fo::PrimarySupplyPrandtl, "1.75"},
          {fo::PrimarySupplyLambda, "0.682"}}},
        {{{fo::PrimarySupplyTemp, "150"}},
         {{fo::PrimarySupplyViscosity, "2.26E-07"},
          {fo::PrimarySupplyPrandtl, "1.32"},
          {fo::PrimarySupplyLambda, "0.686"}}},
        // Below 5: the three fields of the secondary return keep their texts, the others are written.
        {{{fo::SecondaryReturnTemp, "4"}},
         {{fo::SecondaryReturnViscosity, "Text31"},
          {fo::SecondaryReturnPrandtl, "Text35"},
          {fo::SecondaryReturnLambda, "Text39"},
          {fo::SecondarySupplyViscosity, "4.15E-07"},
          {fo::SecondarySupplyPrandtl, "2.55"},
          {fo::SecondarySupplyLambda, "0.668"}}},
    };
    for (const Case& c : cases) {
        Fo f;
        set(f, c.inputs);
        f.Command1_Click();
        expectTexts(f, c.expected, c.inputs.front().second);
    }
}

TEST(FoWaterTable, HotWater)
{
    Fo f;
    set(f, {{fo::PrimarySupplyTemp, "130"},
            {fo::PrimaryReturnTemp, "110"},
            {fo::SecondarySupplyTemp, "120"},
            {fo::SecondaryReturnTemp, "100"}});
    f.Command1_Click();
    expectTexts(f, {{fo::LogMeanDiff, "10"},
                    {fo::PrimarySupplyViscosity, "2.26E-07"},
                    {fo::PrimarySupplyPrandtl, "1.32"},
                    {fo::PrimarySupplyLambda, "0.686"},
                    {fo::PrimaryReturnViscosity, "2.94E-07"},
                    {fo::PrimaryReturnPrandtl, "1.75"},
                    {fo::PrimaryReturnLambda, "0.682"},
                    {fo::SecondarySupplyViscosity, "2.94E-07"},
                    {fo::SecondarySupplyPrandtl, "1.75"},
                    {fo::SecondarySupplyLambda, "0.682"},
                    // The secondary return's viscosity stops at the 95 row, its other chains at 100.
                    {fo::SecondaryReturnViscosity, "3.1E-07"},
                    {fo::SecondaryReturnPrandtl, "1.75"},
                    {fo::SecondaryReturnLambda, "0.682"}});
}

TEST(FoWaterTable, BelowTheTableKeepsAnEarlierPress)
{
    Fo f;
    f.Command1_Click();
    f.setText(fo::SecondaryReturnTemp, "4");
    f.Command1_Click();
    expectTexts(f, {{fo::SecondaryReturnViscosity, "5.56E-07"},
                    {fo::SecondaryReturnPrandtl, "3.55"},
                    {fo::SecondaryReturnLambda, "0.647"},
                    {fo::SecondaryFlow, "10.6"}});
}
