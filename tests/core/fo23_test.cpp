#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "common/number.h"
#include "tube/fo23.h"

namespace fo23 = heatcalc::fo23;

using heatcalc::CalculationFailure;
using heatcalc::ControlKind;
using heatcalc::FailureReason;
using heatcalc::Field;
using heatcalc::Fo23;
using heatcalc::FormatNumber;
using heatcalc::LocalTime;

namespace {

struct ByKey {
    bool operator()(Field a, Field b) const { return a.key() < b.key(); }
};
using Texts = std::map<Field, std::string, ByKey>;
// Every control's text by its key.
using AllTexts = std::map<std::string, std::string>;

// Every field the press writes, in the order it writes them.
const std::vector<Field> Written = {fo23::HeatedFloorArea,        fo23::SteamEnthalpy,
                                    fo23::SaturationTemp,         fo23::SteamFlow,
                                    fo23::SecondaryFlow,          fo23::CondensingZoneTempDiff,
                                    fo23::SubcoolingZoneTempDiff, fo23::CondensingZoneHeat,
                                    fo23::SubcoolingZoneHeat,     fo23::CondensingZoneArea,
                                    fo23::SubcoolingZoneArea,     fo23::ExchangeArea,
                                    fo23::SingleTubeSurface,      fo23::TubeCount,
                                    fo23::TubeFlowArea,           fo23::SecondaryVelocity,
                                    fo23::ShellFlowArea,          fo23::PrimaryVelocity};

// One press from the design texts.
const Texts Designed = {
    {fo23::HeatedFloorArea, "1.22835032551284"},
    {fo23::SteamEnthalpy, "626.255592642146"},
    {fo23::SaturationTemp, "158.882484322048"},
    {fo23::SteamFlow, "1574.07125792536"},
    {fo23::SecondaryFlow, "42.9922613929493"},
    {fo23::CondensingZoneTempDiff, "98.075940917345"},
    {fo23::SubcoolingZoneTempDiff, "60.853052911581"},
    {fo23::CondensingZoneHeat, "855594.184508928"},
    {fo23::SubcoolingZoneHeat, "144405.815491072"},
    {fo23::CondensingZoneArea, "4.95670043879333"},
    {fo23::SubcoolingZoneArea, "4.94380206982975"},
    {fo23::ExchangeArea, "9.9"},
    {fo23::SingleTubeSurface, "0.131943"},
    {fo23::TubeCount, "75.0"},
    {fo23::TubeFlowArea, "11545.0125"},
    {fo23::SecondaryVelocity, "1.03441159820094"},
    {fo23::ShellFlowArea, "59138.7375"},
    {fo23::PrimaryVelocity, FormatNumber(0.00739349594824167)},
};

Texts with(Texts base, const Texts& changes)
{
    for (const auto& [field, text] : changes)
        base[field] = text;
    return base;
}

Texts only(const Texts& base, const std::vector<Field>& fields)
{
    Texts t;
    for (Field f : fields)
        t[f] = base.at(f);
    return t;
}

Texts without(Texts base, Field field)
{
    base.erase(field);
    return base;
}

AllTexts allTexts(const Fo23& f)
{
    AllTexts t;
    for (const auto& c : Fo23::designTable().controls)
        if (c.kind != ControlKind::Line && c.kind != ControlKind::Timer)
            t[heatcalc::controlKey(c)] = f.text(heatcalc::controlKey(c));
    return t;
}

struct Failure {
    Field field;
    FailureReason reason;
};

struct PressCase {
    const char* name;
    Texts inputs;
    Texts written;                   // fields the press writes, with their texts
    std::optional<Failure> failure;  // where the press stops, if it does
};

const std::vector<PressCase> PressCases = {
    {"design texts", {}, Designed, std::nullopt},
    {"1 MPa at 180 degrees",
     {{fo23::SteamPressure, "1"}, {fo23::SteamTemp, "180"}},
     with(Designed, {{fo23::SteamEnthalpy, "664.844975641799"},
                     {fo23::SaturationTemp, "179.917255954664"},
                     {fo23::SteamFlow, "1470.21050649432"},
                     {fo23::CondensingZoneTempDiff, "119.164911583193"},
                     {fo23::SubcoolingZoneTempDiff, "67.8457210675267"},
                     {fo23::CondensingZoneHeat, "829155.998399379"},
                     {fo23::SubcoolingZoneHeat, "170844.001600621"},
                     {fo23::CondensingZoneArea, "3.95344029100396"},
                     {fo23::SubcoolingZoneArea, "5.24609360375691"},
                     {fo23::ExchangeArea, "9.2"},
                     {fo23::TubeCount, "69.7"},
                     {fo23::TubeFlowArea, "10729.16495"},
                     {fo23::SecondaryVelocity, "1.11306843421909"},
                     {fo23::ShellFlowArea, "59954.58505"},
                     {fo23::PrimaryVelocity, FormatNumber(0.00681168599564068)}}),
     std::nullopt},
    {"equal end differences in the condensing zone",
     {{fo23::SecondarySupplyTemp, "51"}},
     with(Designed, {{fo23::SecondaryFlow, "859.845227858985"},
                     {fo23::CondensingZoneTempDiff, "107.882484322048"},
                     {fo23::CondensingZoneArea, "4.50613519363237"},
                     {fo23::ExchangeArea, "9.4"},
                     {fo23::TubeCount, "71.2"},
                     {fo23::TubeFlowArea, "10960.0652"},
                     {fo23::SecondaryVelocity, "21.7923791755815"},
                     {fo23::ShellFlowArea, "59723.6848"},
                     {fo23::PrimaryVelocity, FormatNumber(0.00732108237384539)}}),
     std::nullopt},
    {"zero pressure",
     {{fo23::SteamPressure, "0"}},
     {{fo23::HeatedFloorArea, "1.22835032551284"}, {fo23::SteamEnthalpy, "641.571890511948"}},
     Failure{fo23::SaturationTemp, FailureReason::LogOfNonPositive}},
    {"equal water temperatures",
     {{fo23::SecondarySupplyTemp, "50"}, {fo23::SecondaryReturnTemp, "50"}},
     only(Designed, {fo23::HeatedFloorArea, fo23::SteamEnthalpy, fo23::SaturationTemp, fo23::SteamFlow}),
     Failure{fo23::SecondaryFlow, FailureReason::DivisionByZero}},
    {"water entering above the condensate",
     {{fo23::SecondarySupplyTemp, "95"}, {fo23::SecondaryReturnTemp, "90"}},
     with(only(Designed, {fo23::HeatedFloorArea, fo23::SteamEnthalpy, fo23::SaturationTemp, fo23::SteamFlow}),
          {{fo23::SecondaryFlow, "171.969045571797"}, {fo23::CondensingZoneTempDiff, "65.8622412913181"}}),
     Failure{fo23::SubcoolingZoneTempDiff, FailureReason::LogOfNonPositive}},
    {"shell smaller than the tubes",
     {{fo23::ShellDiameter, "100"}},
     with(without(Designed, fo23::PrimaryVelocity), {{fo23::ShellFlowArea, "-3691.2625"}}),
     Failure{fo23::PrimaryVelocity, FailureReason::SqrtOfNegative}},
    {"no heat load",
     {{fo23::HeatLoadMW, "0"}},
     with(only(Designed, {fo23::SteamEnthalpy, fo23::SaturationTemp, fo23::CondensingZoneTempDiff,
                          fo23::SubcoolingZoneTempDiff, fo23::SingleTubeSurface}),
          {{fo23::HeatedFloorArea, "0"},
           {fo23::SteamFlow, "0"},
           {fo23::SecondaryFlow, "0"},
           {fo23::CondensingZoneHeat, "0"},
           {fo23::SubcoolingZoneHeat, "0"},
           {fo23::CondensingZoneArea, "0"},
           {fo23::SubcoolingZoneArea, "0"},
           {fo23::ExchangeArea, "0.0"},
           {fo23::TubeCount, "0.0"},
           {fo23::TubeFlowArea, "0"}}),
     Failure{fo23::SecondaryVelocity, FailureReason::DivisionByZero}},
    {"tube diameter 0",
     {{fo23::TubeDiameter, "0"}},
     with(only(Designed,
               {fo23::HeatedFloorArea, fo23::SteamEnthalpy, fo23::SaturationTemp, fo23::SteamFlow, fo23::SecondaryFlow,
                fo23::CondensingZoneTempDiff, fo23::SubcoolingZoneTempDiff, fo23::CondensingZoneHeat,
                fo23::SubcoolingZoneHeat, fo23::CondensingZoneArea, fo23::SubcoolingZoneArea, fo23::ExchangeArea}),
          {{fo23::SingleTubeSurface, "0"}}),
     Failure{fo23::TubeCount, FailureReason::DivisionByZero}},
    {"heat load not a number", {{fo23::HeatLoadMW, "1MW"}}, {}, Failure{fo23::HeatLoadMW, FailureReason::NotANumber}},
};

// Runs the case on a window whose fields hold `before`; checks every written field, that each
// field after the failure keeps its text, and where the press stopped.
void runCase(const PressCase& c, Fo23& f)
{
    Texts before;
    for (Field field : Written)
        before[field] = f.text(field);
    for (const auto& [field, text] : c.inputs)
        f.setText(field, text);

    std::optional<CalculationFailure> caught;
    try {
        f.Command1_Click();
    } catch (const CalculationFailure& e) {
        caught = e;
    }
    if (c.failure) {
        ASSERT_TRUE(caught) << c.name;
        EXPECT_EQ(caught->field(), c.failure->field.key()) << c.name;
        EXPECT_EQ(caught->reason(), c.failure->reason) << c.name;
    } else {
        EXPECT_FALSE(caught) << c.name << ": " << caught->what();
    }
    for (Field field : Written) {
        auto it = c.written.find(field);
        EXPECT_EQ(f.text(field), it != c.written.end() ? it->second : before[field]) << c.name << ", " << field.key();
    }
    for (Field untouched :
         {fo23::PrimaryPressureDrop, fo23::SecondaryPressureDrop, fo23::CorrectedKValue, fo23::AddedArea})
        EXPECT_EQ(f.text(untouched), "0") << c.name;
    EXPECT_EQ(f.text(fo23::ClockLabel), "Label1");
}

}  // namespace

TEST(Fo23Press, FromTheFreshWindow)
{
    for (const PressCase& c : PressCases) {
        Fo23 f;
        ASSERT_NO_FATAL_FAILURE(runCase(c, f)) << c.name;
    }
}

TEST(Fo23Press, AfterAPressWithTheDesignTexts)
{
    // A failing press keeps the results of the press before it in the fields it does not reach.
    for (const PressCase& c : PressCases) {
        Fo23 f;
        f.Command1_Click();
        ASSERT_NO_FATAL_FAILURE(runCase(c, f)) << c.name;
    }
}

TEST(Fo23Press, SecondPressGivesTheSameTexts)
{
    Fo23 f;
    f.Command1_Click();
    const AllTexts first = allTexts(f);
    f.Command1_Click();
    EXPECT_EQ(allTexts(f), first);
}

TEST(Fo23Press, AddedAreaAndCorrectedKHaveNoInfluence)
{
    for (const char* text : {"", "abc", "12345", "-7"}) {
        Fo23 f;
        f.setText(fo23::AddedArea, text);
        f.setText(fo23::CorrectedKValue, text);
        f.Command1_Click();
        for (const auto& [field, expected] : Designed)
            EXPECT_EQ(f.text(field), expected) << field.key() << " with '" << text << "'";
        EXPECT_EQ(f.text(fo23::AddedArea), text);
        EXPECT_EQ(f.text(fo23::CorrectedKValue), text);
    }
}

TEST(Fo23Press, InputsEditedBetweenPressesAreReadAfresh)
{
    Fo23 f;
    f.setText(fo23::SteamPressure, "1");
    f.setText(fo23::SteamTemp, "180");
    f.Command1_Click();
    f.setText(fo23::SteamPressure, "0.6");
    f.setText(fo23::SteamTemp, "100");
    f.Command1_Click();
    for (const auto& [field, expected] : Designed)
        EXPECT_EQ(f.text(field), expected) << field.key();
}

TEST(Fo23Window, Command6ChangesNothing)
{
    Fo23 f;
    AllTexts before = allTexts(f);
    f.Command6_Click();
    EXPECT_EQ(allTexts(f), before);
    f.Command1_Click();
    before = allTexts(f);
    EXPECT_TRUE(f.run("Command6_Click"));
    EXPECT_EQ(allTexts(f), before);
    EXPECT_FALSE(f.run("Command3_Click"));  // the button has no procedure at all
    EXPECT_EQ(allTexts(f), before);
}

TEST(Fo23Window, FreshWindowShowsDesignTexts)
{
    Fo23 f;
    const Texts expected = {
        {fo23::HeatLoadMW, "1"},
        {fo23::SteamPressure, "0.6"},
        {fo23::SteamTemp, "100"},
        {fo23::SecondarySupplyTemp, "70"},
        {fo23::SecondaryReturnTemp, "50"},
        {fo23::CondensingZoneCoefficient, "2200"},
        {fo23::SubcoolingZoneCoefficient, "600"},
        {fo23::AddedArea, "0"},
        {fo23::CorrectedKValue, "0"},
        {fo23::ShellDiameter, "300"},
        {fo23::ExchangerLength, "3000"},
        {fo23::TubeDiameter, "14"},
        {fo23::HeatedFloorArea, "0"},
        {fo23::SteamFlow, "0"},
        {fo23::SecondaryFlow, "0"},
        {fo23::PrimaryVelocity, "0"},
        {fo23::SecondaryVelocity, "0"},
        {fo23::PrimaryPressureDrop, "0"},
        {fo23::SecondaryPressureDrop, "0"},
        {fo23::ExchangeArea, "0"},
        {fo23::TubeCount, "0"},
        {fo23::SteamEnthalpy, "Text10"},
        {fo23::SaturationTemp, "Text11"},
        {fo23::CondensingZoneTempDiff, "Text14"},
        {fo23::SubcoolingZoneTempDiff, "Text15"},
        {fo23::CondensingZoneArea, "Text16"},
        {fo23::SubcoolingZoneArea, "Text17"},
        {fo23::CondensingZoneHeat, "Text18"},
        {fo23::SubcoolingZoneHeat, "Text22"},
        {fo23::SingleTubeSurface, "Text28"},
        {fo23::TubeFlowArea, "Text29"},
        {fo23::ShellFlowArea, "Text30"},
        {fo23::ClockLabel, "Label1"},
    };
    for (const auto& [field, text] : expected)
        EXPECT_EQ(f.text(field), text) << field.key();
    for (auto [control, text] : {std::pair{"Label43", "管式换热器选型软件"},
                                 {"Command1", "换热面积计算"},
                                 {"Command3", "等截面流速"},
                                 {"Command6", "等截面阻力"}})
        EXPECT_EQ(f.text(control), text) << control;
}

TEST(Fo23Window, ClockNeverRuns)
{
    Fo23 f([] { return LocalTime{2026, 12, 7, 21, 25, 55, 1}; });
    EXPECT_EQ(f.interval("Timer1"), 0);
    EXPECT_TRUE(f.hasHandler("Command1_Click"));
    EXPECT_TRUE(f.hasHandler("Timer1_Timer"));
    EXPECT_FALSE(f.hasHandler("Form_Load"));
    EXPECT_FALSE(f.hasHandler("Command3_Click"));
    f.Command1_Click();
    EXPECT_EQ(f.text(fo23::ClockLabel), "Label1");
    // Were it ever ticked, the procedure would show the clock caption.
    f.Timer1_Timer();
    EXPECT_EQ(f.text(fo23::ClockLabel), "2026年12月7日 21:25:55 星期1");
}

TEST(Fo23Window, ControlTable)
{
    const auto& d = Fo23::designTable();
    EXPECT_EQ(d.caption, "Velmora自动化设备有限公司");
    EXPECT_EQ(d.icon, "exchanger");
    EXPECT_EQ(d.clientWidth, 5715);
    EXPECT_EQ(d.clientHeight, 8460);
    EXPECT_FALSE(d.frameRelative);

    std::set<std::string> keys;
    std::set<int> tabs;
    std::set<std::string_view> workFields;
    for (const auto& c : d.controls) {
        const std::string key = heatcalc::controlKey(c);
        if (c.kind != ControlKind::Line) {
            EXPECT_TRUE(keys.insert(key).second) << "duplicate " << key;
        }
        if (c.tab >= 0) {
            EXPECT_TRUE(tabs.insert(c.tab).second) << "tab " << c.tab << " twice";
        }
        if (c.workField) {
            EXPECT_GE(c.left, d.clientWidth) << key;  // never drawn
            if (c.kind == ControlKind::TextBox) {
                EXPECT_EQ(c.filledBy, std::vector<std::string_view>{"Command1_Click"}) << key;
                workFields.insert(c.name);
            }
        } else if (c.kind == ControlKind::TextBox || c.kind == ControlKind::CommandButton) {
            EXPECT_LT(c.left + c.width, d.clientWidth) << key;
            EXPECT_GE(c.tab, 0) << key;
        }
    }
    std::set<std::string_view> named;
    for (Field f :
         {fo23::SteamEnthalpy, fo23::SaturationTemp, fo23::CondensingZoneTempDiff, fo23::SubcoolingZoneTempDiff,
          fo23::CondensingZoneArea, fo23::SubcoolingZoneArea, fo23::CondensingZoneHeat, fo23::SubcoolingZoneHeat,
          fo23::SingleTubeSurface, fo23::TubeFlowArea, fo23::ShellFlowArea})
        named.insert(f.key());
    EXPECT_EQ(workFields, named);
    // Each visible field is named by a label that exists; the focus starts in Text1.
    for (const auto& c : d.controls) {
        if (c.kind == ControlKind::TextBox && !c.workField) {
            EXPECT_TRUE(keys.count(std::string(c.captionLabel))) << c.name << " names " << c.captionLabel;
        }
        if (c.tab == 0) {
            EXPECT_EQ(c.name, "Text1");
        }
    }
}
