#pragma once

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "common/failure.h"
#include "common/form_model.h"

// Field texts by field name, for setting inputs and checking results.
using Texts = std::vector<std::pair<heatcalc::Field, const char*>>;

inline void expectTexts(const heatcalc::FormModel& f, const Texts& expected, const std::string& context = {})
{
    for (const auto& [field, text] : expected)
        EXPECT_EQ(f.text(field), text) << field.key() << " " << context;
}

inline void set(heatcalc::FormModel& f, const Texts& inputs)
{
    for (const auto& [field, text] : inputs)
        f.setText(field, text);
}

// Runs the handler and expects it to stop with that failure.
template <class Model>
void expectFailure(Model& f, void (Model::*handler)(), heatcalc::Field field, heatcalc::FailureReason reason)
{
    try {
        (f.*handler)();
        ADD_FAILURE() << "no failure, expected one at " << field.key();
    } catch (const heatcalc::CalculationFailure& e) {
        EXPECT_EQ(e.field(), field.key());
        EXPECT_EQ(e.reason(), reason);
    }
}
