#include "weight/form2.h"

#include "common/rules.h"
#include "weight/materials.h"

namespace heatcalc {

namespace {

// This window's value of pi.
constexpr double PiApprox = 3.14;

}  // namespace

Form2::Form2() : FormModel(Design())
{
    handler("Combo1_Click", [this] { Combo1_Click(); });
    handler("Command1_Click", [this] { Command1_Click(); });
    handler("Command2_Click", [this] { Command2_Click(); });
    handler("Command3_Click", [this] { Command3_Click(); });
}

void Form2::Combo1_Click()
{
    for (const Material& m : MaterialDensityTable)
        if (ExactChoiceMatch(text("Combo1"), m.name))
            put("Text21").from(num("Combo1")) << m.density;
}

void Form2::Command1_Click()
{
    put("Text18") << (num("Text1") * PiApprox) * num("Text3");
    put("Text5") << (((num("Text1") * PiApprox) * num("Text3")) * num("Text2")) * num("Text21");
}

void Form2::Command2_Click()
{
    put("Text19") << (num("Text7") * PiApprox) * num("Text8");
    put("Text10") << ((((num("Text7") / 2) * (num("Text7") / 2)) * PiApprox) * num("Text8")) * num("Text21");
}

void Form2::Command3_Click()
{
    put("Text20") << num("Text12") * num("Text13");
    put("Text16") << ((num("Text12") * num("Text13")) * num("Text14")) * num("Text21");
}

}  // namespace heatcalc
