#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "common/number.h"
#include "unit/form1.h"

using heatcalc::CalculationFailure;
using heatcalc::ControlKind;
using heatcalc::FailureReason;
using heatcalc::Field;
using heatcalc::Form1;
namespace form1 = heatcalc::form1;

namespace {

using Texts = std::vector<std::pair<Field, const char*>>;

void setAll(Form1& f, const Texts& texts)
{
    for (const auto& [field, text] : texts)
        f.setText(field, text);
}

void expectAll(const Form1& f, const Texts& texts, const std::string& context = {})
{
    for (const auto& [field, text] : texts)
        EXPECT_EQ(f.text(field), text) << field.key() << " " << context;
}

// Outputs of one press from the design texts.
const Texts DesignResults = {
    {form1::HeatLoadMW, "2.90697674418605"},
    {form1::EquivalentLength, "300"},
    {form1::PipeVelocity, "3.53677950054307"},
    {form1::CirculationPumpHead, "46.09342615065"},
    {form1::CirculationPumpFlow, "120"},
    {form1::MakeupPumpFlow, "5"},
    {form1::MakeupPumpHead, "30"},
    {form1::MakeupTankVolume, "2.5"},
};

}  // namespace

TEST(Form1Window, FreshWindowShowsDesignTexts)
{
    Form1 f;
    expectAll(f, {{form1::UnitFlow, "100"},
                  {form1::UnitTempDiff, "25"},
                  {form1::BuildingHeight, "25"},
                  {form1::PipeLength, "300"},
                  {form1::PipeDN, "100"},
                  {form1::CirculationPumpCount, "1"},
                  {form1::ElbowCount, "0"},
                  {form1::GateValveCount, "0"},
                  {form1::CheckValveCount, "0"},
                  {form1::ShownPipeVelocity, "0"},
                  {form1::CirculationPumpFlow, "0"},
                  {form1::ShownPumpHead, "0"},
                  {form1::MakeupPumpFlow, "0"},
                  {form1::MakeupPumpHead, "0"},
                  {form1::MakeupTankVolume, "0"},
                  {form1::HeatLoadMW, "Text9"},
                  {form1::PipeVelocity, "1"},
                  {form1::CirculationPumpHead, "1"},
                  {form1::EquivalentLength, "Text18"}});
    EXPECT_EQ(f.text("Label1"), "机组配置");
    EXPECT_EQ(f.text("Command1"), "计算");
    EXPECT_TRUE(f.hasHandler("Command1_Click"));
}

TEST(Form1Window, ControlTable)
{
    const auto& d = Form1::designTable();
    EXPECT_EQ(d.caption, "换热机组主要元件配制");
    EXPECT_EQ(d.icon, "unit");
    EXPECT_TRUE(d.frameRelative);

    std::set<std::string> labels;
    for (const auto& c : d.controls)
        if (c.kind == ControlKind::Label)
            labels.insert(heatcalc::controlKey(c));

    std::set<std::string_view> workFields;
    for (const auto& c : d.controls) {
        if (c.workField) {
            workFields.insert(c.name);
            EXPECT_GE(c.left, d.clientWidth) << c.name;  // out of the user's view
            EXPECT_EQ(c.filledBy, std::vector<std::string_view>{"Command1_Click"}) << c.name;
        } else if (c.kind == ControlKind::TextBox || c.kind == ControlKind::ComboBox) {
            EXPECT_TRUE(labels.count(std::string(c.captionLabel))) << c.name << " has no caption label";
        }
    }
    EXPECT_EQ(workFields,
              (std::set<std::string_view>{form1::HeatLoadMW.key(), form1::PipeVelocity.key(),
                                          form1::CirculationPumpHead.key(), form1::EquivalentLength.key()}));
}

TEST(Form1Sizing, FirstPressShowsTheDesignVelocityAndHead)
{
    Form1 f;
    f.Command1_Click();
    expectAll(f, DesignResults);
    expectAll(f, {{form1::ShownPipeVelocity, "1"}, {form1::ShownPumpHead, "1"}});
}

TEST(Form1Sizing, SecondPressShowsTheFirstPressResults)
{
    Form1 f;
    f.Command1_Click();
    f.Command1_Click();
    expectAll(f, DesignResults);
    expectAll(f, {{form1::ShownPipeVelocity, "3.53677950054307"}, {form1::ShownPumpHead, "46.09342615065"}});
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
         {{form1::PipeDN, "80"},
          {form1::CirculationPumpCount, "02"},
          {form1::ElbowCount, "2"},
          {form1::GateValveCount, "1"},
          {form1::CheckValveCount, "1"}},
         {{form1::EquivalentLength, "310.9"},
          {form1::PipeVelocity, "5.52621796959855"},
          {form1::CirculationPumpHead, "152.442407870243"},
          {form1::CirculationPumpFlow, "84"}},
         {{form1::ShownPipeVelocity, "5.52621796959855"}, {form1::ShownPumpHead, "152.442407870243"}}},
        {"three pumps", {{form1::CirculationPumpCount, "03"}}, {{form1::CirculationPumpFlow, "72"}}, {}},
        {"typed pump count 4",
         {{form1::CirculationPumpCount, "4"}},
         {{form1::CirculationPumpFlow, "0"}, {form1::MakeupPumpFlow, "5"}},
         {}},
        {"DN 600",
         {{form1::PipeDN, "600"}},
         {{form1::PipeVelocity, "0.0982438750150854"}, {form1::CirculationPumpHead, "0.00559107933985018"}},
         {{form1::ShownPipeVelocity, "流速太低"}, {form1::ShownPumpHead, "扬程太低"}}},
        {"temperature difference 20",
         {{form1::UnitTempDiff, "20"}},
         {{form1::HeatLoadMW, "2.32558139534884"},
          {form1::PipeVelocity, "3.53677950054307"},
          {form1::CirculationPumpFlow, "120"}},
         {{form1::ShownPipeVelocity, "3.53677950054307"}}},
    };
    for (const SizingCase& c : cases) {
        Form1 f;
        setAll(f, c.inputs);
        f.Command1_Click();
        expectAll(f, c.results, c.name);
        expectAll(f, {{form1::ShownPipeVelocity, "1"}, {form1::ShownPumpHead, "1"}}, c.name);
        f.Command1_Click();
        expectAll(f, c.results, c.name);
        expectAll(f, c.shownSecond, c.name);
    }

    // The friction loss takes the mass flow for the design difference of 25 K from the heat load,
    // so a smaller temperature difference lowers the head while the velocity stays.
    Form1 f;
    f.setText(form1::UnitTempDiff, "20");
    f.Command1_Click();
    EXPECT_NEAR(*heatcalc::ParseNumber(f.text(form1::CirculationPumpHead)), 30.0198, 0.0001);
}

TEST(Form1Sizing, VelocityOfExactlyTheThresholdLeavesTheShownVelocity)
{
    Form1 f;
    f.Command1_Click();
    f.Command1_Click();
    f.setText(form1::UnitFlow, "2.827431");
    f.Command1_Click();
    EXPECT_EQ(f.text(form1::PipeVelocity), "0.1");
    EXPECT_EQ(f.text(form1::ShownPipeVelocity), "3.53677950054307");
    f.Command1_Click();
    EXPECT_EQ(f.text(form1::PipeVelocity), "0.1");
    EXPECT_EQ(f.text(form1::ShownPipeVelocity), "3.53677950054307");
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
        f.setText(form1::CirculationPumpCount, count);
        f.Command1_Click();
        EXPECT_EQ(f.text(form1::CirculationPumpFlow), flow) << count;
        EXPECT_EQ(f.text(form1::MakeupTankVolume), "2.5") << count;  // the statements after the test still run
    }
    // A count that matches no row keeps the flow of the press before.
    Form1 f;
    f.setText(form1::CirculationPumpCount, "02");
    f.Command1_Click();
    f.setText(form1::CirculationPumpCount, "1.5");
    f.Command1_Click();
    EXPECT_EQ(f.text(form1::CirculationPumpFlow), "84");
}

struct FailureCase {
    const char* name;
    Texts inputs;
    Field field;  // the field the failure names
    FailureReason reason;
    Texts after;  // texts after the failed press
};

TEST(Form1Failure, StopsAtTheFailingStepAndKeepsEarlierWrites)
{
    const char* heat = "2.90697674418605";
    // clang-format off
    const std::vector<FailureCase> cases = {
        {"flow empty", {{form1::UnitFlow, ""}}, form1::UnitFlow, FailureReason::NotANumber, {{form1::HeatLoadMW, "Text9"}, {form1::ShownPipeVelocity, "0"}, {form1::ShownPumpHead, "0"}, {form1::EquivalentLength, "Text18"}}},
        {"elbows not a number", {{form1::ElbowCount, "x"}}, form1::ElbowCount, FailureReason::NotANumber, {{form1::HeatLoadMW, heat}, {form1::ShownPipeVelocity, "1"}, {form1::ShownPumpHead, "1"}, {form1::EquivalentLength, "Text18"}, {form1::PipeVelocity, "1"}}},
        {"DN 0", {{form1::PipeDN, "0"}}, form1::PipeVelocity, FailureReason::DivisionByZero, {{form1::HeatLoadMW, heat}, {form1::EquivalentLength, "300"}, {form1::PipeVelocity, "1"}, {form1::CirculationPumpHead, "1"}, {form1::CirculationPumpFlow, "0"}}},
        {"DN not a number", {{form1::PipeDN, "DN100"}}, form1::PipeDN, FailureReason::NotANumber, {{form1::EquivalentLength, "300"}, {form1::PipeVelocity, "1"}}},
        {"DN beyond the range of a number", {{form1::PipeDN, "-1E400"}}, form1::PipeDN, FailureReason::NumberOutOfRange, {{form1::EquivalentLength, "300"}, {form1::PipeVelocity, "1"}}},
        {"flow 0", {{form1::UnitFlow, "0"}}, form1::CirculationPumpHead, FailureReason::DivisionByZero, {{form1::HeatLoadMW, "0"}, {form1::EquivalentLength, "300"}, {form1::PipeVelocity, "0"}, {form1::CirculationPumpHead, "1"}, {form1::CirculationPumpFlow, "0"}, {form1::MakeupPumpFlow, "0"}}},
        {"temperature difference 0", {{form1::UnitTempDiff, "0"}}, form1::CirculationPumpHead, FailureReason::DivisionByZero, {{form1::HeatLoadMW, "0"}, {form1::PipeVelocity, "3.53677950054307"}, {form1::CirculationPumpHead, "1"}}},
        {"negative DN", {{form1::PipeDN, "-100"}}, form1::CirculationPumpHead, FailureReason::NoRealPower, {{form1::HeatLoadMW, heat}, {form1::EquivalentLength, "300"}, {form1::PipeVelocity, "3.53677950054307"}, {form1::CirculationPumpHead, "1"}, {form1::CirculationPumpFlow, "0"}}},
        {"pump count empty", {{form1::CirculationPumpCount, ""}}, form1::CirculationPumpCount, FailureReason::NotANumber, {{form1::PipeVelocity, "3.53677950054307"}, {form1::CirculationPumpHead, "46.09342615065"}, {form1::CirculationPumpFlow, "0"}, {form1::MakeupPumpFlow, "0"}}},
        {"building height not a number", {{form1::BuildingHeight, "abc"}}, form1::BuildingHeight, FailureReason::NotANumber, {{form1::CirculationPumpFlow, "120"}, {form1::MakeupPumpFlow, "5"}, {form1::MakeupPumpHead, "0"}, {form1::MakeupTankVolume, "0"}}},
    };
    // clang-format on
    for (const FailureCase& c : cases) {
        Form1 f;
        setAll(f, c.inputs);
        try {
            f.Command1_Click();
            ADD_FAILURE() << c.name << ": no failure";
        } catch (const CalculationFailure& e) {
            EXPECT_EQ(e.field(), c.field.key()) << c.name;
            EXPECT_EQ(e.reason(), c.reason) << c.name;
        }
        expectAll(f, c.after, c.name);
    }
}

TEST(Form1Failure, ZeroVelocityIsShownAsTooLowOnTheNextPress)
{
    Form1 f;
    f.setText(form1::UnitFlow, "0");
    EXPECT_THROW(f.Command1_Click(), CalculationFailure);
    EXPECT_THROW(f.Command1_Click(), CalculationFailure);
    EXPECT_EQ(f.text(form1::ShownPipeVelocity), "流速太低");
    EXPECT_EQ(f.text(form1::ShownPumpHead), "1");
}
