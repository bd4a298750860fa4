#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "weight/form2.h"

using heatcalc::CalculationFailure;
using heatcalc::FailureReason;
using heatcalc::Form2;
namespace form2 = heatcalc::form2;

namespace {

void pick(Form2& f, const char* material)
{
    f.setText(form2::MaterialList, material);
    f.Combo1_Click();
}

std::string densityAfterPicking(const char* material)
{
    Form2 f;
    pick(f, material);
    return f.text(form2::MaterialDensity);
}

}  // namespace

TEST(Form2, DesignTexts)
{
    Form2 f;
    // clang-format off
    for (auto [field, text] : {std::pair{form2::PipeDiameter, "0.019"}, {form2::PipeWallThickness, "0.015"}, {form2::PipeLength, "3"},
                               {form2::BarDiameter, "0.019"}, {form2::BarLength, "1"},
                               {form2::PlateLength, "1"}, {form2::PlateWidth, "1"}, {form2::PlateThickness, "0.003"},
                               {form2::PipeWeight, "0"}, {form2::PipeSurface, "0"}, {form2::BarWeight, "0"}, {form2::BarSurface, "0"},
                               {form2::PlateWeight, "0"}, {form2::PlateArea, "0"},
                               {form2::MaterialDensity, "Text21"}, {form2::MaterialList, "请选择材质"}})
        EXPECT_EQ(f.text(field), text) << field.key();
    // clang-format on
    EXPECT_EQ(f.text("Label1"), "材料重量计算");
    EXPECT_EQ(Form2::designTable().caption, "重量计算");
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
    for (const heatcalc::Control& c : Form2::designTable().controls)
        if (c.name == form2::MaterialList.key())
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
    f.setText(form2::MaterialList, "汞");
    EXPECT_EQ(f.text(form2::MaterialDensity), "7800");
    f.Command3_Click();
    EXPECT_EQ(f.text(form2::PlateWeight), "23.4");
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
        EXPECT_EQ(f.text(form2::PipeSurface), "0.17898");
        EXPECT_EQ(f.text(form2::BarSurface), "0.05966");
        EXPECT_EQ(f.text(form2::PlateArea), "1");
        EXPECT_EQ(f.text(form2::PipeWeight), c.pipe) << c.material;
        EXPECT_EQ(f.text(form2::BarWeight), c.bar) << c.material;
        EXPECT_EQ(f.text(form2::PlateWeight), c.plate) << c.material;
        f.Command1_Click();  // a second press writes the same texts
        EXPECT_EQ(f.text(form2::PipeWeight), c.pipe);
    }
}

TEST(Form2, NoMaterialWritesTheAreaThenStopsAtTheDensity)
{
    Form2 f;
    try {
        f.Command1_Click();
        FAIL() << "no failure";
    } catch (const CalculationFailure& e) {
        EXPECT_EQ(e.field(), form2::MaterialDensity.key());
        EXPECT_EQ(e.reason(), FailureReason::NotANumber);
    }
    EXPECT_EQ(f.text(form2::PipeSurface), "0.17898");
    EXPECT_EQ(f.text(form2::PipeWeight), "0");
    EXPECT_THROW(f.Command2_Click(), CalculationFailure);
    EXPECT_EQ(f.text(form2::BarSurface), "0.05966");
    EXPECT_EQ(f.text(form2::BarWeight), "0");
}

TEST(Form2, NegativeDiameter)
{
    Form2 f;
    pick(f, "铸材");
    f.setText(form2::PipeDiameter, "-0.019");
    f.setText(form2::BarDiameter, "-0.019");
    f.Command1_Click();
    f.Command2_Click();
    EXPECT_EQ(f.text(form2::PipeSurface), "-0.17898");
    EXPECT_EQ(f.text(form2::PipeWeight), "-21.074895");
    EXPECT_EQ(f.text(form2::BarSurface), "-0.05966");
    EXPECT_EQ(f.text(form2::BarWeight), "2.22457225");
}

TEST(Form2, BadInputsStopWhereTheyAreRead)
{
    Form2 f;
    pick(f, "铸材");
    f.setText(form2::PipeWallThickness, "abc");  // wall thickness: the area is written, the weight fails
    EXPECT_THROW(f.Command1_Click(), CalculationFailure);
    EXPECT_EQ(f.text(form2::PipeSurface), "0.17898");
    EXPECT_EQ(f.text(form2::PipeWeight), "0");

    f.setText(form2::PlateLength, "");  // plate length: nothing is written
    try {
        f.Command3_Click();
        FAIL();
    } catch (const CalculationFailure& e) {
        EXPECT_EQ(e.field(), form2::PlateLength.key());
    }
    EXPECT_EQ(f.text(form2::PlateArea), "0");

    f.setText(form2::BarDiameter, "1e200");  // overflow of the bar's weight
    f.setText(form2::BarLength, "1e200");
    try {
        f.Command2_Click();
        FAIL();
    } catch (const CalculationFailure& e) {
        EXPECT_EQ(e.reason(), FailureReason::OutOfRange);
        EXPECT_EQ(e.field(), form2::BarSurface.key());
    }
}
