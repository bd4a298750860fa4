#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "common/number.h"
#include "tube/fo23.h"

using heatcalc::CalculationFailure;
using heatcalc::ControlKind;
using heatcalc::FailureReason;
using heatcalc::Fo23;
using heatcalc::FormatNumber;
using heatcalc::LocalTime;

namespace {

using Texts = std::map<std::string, std::string>;

// Every field the press writes, in the order it writes them.
const std::vector<std::string> Written = {"Text7",  "Text10", "Text11", "Text8",  "Text9",  "Text14",
                                          "Text15", "Text18", "Text22", "Text16", "Text17", "Text13",
                                          "Text28", "Text19", "Text29", "Text47", "Text30", "Text46"};

// One press from the design texts.
const Texts Designed = {
    {"Text7", "1.22835032551284"},  {"Text10", "626.255592642146"},
    {"Text11", "158.882484322048"}, {"Text8", "1574.07125792536"},
    {"Text9", "42.9922613929493"},  {"Text14", "98.075940917345"},
    {"Text15", "60.853052911581"},  {"Text18", "855594.184508928"},
    {"Text22", "144405.815491072"}, {"Text16", "4.95670043879333"},
    {"Text17", "4.94380206982975"}, {"Text13", "9.9"},
    {"Text28", "0.131943"},         {"Text19", "75.0"},
    {"Text29", "11545.0125"},       {"Text47", "1.03441159820094"},
    {"Text30", "59138.7375"},       {"Text46", FormatNumber(0.00739349594824167)},
};

Texts with(Texts base, const Texts& changes)
{
    for (const auto& [field, text] : changes)
        base[field] = text;
    return base;
}

Texts only(const Texts& base, const std::vector<std::string>& fields)
{
    Texts t;
    for (const std::string& f : fields)
        t[f] = base.at(f);
    return t;
}

Texts without(Texts base, const std::string& field)
{
    base.erase(field);
    return base;
}

Texts allTexts(const Fo23& f)
{
    Texts t;
    for (const auto& c : Fo23::Design().controls)
        if (c.kind != ControlKind::Line && c.kind != ControlKind::Timer)
            t[heatcalc::controlKey(c)] = f.text(heatcalc::controlKey(c));
    return t;
}

struct Failure {
    const char* field;
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
     {{"Text2", "1"}, {"Text3", "180"}},
     with(Designed, {{"Text10", "664.844975641799"},
                     {"Text11", "179.917255954664"},
                     {"Text8", "1470.21050649432"},
                     {"Text14", "119.164911583193"},
                     {"Text15", "67.8457210675267"},
                     {"Text18", "829155.998399379"},
                     {"Text22", "170844.001600621"},
                     {"Text16", "3.95344029100396"},
                     {"Text17", "5.24609360375691"},
                     {"Text13", "9.2"},
                     {"Text19", "69.7"},
                     {"Text29", "10729.16495"},
                     {"Text47", "1.11306843421909"},
                     {"Text30", "59954.58505"},
                     {"Text46", FormatNumber(0.00681168599564068)}}),
     std::nullopt},
    {"equal end differences in the condensing zone",
     {{"Text4", "51"}},
     with(Designed, {{"Text9", "859.845227858985"},
                     {"Text14", "107.882484322048"},
                     {"Text16", "4.50613519363237"},
                     {"Text13", "9.4"},
                     {"Text19", "71.2"},
                     {"Text29", "10960.0652"},
                     {"Text47", "21.7923791755815"},
                     {"Text30", "59723.6848"},
                     {"Text46", FormatNumber(0.00732108237384539)}}),
     std::nullopt},
    {"zero pressure",
     {{"Text2", "0"}},
     {{"Text7", "1.22835032551284"}, {"Text10", "641.571890511948"}},
     Failure{"Text11", FailureReason::LogOfNonPositive}},
    {"equal water temperatures",
     {{"Text4", "50"}, {"Text5", "50"}},
     only(Designed, {"Text7", "Text10", "Text11", "Text8"}),
     Failure{"Text9", FailureReason::DivisionByZero}},
    {"water entering above the condensate",
     {{"Text4", "95"}, {"Text5", "90"}},
     with(only(Designed, {"Text7", "Text10", "Text11", "Text8"}),
          {{"Text9", "171.969045571797"}, {"Text14", "65.8622412913181"}}),
     Failure{"Text15", FailureReason::LogOfNonPositive}},
    {"shell smaller than the tubes",
     {{"Text23", "100"}},
     with(without(Designed, "Text46"), {{"Text30", "-3691.2625"}}),
     Failure{"Text46", FailureReason::SqrtOfNegative}},
    {"no heat load",
     {{"Text1", "0"}},
     with(only(Designed, {"Text10", "Text11", "Text14", "Text15", "Text28"}), {{"Text7", "0"},
                                                                               {"Text8", "0"},
                                                                               {"Text9", "0"},
                                                                               {"Text18", "0"},
                                                                               {"Text22", "0"},
                                                                               {"Text16", "0"},
                                                                               {"Text17", "0"},
                                                                               {"Text13", "0.0"},
                                                                               {"Text19", "0.0"},
                                                                               {"Text29", "0"}}),
     Failure{"Text47", FailureReason::DivisionByZero}},
    {"tube diameter 0",
     {{"Text25", "0"}},
     with(only(Designed, {"Text7", "Text10", "Text11", "Text8", "Text9", "Text14", "Text15", "Text18", "Text22",
                          "Text16", "Text17", "Text13"}),
          {{"Text28", "0"}}),
     Failure{"Text19", FailureReason::DivisionByZero}},
    {"heat load not a number", {{"Text1", "1MW"}}, {}, Failure{"Text1", FailureReason::NotANumber}},
};

// Runs the case on a window whose fields hold `before`; checks every written field, that each
// field after the failure keeps its text, and where the press stopped.
void runCase(const PressCase& c, Fo23& f)
{
    Texts before;
    for (const std::string& field : Written)
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
        EXPECT_EQ(caught->field(), c.failure->field) << c.name;
        EXPECT_EQ(caught->reason(), c.failure->reason) << c.name;
    } else {
        EXPECT_FALSE(caught) << c.name << ": " << caught->what();
    }
    for (const std::string& field : Written) {
        auto it = c.written.find(field);
        EXPECT_EQ(f.text(field), it != c.written.end() ? it->second : before[field]) << c.name << ", " << field;
    }
    for (const char* untouched : {"Text20", "Text21", "Text27", "Text45"})
        EXPECT_EQ(f.text(untouched), "0") << c.name;
    EXPECT_EQ(f.text("Label1"), "Label1");
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
    const Texts first = allTexts(f);
    f.Command1_Click();
    EXPECT_EQ(allTexts(f), first);
}

TEST(Fo23Press, AddedAreaAndCorrectedKHaveNoInfluence)
{
    for (const char* text : {"", "abc", "12345", "-7"}) {
        Fo23 f;
        f.setText("Text45", text);
        f.setText("Text27", text);
        f.Command1_Click();
        for (const auto& [field, expected] : Designed)
            EXPECT_EQ(f.text(field), expected) << field << " with '" << text << "'";
        EXPECT_EQ(f.text("Text45"), text);
        EXPECT_EQ(f.text("Text27"), text);
    }
}

TEST(Fo23Press, InputsEditedBetweenPressesAreReadAfresh)
{
    Fo23 f;
    f.setText("Text2", "1");
    f.setText("Text3", "180");
    f.Command1_Click();
    f.setText("Text2", "0.6");
    f.setText("Text3", "100");
    f.Command1_Click();
    for (const auto& [field, expected] : Designed)
        EXPECT_EQ(f.text(field), expected) << field;
}

TEST(Fo23Window, Command6ChangesNothing)
{
    Fo23 f;
    Texts before = allTexts(f);
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
        {"Text1", "1"},
        {"Text2", "0.6"},
        {"Text3", "100"},
        {"Text4", "70"},
        {"Text5", "50"},
        {"Text6", "2200"},
        {"Text26", "600"},
        {"Text45", "0"},
        {"Text27", "0"},
        {"Text23", "300"},
        {"Text24", "3000"},
        {"Text25", "14"},
        {"Text7", "0"},
        {"Text8", "0"},
        {"Text9", "0"},
        {"Text46", "0"},
        {"Text47", "0"},
        {"Text20", "0"},
        {"Text21", "0"},
        {"Text13", "0"},
        {"Text19", "0"},
        {"Text10", "Text10"},
        {"Text11", "Text11"},
        {"Text14", "Text14"},
        {"Text15", "Text15"},
        {"Text16", "Text16"},
        {"Text17", "Text17"},
        {"Text18", "Text18"},
        {"Text22", "Text22"},
        {"Text28", "Text28"},
        {"Text29", "Text29"},
        {"Text30", "Text30"},
        {"Label1", "Label1"},
        {"Label43", "管式换热器选型软件"},
        {"Command1", "换热面积计算"},
        {"Command3", "等截面流速"},
        {"Command6", "等截面阻力"},
    };
    for (const auto& [field, text] : expected)
        EXPECT_EQ(f.text(field), text) << field;
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
    EXPECT_EQ(f.text("Label1"), "Label1");
    // Were it ever ticked, the procedure would show the clock caption.
    f.Timer1_Timer();
    EXPECT_EQ(f.text("Label1"), "2026年12月7日 21:25:55 星期1");
}

TEST(Fo23Window, ControlTable)
{
    const auto& d = Fo23::Design();
    EXPECT_EQ(d.caption, "Velmora自动化设备有限公司");
    EXPECT_EQ(d.icon, "exchanger");
    EXPECT_EQ(d.clientWidth, 5715);
    EXPECT_EQ(d.clientHeight, 8460);
    EXPECT_FALSE(d.frameRelative);

    std::set<std::string> keys;
    std::set<int> tabs;
    std::set<std::string> workFields;
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
                workFields.insert(key);
            }
        } else if (c.kind == ControlKind::TextBox || c.kind == ControlKind::CommandButton) {
            EXPECT_LT(c.left + c.width, d.clientWidth) << key;
            EXPECT_GE(c.tab, 0) << key;
        }
    }
    EXPECT_EQ(workFields, (std::set<std::string>{"Text10", "Text11", "Text14", "Text15", "Text16", "Text17", "Text18",
                                                 "Text22", "Text28", "Text29", "Text30"}));
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
