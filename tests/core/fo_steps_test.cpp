#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "model_support.h"
#include "plate/fo.h"

using heatcalc::CalculationFailure;
using heatcalc::FailureReason;
using heatcalc::Fo;

namespace {

// The window after the area step with its design texts; a failure when the step gave another area.
[[nodiscard]] testing::AssertionResult areaStep(Fo& f)
{
    f.Command1_Click();
    const std::string area = f.text("Text13");
    if (area != "11.1797533025589")
        return testing::AssertionFailure() << "the area step gave Text13 = " << area;
    return testing::AssertionSuccess();
}

// The means are the same for every plate: they come from the design temperatures alone. The
// viscosity means differ from the plain means 3.86E-07 and 4.855E-07.
const Texts DesignMeans = {{"Text22", "3.8599999996336E-07"},
                           {"Text23", "4.85499999980377E-07"},
                           {"Text24", "2.375"},
                           {"Text25", "3.05"},
                           {"Text40", "0.67"},
                           {"Text41", "0.6575"}};

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
        f.setText("Combo1", r.key);
        ASSERT_TRUE(f.run("Command3_Click"));
        expectTexts(f,
                    {{"Text14", r.channel1},
                     {"Text15", r.channel2},
                     {"Text17", r.channels},
                     {"Text19", r.plates},
                     {"Text10", r.v1},
                     {"Text11", r.v2},
                     {"Text46", r.shown1},
                     {"Text47", r.shown2},
                     {"Text18", "0"},
                     {"Text13", "11.1797533025589"},
                     {"Text16", "Text16"}},
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
        f.setText("Combo2", r.key);
        ASSERT_TRUE(f.run("Command4_Click"));
        expectTexts(f,
                    {{"Text14", r.channel1},
                     {"Text15", r.channel2},
                     {"Text16", r.plateArea},
                     {"Text17", r.channels},
                     {"Text19", r.plates},
                     {"Text10", r.v1},
                     {"Text11", r.v2},
                     {"Text46", r.shown1},
                     {"Text47", r.shown2},
                     {"Text18", "0"},
                     {"Text13", "11.1797533025589"}},
                    r.key);
        expectTexts(f, DesignMeans, r.key);
    }
}

TEST(FoVelocity, EqualViscositiesDoNotGiveTheirOwnValue)
{
    Fo f;
    ASSERT_TRUE(areaStep(f));
    f.setText("Text30", "1.535E-06");
    f.setText("Text31", "1.535E-06");
    f.Command3_Click();
    EXPECT_EQ(f.text("Text23"), "1.53499999999696E-06");
}

TEST(FoVelocity, AddedPlates)
{
    Fo f;
    ASSERT_TRUE(areaStep(f));
    set(f, {{"Text26", "2"}, {"Combo1", "0.5"}});
    f.Command3_Click();
    expectTexts(f, {{"Text17", "12.1797533025589"},
                    {"Text19", "24.3595066051178"},
                    {"Text18", "1"},
                    {"Text13", "11.1797533025589"},
                    {"Text10", "0.25584236303392"},
                    {"Text11", "0.511684726067841"},
                    {"Text46", "0.3"},
                    {"Text47", "0.5"}});
}

TEST(FoVelocity, PlateCountUsesTheAreaBeforeItIsRewritten)
{
    Fo f;
    ASSERT_TRUE(areaStep(f));
    set(f, {{"Text1", "2"}, {"Combo1", "0.5"}});
    f.Command3_Click();
    expectTexts(f, {{"Text17", "11.1797533025589"},
                    {"Text19", "22.3595066051178"},
                    {"Text13", "22.3595066051178"},
                    {"Text10", "0.278726800293852"},
                    {"Text46", "0.3"},
                    {"Text47", "0.6"}});
    f.Command3_Click();  // the second press catches up; the flows are still the earlier ones
    expectTexts(f, {{"Text17", "22.3595066051178"},
                    {"Text19", "44.7190132102356"},
                    {"Text13", "22.3595066051178"},
                    {"Text10", "0.139363400146926"},
                    {"Text11", "0.278726800293852"},
                    {"Text46", "0.1"},
                    {"Text47", "0.3"}});
}

TEST(FoVelocity, KeyMatchesByValue)
{
    Fo a;
    ASSERT_TRUE(areaStep(a));
    a.setText("Combo1", "0.5");
    a.Command3_Click();
    Fo b;
    ASSERT_TRUE(areaStep(b));
    b.setText("Combo1", "0.50");
    b.Command3_Click();
    for (const char* field : {"Text14", "Text15", "Text17", "Text19", "Text10", "Text11", "Text46", "Text47"})
        EXPECT_EQ(b.text(field), a.text(field)) << field;
}

TEST(FoVelocity, UnmatchedKeyKeepsTheChannelsAndGoesOn)
{
    Fo f;
    ASSERT_TRUE(areaStep(f));
    f.setText("Combo1", "0.5");
    f.Command3_Click();
    f.setText("Combo1", "0.3");
    f.Command3_Click();
    expectTexts(f, {{"Text14", "0.00156"},
                    {"Text15", "0.00156"},
                    {"Text17", "18.6329221709315"},
                    {"Text19", "37.265844341863"},
                    {"Text18", "0"},
                    {"Text10", "0.167236080176311"},
                    {"Text11", "0.334472160352622"},
                    {"Text46", "0.2"},
                    {"Text47", "0.3"}});

    // The unequal-section series keeps the plate area of its last matched row too.
    Fo g;
    ASSERT_TRUE(areaStep(g));
    g.setText("Combo2", "0.52");
    g.Command4_Click();
    std::vector<std::string> before;
    const std::vector<const char*> written = {"Text14", "Text15", "Text16", "Text17", "Text19", "Text18", "Text13",
                                              "Text10", "Text11", "Text46", "Text47", "Text22", "Text23"};
    for (const char* field : written)
        before.push_back(g.text(field));
    g.setText("Combo2", "0.4");
    g.Command4_Click();
    for (std::size_t i = 0; i < written.size(); ++i)
        EXPECT_EQ(g.text(written[i]), before[i]) << written[i];
}

TEST(FoVelocity, ExactlyAtTheThresholdTheShownVelocityStays)
{
    Fo f;
    ASSERT_TRUE(areaStep(f));
    set(f, {{"Combo1", "0.1"}, {"Text13", "0.1"}, {"Text26", "1"}, {"Text8", "0.3312"}, {"Text46", "0.3"}});
    f.Command3_Click();
    // 0.3312 / (1 x (0.00092 x 3600)) is 0.09999999999999999, written "0.1", read back as 0.1.
    expectTexts(f, {{"Text17", "1"},
                    {"Text19", "2"},
                    {"Text18", "0.1"},
                    {"Text13", "11.1797533025589"},
                    {"Text10", "0.1"},
                    {"Text46", "0.3"},
                    {"Text11", "10.5676328502415"},
                    {"Text47", "10.6"}});
}

TEST(FoVelocity, SeriesButtonsUseTheirOwnList)
{
    Fo f;
    ASSERT_TRUE(areaStep(f));
    f.setText("Combo2", "1.2");
    f.Combo2_Click();
    f.setText("Combo1", "0.25");  // typed, not picked: the designation stays
    f.Command3_Click();
    expectTexts(f, {{"Text44", "BBR1.2"}, {"Text14", "0.001089"}, {"Text17", "22.3595066051178"}});
}

struct VelocityFailure {
    const char* name;
    void (Fo::*button)();
    bool areaFirst;
    Texts inputs;
    const char* field;
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
         "Text12",
         FailureReason::NotANumber,
         {{"Text14", "0.00092"},
          {"Text15", "0.00092"},
          {"Text17", "0"},
          {"Text19", "0"},
          {"Text18", "0"},
          {"Text13", "0"},
          {"Text10", "Text10"},
          {"Text46", "0"},
          {"Text22", "Text22"}}},
        {"unequal series before the area step",
         &Fo::Command4_Click,
         false,
         {},
         "Text12",
         FailureReason::NotANumber,
         {{"Text14", "0.001307"},
          {"Text15", "0.002088"},
          {"Text16", "0.35"},
          {"Text17", "0"},
          {"Text19", "0"},
          {"Text18", "0"},
          {"Text13", "0"},
          {"Text10", "Text10"}}},
        {"unequal series, no row ever matched",
         &Fo::Command4_Click,
         false,
         {{"Combo2", "0.4"}},
         "Text16",
         FailureReason::NotANumber,
         {{"Text14", "Text14"}, {"Text15", "Text15"}, {"Text16", "Text16"}, {"Text17", "10"}, {"Text19", "0"}}},
        {"zero plate area",
         &Fo::Command3_Click,
         true,
         {{"Combo1", "0"}},
         "Text17",
         FailureReason::DivisionByZero,
         {{"Text14", "Text14"}, {"Text17", "10"}, {"Text19", "0"}, {"Text13", "11.1797533025589"}}},
        {"empty list",
         &Fo::Command3_Click,
         true,
         {{"Combo1", ""}},
         "Combo1",
         FailureReason::NotANumber,
         {{"Text14", "Text14"}, {"Text17", "10"}, {"Text19", "0"}}},
        {"added plates not a number",
         &Fo::Command3_Click,
         true,
         {{"Text26", "two"}},
         "Text26",
         FailureReason::NotANumber,
         {{"Text14", "0.00092"}, {"Text17", "10"}}},
        {"no channels",
         &Fo::Command3_Click,
         true,
         {{"Combo1", "0.1"}, {"Text13", "0"}},
         "Text10",
         FailureReason::DivisionByZero,
         {{"Text17", "0"}, {"Text19", "0"}, {"Text13", "11.1797533025589"}, {"Text10", "Text10"}, {"Text46", "0"}}},
        {"secondary flow not a number",
         &Fo::Command3_Click,
         true,
         {{"Text9", ""}},
         "Text9",
         FailureReason::NotANumber,
         {{"Text10", "0.0945247409692193"}, {"Text11", "Text11"}, {"Text46", "0"}}},
        {"no channel data yet, unmatched key",
         &Fo::Command3_Click,
         true,
         {{"Combo1", "0.3"}},
         "Text14",
         FailureReason::NotANumber,
         {{"Text17", "18.6329221709315"}, {"Text13", "11.1797533025589"}}},
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
    f.setText("Text5", "4");
    f.Command1_Click();
    expectFailure(f, &Fo::Command3_Click, "Text31", FailureReason::NotANumber);
    expectTexts(f, {{"Text22", "3.8599999996336E-07"}, {"Text23", "Text23"}, {"Text24", "Text24"}});
}

// ---------------------------------------------------------------------------------------------
// Pressure drop and check of the heat flow

struct PressureDropCase {
    const char* name;
    const char* list;
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
         "Combo2",
         "0.35",
         &Fo::Command4_Click,
         &Fo::Command5_Click,
         {{"Text27", "3180.7415533973"},
          {"Text20", "4.16965991262842"},
          {"Text21", "7.51922223866201"},
          {"Text45", "0.647360424655187"},
          {"Text48", "68.1925844660269"},
          {"Text49", "65.9037077669865"}}},
        // The warning shown for the primary velocity does not matter: the step reads Text10.
        {"equal 0.1",
         "Combo1",
         "0.1",
         &Fo::Command3_Click,
         &Fo::Command6_Click,
         {{"Text46", "流速太低"},
          {"Text27", "2563.70068622754"},
          {"Text20", "2.72451006991458"},
          {"Text21", "9.01079068990302"},
          {"Text45", "0.521777182164461"},
          {"Text48", "74.3629931377246"},
          {"Text49", "62.8185034311377"}}},
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
    f.setText("Combo2", "0.4");
    f.Command5_Click();
    expectTexts(
        f, {{"Text27", "0"}, {"Text20", "0"}, {"Text21", "0"}, {"Text45", "0"}, {"Text48", "100"}, {"Text49", "50"}});
}

TEST(FoPressureDrop, UnmatchedKeyUsesTheOtherSeriesK)
{
    Fo f;
    ASSERT_TRUE(areaStep(f));
    f.Command4_Click();
    f.Command5_Click();
    f.setText("Combo1", "0.3");
    f.Command6_Click();
    expectTexts(f, {{"Text27", "3180.7415533973"},
                    {"Text21", "7.51922223866201"},
                    {"Text45", "0.647360424655187"},
                    {"Text48", "68.1925844660269"}});
}

TEST(FoPressureDrop, KeyMatchesByValue)
{
    Fo a;
    ASSERT_TRUE(areaStep(a));
    a.setText("Combo1", "0.5");
    a.Command3_Click();
    a.Command6_Click();
    Fo b;
    ASSERT_TRUE(areaStep(b));
    b.setText("Combo1", "0.5");
    b.Command3_Click();
    b.setText("Combo1", "0.50");
    b.Command6_Click();
    for (const char* field : {"Text27", "Text20", "Text21", "Text45", "Text48", "Text49"})
        EXPECT_EQ(b.text(field), a.text(field)) << field;
    EXPECT_NE(a.text("Text27"), "0");
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
    EXPECT_NE(f.text("Text27"), g.text("Text27"));
    EXPECT_NE(f.text("Text27"), "0");
    EXPECT_EQ(f.text("Text10"), "0.0945247409692193");
}

struct PressureDropFailure {
    const char* name;
    bool stepsFirst;  // area and velocity of the unequal-section 0.35 plate
    Texts inputs;
    const char* field;
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
         "Text40",
         FailureReason::NotANumber,
         {{"Text27", "0"}, {"Text20", "0"}, {"Text45", "0"}, {"Text48", ""}}},
        {"fresh window, no row",
         false,
         {{"Combo2", "0.4"}},
         "Text12",
         FailureReason::NotANumber,
         {{"Text27", "0"}, {"Text45", "0"}, {"Text48", ""}}},
        {"list not a number",
         true,
         {{"Combo2", "x"}},
         "Combo2",
         FailureReason::NotANumber,
         {{"Text27", "0"}, {"Text45", "0"}}},
        {"zero velocity",
         true,
         {{"Text10", "0"}},
         "Text27",
         FailureReason::DivisionByZero,
         {{"Text27", "0"}, {"Text20", "0"}}},
        {"negative velocity",
         true,
         {{"Text11", "-0.2"}},
         "Text27",
         FailureReason::NoRealPower,
         {{"Text27", "0"}, {"Text20", "0"}}},
        {"primary flow zero",
         true,
         {{"Text8", "0.0"}},
         "Text48",
         FailureReason::DivisionByZero,
         {{"Text27", "3180.7415533973"},
          {"Text21", "7.51922223866201"},
          {"Text45", "0.647360424655187"},
          {"Text48", ""},
          {"Text49", ""}}},
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
