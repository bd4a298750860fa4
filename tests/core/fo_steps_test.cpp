#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "model_support.h"
#include "plate/fo.h"

using heatcalc::CalculationFailure;
using heatcalc::FailureReason;
using heatcalc::Field;
using heatcalc::Fo;
namespace fo = heatcalc::fo;

namespace {

// The window after the area step with its design texts; a failure when the step gave another area.
[[nodiscard]] testing::AssertionResult areaStep(Fo& f)
{
    f.Command1_Click();
    const std::string area = f.text(fo::ExchangerArea);
    if (area != "11.1797533025589")
        return testing::AssertionFailure() << "the area step gave Text13 = " << area;
    return testing::AssertionSuccess();
}

// The means are the same for every plate: they come from the design temperatures alone. The
// viscosity means differ from the plain means 3.86E-07 and 4.855E-07.
const Texts DesignMeans = {{fo::PrimaryViscosityMean, "3.8599999996336E-07"},
                           {fo::SecondaryViscosityMean, "4.85499999980377E-07"},
                           {fo::PrimaryPrandtlMean, "2.375"},
                           {fo::SecondaryPrandtlMean, "3.05"},
                           {fo::PrimaryLambdaMean, "0.67"},
                           {fo::SecondaryLambdaMean, "0.6575"}};

}  // namespace

// ---------------------------------------------------------------------------------------------
// Velocity step

struct VelocityRow {
    const char* key;
    const char* channel1;
    const char* channel2;
    const char* plateArea;  // Text16, unequal-section series only
    const char* channels;
    const char* plates;
    const char* v1;
    const char* v2;
    const char* shown1;
    const char* shown2;
};

TEST(FoVelocity, EqualSectionRows)
{
    const std::vector<VelocityRow> rows = {
        {"0.1", "0.00092", "0.00092", "", "55.8987665127945", "111.797533025589", "0.0945247409692193",
         "0.189049481938439", "流速太低", "0.2"},
        {"0.25", "0.001089", "0.001089", "", "22.3595066051178", "44.7190132102356", "0.199639030513503",
         "0.399278061027005", "0.2", "0.4"},
        {"0.5", "0.00156", "0.00156", "", "11.1797533025589", "22.3595066051178", "0.278726800293852",
         "0.557453600587704", "0.3", "0.6"},
        {"0.85", "0.001943", "0.001943", "", "6.57632547209347", "13.1526509441869", "0.380434109304835",
         "0.760868218609671", "0.4", "0.8"},
        {"1.1", "0.00328", "0.00328", "", "5.08170604661768", "10.1634120932354", "0.291643408112348",
         "0.583286816224695", "0.3", "0.6"},
        {"1.4", "0.00328", "0.00328", "", "3.99276903662818", "7.98553807325636", "0.371182519415715",
         "0.74236503883143", "0.4", "0.7"},
        {"1.7", "0.00328", "0.00328", "", "3.28816273604674", "6.57632547209347", "0.450721630719082",
         "0.901443261438164", "0.5", "0.9"},
    };
    for (const VelocityRow& r : rows) {
        Fo f;
        ASSERT_TRUE(areaStep(f));
        f.setText(fo::EqualSectionPlate, r.key);
        ASSERT_TRUE(f.run("Command3_Click"));
        expectTexts(f,
                    {{fo::PrimaryChannel, r.channel1},
                     {fo::SecondaryChannel, r.channel2},
                     {fo::ChannelsPerSide, r.channels},
                     {fo::PlateCount, r.plates},
                     {fo::PrimaryChannelVelocity, r.v1},
                     {fo::SecondaryChannelVelocity, r.v2},
                     {fo::PrimaryVelocity, r.shown1},
                     {fo::SecondaryVelocity, r.shown2},
                     {fo::AddedPlateArea, "0"},
                     {fo::ExchangerArea, "11.1797533025589"},
                     {fo::UnequalPlateArea, "Text16"}},
                    r.key);
        expectTexts(f, DesignMeans, r.key);
    }
}

TEST(FoVelocity, UnequalSectionRows)
{
    const std::vector<VelocityRow> rows = {
        {"0.35", "0.001307", "0.002088", "0.35", "15.9710761465127", "31.9421522930254", "0.2328765615309",
         "0.291541825594719", "0.2", "0.3"},
        {"0.5", "0.001307", "0.002088", "0.5", "11.1797533025589", "22.3595066051178", "0.332680802187",
         "0.41648832227817", "0.3", "0.4"},
        {"0.52", "0.001366", "0.002733", "0.52", "10.749762790922", "21.499525581844", "0.331044187991761",
         "0.330923059492679", "0.3", "0.3"},
        {"0.85", "0.001366", "0.002733", "0.85", "6.57632547209347", "13.1526509441869", "0.54112992267884",
         "0.540931924170725", "0.5", "0.5"},
        {"1.2", "0.001307", "0.002088", "1.2", "4.65823054273288", "9.31646108546575", "0.798433925248799",
         "0.999571973467606", "0.8", "1.0"},
        // Text16 takes the row's own area, not the list's text.
        {"0.350", "0.001307", "0.002088", "0.35", "15.9710761465127", "31.9421522930254", "0.2328765615309",
         "0.291541825594719", "0.2", "0.3"},
    };
    for (const VelocityRow& r : rows) {
        Fo f;
        ASSERT_TRUE(areaStep(f));
        f.setText(fo::UnequalSectionPlate, r.key);
        ASSERT_TRUE(f.run("Command4_Click"));
        expectTexts(f,
                    {{fo::PrimaryChannel, r.channel1},
                     {fo::SecondaryChannel, r.channel2},
                     {fo::UnequalPlateArea, r.plateArea},
                     {fo::ChannelsPerSide, r.channels},
                     {fo::PlateCount, r.plates},
                     {fo::PrimaryChannelVelocity, r.v1},
                     {fo::SecondaryChannelVelocity, r.v2},
                     {fo::PrimaryVelocity, r.shown1},
                     {fo::SecondaryVelocity, r.shown2},
                     {fo::AddedPlateArea, "0"},
                     {fo::ExchangerArea, "11.1797533025589"}},
                    r.key);
        expectTexts(f, DesignMeans, r.key);
    }
}

TEST(FoVelocity, EqualViscositiesDoNotGiveTheirOwnValue)
{
    Fo f;
    ASSERT_TRUE(areaStep(f));
    f.setText(fo::SecondarySupplyViscosity, "1.535E-06");
    f.setText(fo::SecondaryReturnViscosity, "1.535E-06");
    f.Command3_Click();
    EXPECT_EQ(f.text(fo::SecondaryViscosityMean), "1.53499999999696E-06");
}

TEST(FoVelocity, AddedPlates)
{
    Fo f;
    ASSERT_TRUE(areaStep(f));
    set(f, {{fo::AddedPlateCount, "2"}, {fo::EqualSectionPlate, "0.5"}});
    f.Command3_Click();
    expectTexts(f, {{fo::ChannelsPerSide, "12.1797533025589"},
                    {fo::PlateCount, "24.3595066051178"},
                    {fo::AddedPlateArea, "1"},
                    {fo::ExchangerArea, "11.1797533025589"},
                    {fo::PrimaryChannelVelocity, "0.25584236303392"},
                    {fo::SecondaryChannelVelocity, "0.511684726067841"},
                    {fo::PrimaryVelocity, "0.3"},
                    {fo::SecondaryVelocity, "0.5"}});
}

TEST(FoVelocity, PlateCountUsesTheAreaBeforeItIsRewritten)
{
    Fo f;
    ASSERT_TRUE(areaStep(f));
    set(f, {{fo::HeatedFloorArea, "2"}, {fo::EqualSectionPlate, "0.5"}});
    f.Command3_Click();
    expectTexts(f, {{fo::ChannelsPerSide, "11.1797533025589"},
                    {fo::PlateCount, "22.3595066051178"},
                    {fo::ExchangerArea, "22.3595066051178"},
                    {fo::PrimaryChannelVelocity, "0.278726800293852"},
                    {fo::PrimaryVelocity, "0.3"},
                    {fo::SecondaryVelocity, "0.6"}});
    f.Command3_Click();  // the second press catches up; the flows are still the earlier ones
    expectTexts(f, {{fo::ChannelsPerSide, "22.3595066051178"},
                    {fo::PlateCount, "44.7190132102356"},
                    {fo::ExchangerArea, "22.3595066051178"},
                    {fo::PrimaryChannelVelocity, "0.139363400146926"},
                    {fo::SecondaryChannelVelocity, "0.278726800293852"},
                    {fo::PrimaryVelocity, "0.1"},
                    {fo::SecondaryVelocity, "0.3"}});
}

TEST(FoVelocity, KeyMatchesByValue)
{
    Fo a;
    ASSERT_TRUE(areaStep(a));
    a.setText(fo::EqualSectionPlate, "0.5");
    a.Command3_Click();
    Fo b;
    ASSERT_TRUE(areaStep(b));
    b.setText(fo::EqualSectionPlate, "0.50");
    b.Command3_Click();
    for (Field field :
         {fo::PrimaryChannel, fo::SecondaryChannel, fo::ChannelsPerSide, fo::PlateCount, fo::PrimaryChannelVelocity,
          fo::SecondaryChannelVelocity, fo::PrimaryVelocity, fo::SecondaryVelocity})
        EXPECT_EQ(b.text(field), a.text(field)) << field.key();
}

TEST(FoVelocity, UnmatchedKeyKeepsTheChannelsAndGoesOn)
{
    Fo f;
    ASSERT_TRUE(areaStep(f));
    f.setText(fo::EqualSectionPlate, "0.5");
    f.Command3_Click();
    f.setText(fo::EqualSectionPlate, "0.3");
    f.Command3_Click();
    expectTexts(f, {{fo::PrimaryChannel, "0.00156"},
                    {fo::SecondaryChannel, "0.00156"},
                    {fo::ChannelsPerSide, "18.6329221709315"},
                    {fo::PlateCount, "37.265844341863"},
                    {fo::AddedPlateArea, "0"},
                    {fo::PrimaryChannelVelocity, "0.167236080176311"},
                    {fo::SecondaryChannelVelocity, "0.334472160352622"},
                    {fo::PrimaryVelocity, "0.2"},
                    {fo::SecondaryVelocity, "0.3"}});

    // The unequal-section series keeps the plate area of its last matched row too.
    Fo g;
    ASSERT_TRUE(areaStep(g));
    g.setText(fo::UnequalSectionPlate, "0.52");
    g.Command4_Click();
    std::vector<std::string> before;
    const std::vector<Field> written = {fo::PrimaryChannel,
                                        fo::SecondaryChannel,
                                        fo::UnequalPlateArea,
                                        fo::ChannelsPerSide,
                                        fo::PlateCount,
                                        fo::AddedPlateArea,
                                        fo::ExchangerArea,
                                        fo::PrimaryChannelVelocity,
                                        fo::SecondaryChannelVelocity,
                                        fo::PrimaryVelocity,
                                        fo::SecondaryVelocity,
                                        fo::PrimaryViscosityMean,
                                        fo::SecondaryViscosityMean};
    for (Field field : written)
        before.push_back(g.text(field));
    g.setText(fo::UnequalSectionPlate, "0.4");
    g.Command4_Click();
    for (std::size_t i = 0; i < written.size(); ++i)
        EXPECT_EQ(g.text(written[i]), before[i]) << written[i].key();
}

TEST(FoVelocity, ExactlyAtTheThresholdTheShownVelocityStays)
{
    Fo f;
    ASSERT_TRUE(areaStep(f));
    set(f, {{fo::EqualSectionPlate, "0.1"},
            {fo::ExchangerArea, "0.1"},
            {fo::AddedPlateCount, "1"},
            {fo::PrimaryFlow, "0.3312"},
            {fo::PrimaryVelocity, "0.3"}});
    f.Command3_Click();
    // 0.3312 / (1 x (0.00092 x 3600)) is 0.09999999999999999, written "0.1", read back as 0.1.
    expectTexts(f, {{fo::ChannelsPerSide, "1"},
                    {fo::PlateCount, "2"},
                    {fo::AddedPlateArea, "0.1"},
                    {fo::ExchangerArea, "11.1797533025589"},
                    {fo::PrimaryChannelVelocity, "0.1"},
                    {fo::PrimaryVelocity, "0.3"},
                    {fo::SecondaryChannelVelocity, "10.5676328502415"},
                    {fo::SecondaryVelocity, "10.6"}});
}

TEST(FoVelocity, SeriesButtonsUseTheirOwnList)
{
    Fo f;
    ASSERT_TRUE(areaStep(f));
    f.setText(fo::UnequalSectionPlate, "1.2");
    f.Combo2_Click();
    f.setText(fo::EqualSectionPlate, "0.25");  // typed, not picked: the designation stays
    f.Command3_Click();
    expectTexts(f, {{fo::PlateDesignation, "BBR1.2"},
                    {fo::PrimaryChannel, "0.001089"},
                    {fo::ChannelsPerSide, "22.3595066051178"}});
}

struct VelocityFailure {
    const char* name;
    void (Fo::*button)();
    bool areaFirst;
    Texts inputs;
    Field field;
    FailureReason reason;
    Texts after;
};

TEST(FoVelocity, FailureStopsAtItsStatement)
{
    const std::vector<VelocityFailure> cases = {
        {"equal series before the area step",
         &Fo::Command3_Click,
         false,
         {},
         fo::LogMeanDiff,
         FailureReason::NotANumber,
         {{fo::PrimaryChannel, "0.00092"},
          {fo::SecondaryChannel, "0.00092"},
          {fo::ChannelsPerSide, "0"},
          {fo::PlateCount, "0"},
          {fo::AddedPlateArea, "0"},
          {fo::ExchangerArea, "0"},
          {fo::PrimaryChannelVelocity, "Text10"},
          {fo::PrimaryVelocity, "0"},
          {fo::PrimaryViscosityMean, "Text22"}}},
        {"unequal series before the area step",
         &Fo::Command4_Click,
         false,
         {},
         fo::LogMeanDiff,
         FailureReason::NotANumber,
         {{fo::PrimaryChannel, "0.001307"},
          {fo::SecondaryChannel, "0.002088"},
          {fo::UnequalPlateArea, "0.35"},
          {fo::ChannelsPerSide, "0"},
          {fo::PlateCount, "0"},
          {fo::AddedPlateArea, "0"},
          {fo::ExchangerArea, "0"},
          {fo::PrimaryChannelVelocity, "Text10"}}},
        {"unequal series, no row ever matched",
         &Fo::Command4_Click,
         false,
         {{fo::UnequalSectionPlate, "0.4"}},
         fo::UnequalPlateArea,
         FailureReason::NotANumber,
         {{fo::PrimaryChannel, "Text14"},
          {fo::SecondaryChannel, "Text15"},
          {fo::UnequalPlateArea, "Text16"},
          {fo::ChannelsPerSide, "10"},
          {fo::PlateCount, "0"}}},
        {"zero plate area",
         &Fo::Command3_Click,
         true,
         {{fo::EqualSectionPlate, "0"}},
         fo::ChannelsPerSide,
         FailureReason::DivisionByZero,
         {{fo::PrimaryChannel, "Text14"},
          {fo::ChannelsPerSide, "10"},
          {fo::PlateCount, "0"},
          {fo::ExchangerArea, "11.1797533025589"}}},
        {"empty list",
         &Fo::Command3_Click,
         true,
         {{fo::EqualSectionPlate, ""}},
         fo::EqualSectionPlate,
         FailureReason::NotANumber,
         {{fo::PrimaryChannel, "Text14"}, {fo::ChannelsPerSide, "10"}, {fo::PlateCount, "0"}}},
        {"added plates not a number",
         &Fo::Command3_Click,
         true,
         {{fo::AddedPlateCount, "two"}},
         fo::AddedPlateCount,
         FailureReason::NotANumber,
         {{fo::PrimaryChannel, "0.00092"}, {fo::ChannelsPerSide, "10"}}},
        {"no channels",
         &Fo::Command3_Click,
         true,
         {{fo::EqualSectionPlate, "0.1"}, {fo::ExchangerArea, "0"}},
         fo::PrimaryChannelVelocity,
         FailureReason::DivisionByZero,
         {{fo::ChannelsPerSide, "0"},
          {fo::PlateCount, "0"},
          {fo::ExchangerArea, "11.1797533025589"},
          {fo::PrimaryChannelVelocity, "Text10"},
          {fo::PrimaryVelocity, "0"}}},
        {"secondary flow not a number",
         &Fo::Command3_Click,
         true,
         {{fo::SecondaryFlow, ""}},
         fo::SecondaryFlow,
         FailureReason::NotANumber,
         {{fo::PrimaryChannelVelocity, "0.0945247409692193"},
          {fo::SecondaryChannelVelocity, "Text11"},
          {fo::PrimaryVelocity, "0"}}},
        {"no channel data yet, unmatched key",
         &Fo::Command3_Click,
         true,
         {{fo::EqualSectionPlate, "0.3"}},
         fo::PrimaryChannel,
         FailureReason::NotANumber,
         {{fo::ChannelsPerSide, "18.6329221709315"}, {fo::ExchangerArea, "11.1797533025589"}}},
    };
    for (const VelocityFailure& c : cases) {
        Fo f;
        if (c.areaFirst) {
            ASSERT_TRUE(areaStep(f));
        }
        set(f, c.inputs);
        expectFailure(f, c.button, c.field, c.reason);
        expectTexts(f, c.after, c.name);
    }
}

TEST(FoVelocity, ReturnBelowTheTableStopsAtItsMean)
{
    Fo f;
    f.setText(fo::SecondaryReturnTemp, "4");
    f.Command1_Click();
    expectFailure(f, &Fo::Command3_Click, fo::SecondaryReturnViscosity, FailureReason::NotANumber);
    expectTexts(f, {{fo::PrimaryViscosityMean, "3.8599999996336E-07"},
                    {fo::SecondaryViscosityMean, "Text23"},
                    {fo::PrimaryPrandtlMean, "Text24"}});
}

// ---------------------------------------------------------------------------------------------
// Pressure drop and check of the heat flow

struct PressureDropCase {
    const char* name;
    Field list;
    const char* key;
    void (Fo::*velocity)();
    void (Fo::*pressureDrop)();
    Texts expected;
};

TEST(FoPressureDrop, BothSeriesFromTheDefaults)
{
    const std::vector<PressureDropCase> cases = {
        // Text21 lies on a rounding edge in its fifteenth digit: a power function whose last bit
        // fell the other way would give "7.519222238662". std::pow gives this text.
        {"unequal 0.35",
         fo::UnequalSectionPlate,
         "0.35",
         &Fo::Command4_Click,
         &Fo::Command5_Click,
         {{fo::CorrectedKValue, "3180.7415533973"},
          {fo::PrimaryPressureDrop, "4.16965991262842"},
          {fo::SecondaryPressureDrop, "7.51922223866201"},
          {fo::VerifiedHeatFlow, "0.647360424655187"},
          {fo::CheckReturnTemp, "68.1925844660269"},
          {fo::CheckSupplyTemp, "65.9037077669865"}}},
        // The warning shown for the primary velocity does not matter: the step reads Text10.
        {"equal 0.1",
         fo::EqualSectionPlate,
         "0.1",
         &Fo::Command3_Click,
         &Fo::Command6_Click,
         {{fo::PrimaryVelocity, "流速太低"},
          {fo::CorrectedKValue, "2563.70068622754"},
          {fo::PrimaryPressureDrop, "2.72451006991458"},
          {fo::SecondaryPressureDrop, "9.01079068990302"},
          {fo::VerifiedHeatFlow, "0.521777182164461"},
          {fo::CheckReturnTemp, "74.3629931377246"},
          {fo::CheckSupplyTemp, "62.8185034311377"}}},
    };
    for (const PressureDropCase& c : cases) {
        Fo f;
        ASSERT_TRUE(areaStep(f));
        f.setText(c.list, c.key);
        (f.*c.velocity)();
        (f.*c.pressureDrop)();
        expectTexts(f, c.expected, c.name);
        (f.*c.pressureDrop)();  // a second press writes the same texts
        expectTexts(f, c.expected, c.name);
    }
}

TEST(FoPressureDrop, UnmatchedKeyStillChecksTheHeatFlow)
{
    Fo f;
    ASSERT_TRUE(areaStep(f));
    f.Command4_Click();
    f.setText(fo::UnequalSectionPlate, "0.4");
    f.Command5_Click();
    expectTexts(f, {{fo::CorrectedKValue, "0"},
                    {fo::PrimaryPressureDrop, "0"},
                    {fo::SecondaryPressureDrop, "0"},
                    {fo::VerifiedHeatFlow, "0"},
                    {fo::CheckReturnTemp, "100"},
                    {fo::CheckSupplyTemp, "50"}});
}

TEST(FoPressureDrop, UnmatchedKeyUsesTheOtherSeriesK)
{
    Fo f;
    ASSERT_TRUE(areaStep(f));
    f.Command4_Click();
    f.Command5_Click();
    f.setText(fo::EqualSectionPlate, "0.3");
    f.Command6_Click();
    expectTexts(f, {{fo::CorrectedKValue, "3180.7415533973"},
                    {fo::SecondaryPressureDrop, "7.51922223866201"},
                    {fo::VerifiedHeatFlow, "0.647360424655187"},
                    {fo::CheckReturnTemp, "68.1925844660269"}});
}

TEST(FoPressureDrop, KeyMatchesByValue)
{
    Fo a;
    ASSERT_TRUE(areaStep(a));
    a.setText(fo::EqualSectionPlate, "0.5");
    a.Command3_Click();
    a.Command6_Click();
    Fo b;
    ASSERT_TRUE(areaStep(b));
    b.setText(fo::EqualSectionPlate, "0.5");
    b.Command3_Click();
    b.setText(fo::EqualSectionPlate, "0.50");
    b.Command6_Click();
    for (Field field : {fo::CorrectedKValue, fo::PrimaryPressureDrop, fo::SecondaryPressureDrop, fo::VerifiedHeatFlow,
                        fo::CheckReturnTemp, fo::CheckSupplyTemp})
        EXPECT_EQ(b.text(field), a.text(field)) << field.key();
    EXPECT_NE(a.text(fo::CorrectedKValue), "0");
}

TEST(FoPressureDrop, PairingOfTheSeriesIsNotChecked)
{
    // Equal-section velocities with the unequal-section 0.35 correlation.
    Fo f;
    ASSERT_TRUE(areaStep(f));
    f.Command3_Click();
    f.Command5_Click();
    Fo g;
    ASSERT_TRUE(areaStep(g));
    g.Command4_Click();
    g.Command5_Click();
    EXPECT_NE(f.text(fo::CorrectedKValue), g.text(fo::CorrectedKValue));
    EXPECT_NE(f.text(fo::CorrectedKValue), "0");
    EXPECT_EQ(f.text(fo::PrimaryChannelVelocity), "0.0945247409692193");
}

struct PressureDropFailure {
    const char* name;
    bool stepsFirst;  // area and velocity of the unequal-section 0.35 plate
    Texts inputs;
    Field field;
    FailureReason reason;
    Texts after;
};

TEST(FoPressureDrop, FailureStopsAtItsStatement)
{
    const std::vector<PressureDropFailure> cases = {
        // The first field the K statement reads is the primary conductivity.
        {"fresh window",
         false,
         {},
         fo::PrimaryLambdaMean,
         FailureReason::NotANumber,
         {{fo::CorrectedKValue, "0"},
          {fo::PrimaryPressureDrop, "0"},
          {fo::VerifiedHeatFlow, "0"},
          {fo::CheckReturnTemp, ""}}},
        {"fresh window, no row",
         false,
         {{fo::UnequalSectionPlate, "0.4"}},
         fo::LogMeanDiff,
         FailureReason::NotANumber,
         {{fo::CorrectedKValue, "0"}, {fo::VerifiedHeatFlow, "0"}, {fo::CheckReturnTemp, ""}}},
        {"list not a number",
         true,
         {{fo::UnequalSectionPlate, "x"}},
         fo::UnequalSectionPlate,
         FailureReason::NotANumber,
         {{fo::CorrectedKValue, "0"}, {fo::VerifiedHeatFlow, "0"}}},
        {"zero velocity",
         true,
         {{fo::PrimaryChannelVelocity, "0"}},
         fo::CorrectedKValue,
         FailureReason::DivisionByZero,
         {{fo::CorrectedKValue, "0"}, {fo::PrimaryPressureDrop, "0"}}},
        {"negative velocity",
         true,
         {{fo::SecondaryChannelVelocity, "-0.2"}},
         fo::CorrectedKValue,
         FailureReason::NoRealPower,
         {{fo::CorrectedKValue, "0"}, {fo::PrimaryPressureDrop, "0"}}},
        {"primary flow zero",
         true,
         {{fo::PrimaryFlow, "0.0"}},
         fo::CheckReturnTemp,
         FailureReason::DivisionByZero,
         {{fo::CorrectedKValue, "3180.7415533973"},
          {fo::SecondaryPressureDrop, "7.51922223866201"},
          {fo::VerifiedHeatFlow, "0.647360424655187"},
          {fo::CheckReturnTemp, ""},
          {fo::CheckSupplyTemp, ""}}},
    };
    for (const PressureDropFailure& c : cases) {
        Fo f;
        if (c.stepsFirst) {
            ASSERT_TRUE(areaStep(f));
            f.Command4_Click();
        }
        set(f, c.inputs);
        expectFailure(f, &Fo::Command5_Click, c.field, c.reason);
        expectTexts(f, c.after, c.name);
    }
}
