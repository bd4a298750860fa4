#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

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
    // clang-format off
    for (auto [field, text] : {std::pair{"Text1", "0.019"}, {"Text2", "0.015"}, {"Text3", "3"}, {"Text7", "0.019"},
                               {"Text8", "1"}, {"Text12", "1"}, {"Text13", "1"}, {"Text14", "0.003"}, {"Text5", "0"},
                               {"Text18", "0"}, {"Text10", "0"}, {"Text19", "0"}, {"Text16", "0"}, {"Text20", "0"},
                               {"Text21", "Text21"}, {"Combo1", "请选择材质"}, {"Label1", "材料重量计算"}})
        EXPECT_EQ(f.text(field), text) << field;
    // clang-format on
    EXPECT_EQ(Form2::Design().caption, "重量计算");
}

TEST(Form2, EveryMaterialOfTheListWritesItsDensity)
{
    // The list in its order, each material with its density in kg/m3. Each is picked on a window
    // of its own, so that a material that wrote nothing cannot pass with the density of the one
    // before it.
    const std::vector<std::pair<std::string, std::string>> materials = {
        {"灰铸铁（<HT200）", "7200"},
        {"灰铸铁（<HT250）", "7350"},
        {"白口铸铁", "7500"},
        {"可锻铸铁", "7400"},
        {"工业球纯铁", "7870"},
        {"铸钢", "7800"},
        {"铸材", "7850"},
        {"低碳钢（含碳0.1%）", "7850"},
        {"低碳钢（含碳0.4%）", "7820"},
        {"高碳钢（含碳1%）", "7810"},
        {"高碳钢（含碳9%）", "8300"},
        {"高碳钢（含碳18%）", "8700"},
        {"不锈钢（1CR18N19）", "7930"},
        {"不锈钢（1CR3）", "7750"},
        {"不锈钢（1CR17）", "7700"},
        {"纯铜（紫铜）", "8900"},
        {"工业纯铝", "2710"},
        {"铅板", "11340"},
        {"锡", "7300"},
        {"汞", "13600"},
    };
    std::vector<std::string> listed;
    for (const heatcalc::Control& c : Form2::Design().controls)
        if (c.name == "Combo1")
            listed.assign(c.items.begin(), c.items.end());
    std::vector<std::string> names;
    for (const auto& [name, density] : materials) {
        names.push_back(name);
        EXPECT_EQ(densityAfterPicking(name.c_str()), density) << name;
    }
    EXPECT_EQ(listed, names);
}

TEST(Form2, UnlistedNameKeepsTheDensityField)
{
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
    for (const WeightCase& c :
         {WeightCase{"铸材", "21.074895", "2.22457225", "23.55"},
          WeightCase{"工业纯铝", "7.275537", "0.76797335", "8.13"}, WeightCase{"汞", "36.51192", "3.854036", "40.8"}}) {
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
