#pragma once

#include "common/form_model.h"
#include "unit/form1_fields.h"

namespace heatcalc {

// The heat-exchange unit configuration window: pipe velocity, circulation-pump flow and head,
// make-up pump flow and head and make-up tank volume of a heating station's unit.
class Form1 : public FormModel {
public:
    Form1();

    static const FormDesign& designTable();

    // The whole sizing in one pass. The shown velocity and head are those the previous press left
    // in their work fields, so a second press shows what the first one computed.
    void Command1_Click();
};

}  // namespace heatcalc
