#include "reference/reference_forms.h"

namespace heatcalc {

namespace {

using K = ControlKind;

}  // namespace

// One control to a line, in the order of the design.
// clang-format off
const FormDesign& Form3Design()
{
    static const FormDesign design{
        .name = "Form3",
        .caption = "电源线选择表",
        .clientWidth = 12735,
        .clientHeight = 5205,
        .icon = "table",
        .controls = {
            {.kind = K::Label, .name = "Label1", .text = "电源线选择表", .left = 4680, .top = 0, .width = 3255, .height = 375, .font = {FontFace::SongTi, 21.75, false}},
            {.kind = K::PictureBox, .name = "Picture1", .text = "cable_open", .left = 120, .top = 480, .width = 5655, .height = 4695},
            {.kind = K::PictureBox, .name = "Picture2", .text = "cable_soil", .left = 5760, .top = 480, .width = 6975, .height = 4815},
        },
    };
    return design;
}
// clang-format on

// One control to a line, in the order of the design.
// clang-format off
const FormDesign& Form4Design()
{
    static const FormDesign design{
        .name = "Form4",
        .caption = "母排",
        .clientWidth = 10695,
        .clientHeight = 6000,
        .icon = "table",
        .controls = {
            {.kind = K::Label, .name = "Label1", .text = "母排载流表", .left = 4440, .top = 120, .width = 1695, .height = 375, .font = {FontFace::SongTi, 15.75, false}},
            {.kind = K::PictureBox, .name = "Picture1", .text = "busbar", .left = 0, .top = 480, .width = 10695, .height = 5535},
        },
    };
    return design;
}
// clang-format on

}  // namespace heatcalc
