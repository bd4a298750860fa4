#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "common/number.h"
#include "unit/form1.h"

using heatcalc::CalculationFailure;
using heatcalc::ControlKind;
using heatcalc::FailureReason;
using heatcalc::Form1;

namespace {

using Texts = std::vector<std::pair<const char*, const char*>>;

void setAll(Form1& f, const Texts& texts)
{
    for (const auto& [field, text] : texts)
        f.setText(field, text);
}

void expectAll(const Form1& f, const Texts& texts, const std::string& context = {})
{
    for (const auto& [field, text] : texts)
        EXPECT_EQ(f.text(field), text) << field << " " << context;
}

// Outputs of one press from the design texts.
const Texts DesignResults = {
    {"Text9", "2.90697674418605"},
    {"Text18", "300"},
    {"Text4", "3.53677950054307"},
    {"Text6", "46.09342615065"},
    {"Text5", "120"},
    {"Text7", "5"},
    {"Text8", "30"},
    {"Text12", "2.5"},
};

}  // namespace

TEST(Form1Window, FreshWindowShowsDesignTexts)
{
    Form1 f;
    expectAll(f, {{"Text1", "100"},    {"Text11", "25"}, {"Text2", "25"}, {"Text3", "300"},     {"Combo1", "100"},
                  {"Combo2", "1"},     {"Text15", "0"},  {"Text16", "0"}, {"Text17", "0"},      {"Text13", "0"},
                  {"Text5", "0"},      {"Text14", "0"},  {"Text7", "0"},  {"Text8", "0"},       {"Text12", "0"},
                  {"Text9", "Text9"},  {"Text4", "1"},   {"Text6", "1"},  {"Text18", "Text18"}, {"Label1", "机组配置"},
                  {"Command1", "计算"}});
    EXPECT_TRUE(f.hasHandler("Command1_Click"));
}

TEST(Form1Window, ControlTable)
{
    const auto& d = Form1::Design();
    EXPECT_EQ(d.caption, "换热机组主要元件配制");
    EXPECT_EQ(d.icon, "unit");
    EXPECT_TRUE(d.frameRelative);

    std::set<std::string> labels;
    for (const auto& c : d.controls)
        if (c.kind == ControlKind::Label)
            labels.insert(heatcalc::controlKey(c));

    std::vector<std::pair<int, std::string_view>> tabs;
    std::set<std::string_view> workFields;
    for (const auto& c : d.controls) {
        if (c.workField) {
            workFields.insert(c.name);
            EXPECT_GE(c.left, d.clientWidth) << c.name;  // out of the user's view
            EXPECT_EQ(c.filledBy, std::vector<std::string_view>{"Command1_Click"}) << c.name;
        } else if (c.kind == ControlKind::TextBox || c.kind == ControlKind::ComboBox) {
            EXPECT_TRUE(labels.count(std::string(c.captionLabel))) << c.name << " has no caption label";
        }
        if (c.tab >= 0)
            tabs.emplace_back(c.tab, c.name);
    }
    EXPECT_EQ(workFields, (std::set<std::string_view>{"Text9", "Text4", "Text6", "Text18"}));

    std::sort(tabs.begin(), tabs.end());
    std::vector<std::string_view> order;
    for (const auto& entry : tabs)
        order.push_back(entry.second);
    EXPECT_EQ(tabs.front().first, 0);
    EXPECT_EQ(order, (std::vector<std::string_view>{"Text1", "Text11", "Text2", "Text3", "Combo1", "Combo2", "Text15",
                                                    "Text16", "Text17", "Command1", "Text13", "Text5", "Text14",
                                                    "Text7", "Text8", "Text12"}));
}

TEST(Form1Sizing, FirstPressShowsTheDesignVelocityAndHead)
{
    Form1 f;
    f.Command1_Click();
    expectAll(f, DesignResults);
    expectAll(f, {{"Text13", "1"}, {"Text14", "1"}});
}

TEST(Form1Sizing, SecondPressShowsTheFirstPressResults)
{
    Form1 f;
    f.Command1_Click();
    f.Command1_Click();
    expectAll(f, DesignResults);
    expectAll(f, {{"Text13", "3.53677950054307"}, {"Text14", "46.09342615065"}});
}

struct SizingCase {
    const char* name;
    Texts inputs;
    Texts results;      // written alike by every press
    Texts shownSecond;  // velocity and head shown by the second press (the first shows "1", "1")
};

TEST(Form1Sizing, Examples)
{
    const std::vector<SizingCase> cases = {
        {"DN 80, two pumps, fittings",
         {{"Combo1", "80"}, {"Combo2", "02"}, {"Text15", "2"}, {"Text16", "1"}, {"Text17", "1"}},
         {{"Text18", "310.9"}, {"Text4", "5.52621796959855"}, {"Text6", "152.442407870243"}, {"Text5", "84"}},
         {{"Text13", "5.52621796959855"}, {"Text14", "152.442407870243"}}},
        {"three pumps", {{"Combo2", "03"}}, {{"Text5", "72"}}, {}},
        {"typed pump count 4", {{"Combo2", "4"}}, {{"Text5", "0"}, {"Text7", "5"}}, {}},
        {"DN 600",
         {{"Combo1", "600"}},
         {{"Text4", "0.0982438750150854"}, {"Text6", "0.00559107933985018"}},
         {{"Text13", "流速太低"}, {"Text14", "扬程太低"}}},
        {"temperature difference 20",
         {{"Text11", "20"}},
         {{"Text9", "2.32558139534884"}, {"Text4", "3.53677950054307"}, {"Text5", "120"}},
         {{"Text13", "3.53677950054307"}}},
    };
    for (const SizingCase& c : cases) {
        Form1 f;
        setAll(f, c.inputs);
        f.Command1_Click();
        expectAll(f, c.results, c.name);
        expectAll(f, {{"Text13", "1"}, {"Text14", "1"}}, c.name);
        f.Command1_Click();
        expectAll(f, c.results, c.name);
        expectAll(f, c.shownSecond, c.name);
    }

    // The friction loss takes the mass flow for the design difference of 25 K from the heat load,
    // so a smaller temperature difference lowers the head while the velocity stays.
    Form1 f;
    f.setText("Text11", "20");
    f.Command1_Click();
    EXPECT_NEAR(*heatcalc::ParseNumber(f.text("Text6")), 30.0198, 0.0001);
}

TEST(Form1Sizing, VelocityOfExactlyTheThresholdLeavesTheShownVelocity)
{
    Form1 f;
    f.Command1_Click();
    f.Command1_Click();
    f.setText("Text1", "2.827431");
    f.Command1_Click();
    EXPECT_EQ(f.text("Text4"), "0.1");
    EXPECT_EQ(f.text("Text13"), "3.53677950054307");
    f.Command1_Click();
    EXPECT_EQ(f.text("Text4"), "0.1");
    EXPECT_EQ(f.text("Text13"), "3.53677950054307");
}

TEST(Form1Sizing, PumpCountMatchesTheNumber)
{
    for (auto [count, flow] : {std::pair{"01", "120"},
                               {"1", "120"},
                               {" 1 ", "120"},
                               {"2.0", "84"},
                               {"02", "84"},
                               {"03", "72"},
                               {"1.5", "0"},
                               {"4", "0"},
                               {"0", "0"}}) {
        Form1 f;
        f.setText("Combo2", count);
        f.Command1_Click();
        EXPECT_EQ(f.text("Text5"), flow) << count;
        EXPECT_EQ(f.text("Text12"), "2.5") << count;  // the statements after the test still run
    }
    // A count that matches no row keeps the flow of the press before.
    Form1 f;
    f.setText("Combo2", "02");
    f.Command1_Click();
    f.setText("Combo2", "1.5");
    f.Command1_Click();
    EXPECT_EQ(f.text("Text5"), "84");
}

struct FailureCase {
    const char* name;
    Texts inputs;
    const char* field;  // the field the failure names
    FailureReason reason;
    Texts after;  // texts after the failed press
};

TEST(Form1Failure, StopsAtTheFailingStepAndKeepsEarlierWrites)
{
    const char* heat = "2.90697674418605";
    // clang-format off
    const std::vector<FailureCase> cases = {
        {"flow empty", {{"Text1", ""}}, "Text1", FailureReason::NotANumber, {{"Text9", "Text9"}, {"Text13", "0"}, {"Text14", "0"}, {"Text18", "Text18"}}},
        {"elbows not a number", {{"Text15", "x"}}, "Text15", FailureReason::NotANumber, {{"Text9", heat}, {"Text13", "1"}, {"Text14", "1"}, {"Text18", "Text18"}, {"Text4", "1"}}},
        {"DN 0", {{"Combo1", "0"}}, "Text4", FailureReason::DivisionByZero, {{"Text9", heat}, {"Text18", "300"}, {"Text4", "1"}, {"Text6", "1"}, {"Text5", "0"}}},
        {"DN not a number", {{"Combo1", "DN100"}}, "Combo1", FailureReason::NotANumber, {{"Text18", "300"}, {"Text4", "1"}}},
        {"DN beyond the range of a number", {{"Combo1", "-1E400"}}, "Combo1", FailureReason::NumberOutOfRange, {{"Text18", "300"}, {"Text4", "1"}}},
        {"flow 0", {{"Text1", "0"}}, "Text6", FailureReason::DivisionByZero, {{"Text9", "0"}, {"Text18", "300"}, {"Text4", "0"}, {"Text6", "1"}, {"Text5", "0"}, {"Text7", "0"}}},
        {"temperature difference 0", {{"Text11", "0"}}, "Text6", FailureReason::DivisionByZero, {{"Text9", "0"}, {"Text4", "3.53677950054307"}, {"Text6", "1"}}},
        {"negative DN", {{"Combo1", "-100"}}, "Text6", FailureReason::NoRealPower, {{"Text9", heat}, {"Text18", "300"}, {"Text4", "3.53677950054307"}, {"Text6", "1"}, {"Text5", "0"}}},
        {"pump count empty", {{"Combo2", ""}}, "Combo2", FailureReason::NotANumber, {{"Text4", "3.53677950054307"}, {"Text6", "46.09342615065"}, {"Text5", "0"}, {"Text7", "0"}}},
        {"building height not a number", {{"Text2", "abc"}}, "Text2", FailureReason::NotANumber, {{"Text5", "120"}, {"Text7", "5"}, {"Text8", "0"}, {"Text12", "0"}}},
    };
    // clang-format on
    for (const FailureCase& c : cases) {
        Form1 f;
        setAll(f, c.inputs);
        try {
            f.Command1_Click();
            ADD_FAILURE() << c.name << ": no failure";
        } catch (const CalculationFailure& e) {
            EXPECT_EQ(e.field(), c.field) << c.name;
            EXPECT_EQ(e.reason(), c.reason) << c.name;
        }
        expectAll(f, c.after, c.name);
    }
}

TEST(Form1Failure, ZeroVelocityIsShownAsTooLowOnTheNextPress)
{
    Form1 f;
    f.setText("Text1", "0");
    EXPECT_THROW(f.Command1_Click(), CalculationFailure);
    EXPECT_THROW(f.Command1_Click(), CalculationFailure);
    EXPECT_EQ(f.text("Text13"), "流速太低");
    EXPECT_EQ(f.text("Text14"), "1");
}
