#include "weight/form2.h"

#include "common/rules.h"
#include "weight/materials.h"

namespace heatcalc {

using namespace form2;

namespace {

// This window's value of pi.
constexpr double PiApprox = 3.14;

}  // namespace

Form2::Form2() : FormModel(designTable(), Fields)
{
    handler("Combo1_Click", [this] { Combo1_Click(); });
    handler("Command1_Click", [this] { Command1_Click(); });
    handler("Command2_Click", [this] { Command2_Click(); });
    handler("Command3_Click", [this] { Command3_Click(); });
}

void Form2::Combo1_Click()
{
    for (const Material& m : MaterialDensityTable)
        if (ExactChoiceMatch(text(MaterialList), m.name))
            put(MaterialDensity).from(num(MaterialList)) << m.density;
}

void Form2::Command1_Click()
{
    put(PipeSurface) << (num(PipeDiameter) * PiApprox) * num(PipeLength);
    put(PipeWeight) << (((num(PipeDiameter) * PiApprox) * num(PipeLength)) * num(PipeWallThickness)) *
                           num(MaterialDensity);
}

void Form2::Command2_Click()
{
    put(BarSurface) << (num(BarDiameter) * PiApprox) * num(BarLength);
    put(BarWeight) << ((((num(BarDiameter) / 2) * (num(BarDiameter) / 2)) * PiApprox) * num(BarLength)) *
                          num(MaterialDensity);
}

void Form2::Command3_Click()
{
    put(PlateArea) << num(PlateLength) * num(PlateWidth);
    put(PlateWeight) << ((num(PlateLength) * num(PlateWidth)) * num(PlateThickness)) * num(MaterialDensity);
}

}  // namespace heatcalc
