#include <gtest/gtest.h>

#include <array>
#include <span>
#include <stdexcept>
#include <string>

#include "common/form_model.h"
#include "plate/fo.h"
#include "tube/fo23.h"
#include "unit/form1.h"
#include "weight/form2.h"

using heatcalc::ControlKind;
using heatcalc::Field;
using heatcalc::FormDesign;

namespace {

const FormDesign& smallDesign()
{
    static const FormDesign design{.name = "Small",
                                   .controls = {{.kind = ControlKind::TextBox, .name = "Text1", .text = "1"},
                                                {.kind = ControlKind::TextBox, .name = "Text2", .text = "2"}}};
    return design;
}

// A window of two fields, built with the names its handlers would use.
class Small : public heatcalc::FormModel {
public:
    explicit Small(std::span<const Field> names) : FormModel(smallDesign(), names) {}
};

constexpr Field First{"Text1"};
constexpr Field Second{"Text2"};
constexpr Field Third{"Text3"};

// The message of the std::logic_error that building the window throws, or "" when it builds.
std::string buildFailure(std::span<const Field> names)
{
    try {
        Small window(names);
    } catch (const std::logic_error& e) {
        return e.what();
    }
    return "";
}

}  // namespace

TEST(FieldNames, WrongNameFailsWhenTheWindowIsBuilt)
{
    EXPECT_EQ(buildFailure(std::array{First, Second}), "");
    EXPECT_EQ(buildFailure(std::array{First, Third}), "Small has no control Text3");
    EXPECT_EQ(buildFailure(std::array{First, Second, First}), "Small names Text1 twice");

    // A name the window was not built with is refused, not looked up.
    Small window(std::array{First});
    EXPECT_EQ(window.text(First), "1");
    EXPECT_THROW(window.text(Second), std::logic_error);
    EXPECT_EQ(window.text("Text2"), "2");
}

TEST(FieldNames, EveryFieldOfEveryWindowHasAName)
{
    const auto check = [](const FormDesign& design, std::span<const Field> names) {
        for (const heatcalc::Control& c : design.controls) {
            if (c.kind != ControlKind::TextBox && c.kind != ControlKind::ComboBox)
                continue;
            bool named = false;
            for (Field f : names)
                named = named || f.key() == c.name;
            EXPECT_TRUE(named) << design.name << " " << c.name;
        }
    };
    check(heatcalc::Fo::designTable(), heatcalc::fo::Fields);
    check(heatcalc::Fo23::designTable(), heatcalc::fo23::Fields);
    check(heatcalc::Form1::designTable(), heatcalc::form1::Fields);
    check(heatcalc::Form2::designTable(), heatcalc::form2::Fields);
}
