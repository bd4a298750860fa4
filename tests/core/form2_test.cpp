#include <gtest/gtest.h>

#include "weight/form2.h"

using heatcalc::CalculationFailure;
using heatcalc::FailureReason;
using heatcalc::Form2;

namespace {

void pick(Form2& f, const char* material)
{
    f.setText("Combo1", material);
    f.Combo1_Click();
}

std::string densityAfterPicking(const char* material)
{
    Form2 f;
    pick(f, material);
    return f.text("Text21");
}

}  // namespace

TEST(Form2, DesignTexts)
{
    Form2 f;
    for (auto [field, text] : {std::pair{"Text1", "0.019"}, {"Text2", "0.015"}, {"Text3", "3"}, {"Text7", "0.019"},
                               {"Text8", "1"}, {"Text12", "1"}, {"Text13", "1"}, {"Text14", "0.003"}, {"Text5", "0"},
                               {"Text18", "0"}, {"Text10", "0"}, {"Text19", "0"}, {"Text16", "0"}, {"Text20", "0"},
                               {"Text21", "Text21"}, {"Combo1", "请选择材质"}, {"Label1", "材料重量计算"}})
        EXPECT_EQ(f.text(field), text) << field;
    EXPECT_EQ(Form2::Design().caption, "重量计算");
}

TEST(Form2, MaterialLookupWritesDensity)
{
    EXPECT_EQ(densityAfterPicking("工业纯铝"), "2710");
    EXPECT_EQ(densityAfterPicking("铅板"), "11340");
    EXPECT_EQ(densityAfterPicking("汞"), "13600");
    EXPECT_EQ(densityAfterPicking("铸材"), "7850");
    EXPECT_EQ(densityAfterPicking("低碳钢（含碳0.1%）"), "7850");
    EXPECT_EQ(densityAfterPicking("灰铸铁（<HT200）"), "7200");
    // No trimming, no folding of full-width brackets: no match, the field keeps its text.
    EXPECT_EQ(densityAfterPicking("铸材 "), "Text21");
    EXPECT_EQ(densityAfterPicking("低碳钢(含碳0.1%)"), "Text21");
}

TEST(Form2, TypedNameKeepsTheDensityPicked)
{
    Form2 f;
    pick(f, "铸钢");
    f.setText("Combo1", "汞");
    EXPECT_EQ(f.text("Text21"), "7800");
    f.Command3_Click();
    EXPECT_EQ(f.text("Text16"), "23.4");
}

struct WeightCase {
    const char* material;
    const char* pipe;
    const char* bar;
    const char* plate;
};

TEST(Form2, ThreeShapesForEachDensity)
{
    for (const WeightCase& c : {WeightCase{"铸材", "21.074895", "2.22457225", "23.55"},
                                WeightCase{"工业纯铝", "7.275537", "0.76797335", "8.13"},
                                WeightCase{"汞", "36.51192", "3.854036", "40.8"}}) {
        Form2 f;
        pick(f, c.material);
        f.Command1_Click();
        f.Command2_Click();
        f.Command3_Click();
        EXPECT_EQ(f.text("Text18"), "0.17898");
        EXPECT_EQ(f.text("Text19"), "0.05966");
        EXPECT_EQ(f.text("Text20"), "1");
        EXPECT_EQ(f.text("Text5"), c.pipe) << c.material;
        EXPECT_EQ(f.text("Text10"), c.bar) << c.material;
        EXPECT_EQ(f.text("Text16"), c.plate) << c.material;
        f.Command1_Click();  // a second press writes the same texts
        EXPECT_EQ(f.text("Text5"), c.pipe);
    }
}

TEST(Form2, NoMaterialWritesTheAreaThenStopsAtTheDensity)
{
    Form2 f;
    try {
        f.Command1_Click();
        FAIL() << "no failure";
    } catch (const CalculationFailure& e) {
        EXPECT_EQ(e.field(), "Text21");
        EXPECT_EQ(e.reason(), FailureReason::NotANumber);
    }
    EXPECT_EQ(f.text("Text18"), "0.17898");
    EXPECT_EQ(f.text("Text5"), "0");
    EXPECT_THROW(f.Command2_Click(), CalculationFailure);
    EXPECT_EQ(f.text("Text19"), "0.05966");
    EXPECT_EQ(f.text("Text10"), "0");
}

TEST(Form2, NegativeDiameter)
{
    Form2 f;
    pick(f, "铸材");
    f.setText("Text1", "-0.019");
    f.setText("Text7", "-0.019");
    f.Command1_Click();
    f.Command2_Click();
    EXPECT_EQ(f.text("Text18"), "-0.17898");
    EXPECT_EQ(f.text("Text5"), "-21.074895");
    EXPECT_EQ(f.text("Text19"), "-0.05966");
    EXPECT_EQ(f.text("Text10"), "2.22457225");
}

TEST(Form2, BadInputsStopWhereTheyAreRead)
{
    Form2 f;
    pick(f, "铸材");
    f.setText("Text2", "abc");  // wall thickness: the area is written, the weight fails
    EXPECT_THROW(f.Command1_Click(), CalculationFailure);
    EXPECT_EQ(f.text("Text18"), "0.17898");
    EXPECT_EQ(f.text("Text5"), "0");

    f.setText("Text12", "");  // plate length: nothing is written
    try {
        f.Command3_Click();
        FAIL();
    } catch (const CalculationFailure& e) {
        EXPECT_EQ(e.field(), "Text12");
    }
    EXPECT_EQ(f.text("Text20"), "0");

    f.setText("Text7", "1e200");  // overflow of the bar's weight
    f.setText("Text8", "1e200");
    try {
        f.Command2_Click();
        FAIL();
    } catch (const CalculationFailure& e) {
        EXPECT_EQ(e.reason(), FailureReason::OutOfRange);
        EXPECT_EQ(e.field(), "Text19");
    }
}
