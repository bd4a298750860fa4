#pragma once

#include "common/form_model.h"
#include "weight/form2_fields.h"

namespace heatcalc {

// The material weight window: weight and surface area of a round steel pipe, a round bar and a
// steel plate of the material picked in the list.
class Form2 : public FormModel {
public:
    Form2();

    static const FormDesign& designTable();

    // Material picked: its density into the work field of the density.
    void Combo1_Click();
    // Round steel pipe: area, then weight.
    void Command1_Click();
    // Round bar: area, then weight.
    void Command2_Click();
    // Steel plate: area, then weight.
    void Command3_Click();
};

}  // namespace heatcalc
