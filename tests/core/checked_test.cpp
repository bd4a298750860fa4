#include <gtest/gtest.h>

#include <cmath>
#include <iterator>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "common/checked.h"
#include "common/clock.h"
#include "common/heat.h"
#include "plate/fo.h"
#include "unit/form1.h"
#include "weight/form2.h"

using namespace heatcalc;

namespace {

// The fields a failure names, by key.
std::vector<std::string> sourcesOf(const Num& n)
{
    try {
        n.value("Target");
    } catch (const CalculationFailure& f) {
        return f.sources();
    }
    ADD_FAILURE() << "no failure";
    return {};
}

FailureReason reasonOf(const Num& n)
{
    try {
        n.value("Target");
    } catch (const CalculationFailure& f) {
        return f.reason();
    }
    ADD_FAILURE() << "no failure";
    return FailureReason::NotANumber;
}

}  // namespace

TEST(CheckedArithmetic, FaultsBecomeFailures)
{
    EXPECT_EQ(reasonOf(Num(1) / 0), FailureReason::DivisionByZero);
    EXPECT_EQ(reasonOf(Num(0) / 0), FailureReason::DivisionByZero);
    EXPECT_EQ(reasonOf(Num(1e308) * 10), FailureReason::OutOfRange);
    EXPECT_EQ(reasonOf(Num(-1e308) - 1e308), FailureReason::OutOfRange);
    EXPECT_EQ(reasonOf(Log(0)), FailureReason::LogOfNonPositive);
    EXPECT_EQ(reasonOf(Log(-5)), FailureReason::LogOfNonPositive);
    EXPECT_EQ(reasonOf(Sqr(-1)), FailureReason::SqrtOfNegative);
    EXPECT_EQ(reasonOf(Pow(-8, 0.25)), FailureReason::NoRealPower);
    EXPECT_EQ(reasonOf(Pow(0, -1)), FailureReason::NoRealPower);
    EXPECT_EQ(reasonOf(Pow(10, 400)), FailureReason::OutOfRange);
}

TEST(CheckedArithmetic, ValidOperations)
{
    EXPECT_EQ(Pow(-2, 2).value(), 4.0);
    EXPECT_EQ(Pow(0, 0.3).value(), 0.0);
    EXPECT_EQ((Num(1e-300) * 1e-300).value(), 0.0);  // underflow is no failure
    EXPECT_EQ(Sqr(0).value(), 0.0);
}

TEST(CheckedArithmetic, FirstFailureInWrittenOrderWins)
{
    const Num badD = Num::failed(FailureReason::NotANumber, "Text1");
    const Num badL = Num::failed(FailureReason::NotANumber, "Text3");
    try {
        (badD * 3.14 * badL).value("Text18");
        FAIL();
    } catch (const CalculationFailure& f) {
        EXPECT_EQ(f.field(), "Text1");
    }
    try {
        ((Num(1) / 0) * badL).value("Text18");
        FAIL();
    } catch (const CalculationFailure& f) {
        EXPECT_EQ(f.field(), "Text18");  // the statement's own field for an arithmetic fault
        EXPECT_EQ(f.reason(), FailureReason::DivisionByZero);
    }
    EXPECT_THROW((void)(badL < 1), CalculationFailure);
}

TEST(CheckedArithmetic, AFaultKeepsTheFieldsOfTheOperandsThatCausedIt)
{
    // Four fields: two read directly, one work field with the fourth behind it.
    const SourceKeys keys{"Text1", "Text2", "Text3", "Text4"};
    const Num one(1, {0b0001, 0, &keys});
    const Num zero(0, {0b0010, 0, &keys});
    const Num minus(-1, {0, 0b1000, &keys});  // read from a work field made from Text4
    const Num half(0.5, {0b0100, 0, &keys});
    const Num huge(1e308, {0b0100, 0, &keys});
    using V = std::vector<std::string>;
    EXPECT_EQ(sourcesOf(one / zero), V{"Text2"});  // the divisor's
    EXPECT_EQ(sourcesOf(one / (zero * one)), (V{"Text1", "Text2"}));
    EXPECT_EQ(sourcesOf(Log(zero) + one), V{"Text2"});  // the argument's, passed on
    EXPECT_EQ(sourcesOf(Sqr(-minus - 2)), V{"Text4"});
    EXPECT_EQ(sourcesOf(Pow(minus, half)), (V{"Text3", "Text4"}));  // both; read ones first
    EXPECT_EQ(sourcesOf(huge * (one + minus + 10)), (V{"Text1", "Text3", "Text4"}));
    // A field both read and behind a work field is named once, with those read.
    EXPECT_EQ((Sources{0b0100, 0b0101, &keys}.ordered()), (V{"Text3", "Text1"}));
}

// The window's fields pass their sources on from statement to statement and press to press.
TEST(CheckedArithmetic, FailuresOfAWindowNameTheInputsBehindThem)
{
    auto sourcesOfPress = [](Fo& f, void (Fo::*press)()) {
        try {
            (f.*press)();
        } catch (const CalculationFailure& e) {
            return e.sources();
        }
        ADD_FAILURE() << "no failure";
        return std::vector<std::string>{};
    };
    using V = std::vector<std::string>;
    Fo f;
    f.setText("Text6", "0");  // the area's divisor: K read here, the temperatures behind the LMTD
    EXPECT_EQ(sourcesOfPress(f, &Fo::Command1_Click), (V{"Text6", "Text2", "Text3", "Text4", "Text5"}));

    // Added plates that cancel the plates for the area: no channels, so the velocity divides by
    // zero. The channel count comes from the added plates, the area (from the inputs of the area
    // step) and the plate area the list picked.
    f.setText("Text6", "5000");
    f.Command1_Click();
    f.setText("Combo2", "0.5");
    f.setText("Text26", "-22.3595066051178");
    const V behind{"Text1", "Text2", "Text3", "Text4", "Text5", "Text6", "Combo2", "Text26"};
    EXPECT_EQ(sourcesOfPress(f, &Fo::Command4_Click), behind);
    // Typed over, the area is an input of its own.
    f.setText("Text13", "11.1797533025589");
    EXPECT_EQ(sourcesOfPress(f, &Fo::Command4_Click), (V{"Text13", "Combo2", "Text26"}));
}

// A window whose fields can be read as its handlers read them.
template <class Window> struct Reader : Window {
    std::vector<std::string> sourcesOf(std::string_view field) const { return this->num(field).sources().ordered(); }
};

TEST(CheckedArithmetic, TableRowsComeFromTheFieldThatPicksThem)
{
    using V = std::vector<std::string>;
    Reader<Fo> plate;
    plate.Command1_Click();
    EXPECT_EQ(plate.sourcesOf("Text28"), V{"Text2"});  // viscosity at the primary supply temperature
    EXPECT_EQ(plate.sourcesOf("Text39"), V{"Text5"});  // conductivity at the secondary return
    Reader<Form1> unit;
    unit.Command1_Click();
    EXPECT_EQ(unit.sourcesOf("Text5"), (V{"Text1", "Combo2"}));  // pump flow for the pump count
    Reader<Form2> weight;
    weight.setText("Combo1", "铸钢");
    weight.Combo1_Click();
    EXPECT_EQ(weight.sourcesOf("Text21"), V{"Combo1"});  // density of the material
}

TEST(CalculationFailure, EveryReasonHasWordsOfItsOwn)
{
    const FailureReason all[] = {FailureReason::NotANumber,       FailureReason::NumberOutOfRange,
                                 FailureReason::DivisionByZero,   FailureReason::OutOfRange,
                                 FailureReason::LogOfNonPositive, FailureReason::SqrtOfNegative,
                                 FailureReason::NoRealPower};
    std::set<std::string_view> chinese;
    std::set<std::string> english;
    for (FailureReason reason : all) {
        chinese.insert(reasonWords(reason));
        const std::string what = CalculationFailure("Text1", reason).what();
        EXPECT_EQ(what.rfind("Text1: ", 0), 0u) << what;
        english.insert(what);
    }
    EXPECT_EQ(chinese.size(), std::size(all));
    EXPECT_EQ(english.size(), std::size(all));
    EXPECT_FALSE(chinese.count("无法计算"));
    EXPECT_EQ(reasonWords(FailureReason::NumberOutOfRange), "超出数值范围");
    EXPECT_STREQ(CalculationFailure("", FailureReason::NumberOutOfRange).what(), "calculation: number out of range");
}

TEST(HeatFormulas, LogMeanTempDiffBranches)
{
    auto lmtd = [](double a, double b) {
        Num out = Num::failed(FailureReason::NotANumber);
        int writes = 0;
        LogMeanTempDiff([&] { return Num(a); }, [&] { return Num(b); },
                        [&](const Num& v) {
                            ++writes;
                            out = v;
                        });
        EXPECT_LE(writes, 1);
        return out;
    };
    EXPECT_EQ(lmtd(30, 10).value(), 20 / std::log(3.0));
    EXPECT_EQ(lmtd(10, 20).value(), 10 / std::log(2.0));
    EXPECT_EQ(lmtd(30, 30).value(), 30.0);
    EXPECT_EQ(lmtd(-10, -30).value(), 20 / std::log(1.0 / 3));
    EXPECT_EQ(reasonOf(lmtd(-10, 50)), FailureReason::LogOfNonPositive);
    EXPECT_EQ(reasonOf(lmtd(0, 5)), FailureReason::DivisionByZero);
    EXPECT_EQ(reasonOf(lmtd(5, 0)), FailureReason::DivisionByZero);
    EXPECT_EQ(reasonOf(lmtd(0, -5)), FailureReason::LogOfNonPositive);
}

TEST(HeatFormulas, PlateDefaults)
{
    EXPECT_EQ(HeatLoad(1).value(), 814100.0);
    EXPECT_EQ(WaterFlow(HeatLoad(1), 100, 60).value(), 814100.0 / (40 * 1163.0));
    EXPECT_EQ(RequiredArea(HeatLoad(1), 5000, 18.2047845325367).value(), 814100.0 / ((5000 * 18.2047845325367) * 0.8));
}

TEST(ClockCaption, DateTimeAndWeekday)
{
    EXPECT_EQ(ClockCaption({2026, 12, 7, 21, 25, 55, 1}), "2026年12月7日 21:25:55 星期1");
    EXPECT_EQ(ClockCaption({2027, 1, 1, 9, 5, 3, 5}), "2027年1月1日 9:05:03 星期5");
    EXPECT_EQ(ClockCaption({2026, 12, 6, 0, 0, 0, 0}).substr(ClockCaption({2026, 12, 6, 0, 0, 0, 0}).size() - 7),
              "星期0");
    EXPECT_EQ(ClockCaption({2026, 12, 12, 23, 59, 59, 6}), "2026年12月12日 23:59:59 星期6");
}
