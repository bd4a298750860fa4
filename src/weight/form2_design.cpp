#include "weight/form2.h"

#include <vector>

#include "common/design_style.h"
#include "weight/materials.h"

namespace heatcalc {

namespace {

using K = ControlKind;
using namespace style;

std::vector<std::string_view> materialNames()
{
    std::vector<std::string_view> names;
    for (const Material& m : MaterialDensityTable)
        names.push_back(m.name);
    return names;
}

// One control to a line, in the order of the design.
// clang-format off
FormDesign makeDesign()
{
    return FormDesign{
        .name = "Form2",
        .caption = "重量计算",
        .clientWidth = 7695,
        .clientHeight = 4485,
        .icon = "weight",
        .frameRelative = true,
        .controls = {
            {.kind = K::Label, .name = "Label1", .text = "材料重量计算", .left = 2760, .top = 120, .width = 2055, .height = 375, .font = LargeTitle},
            {.kind = K::Frame, .name = "Frame1", .text = "圆钢管计算输入", .left = 120, .top = 600, .width = 4215, .height = 855},
            {.kind = K::Frame, .name = "Frame2", .text = "圆钢管计算输出", .left = 4440, .top = 600, .width = 3135, .height = 855},
            {.kind = K::Frame, .name = "Frame3", .text = "圆管计算输入", .left = 120, .top = 1680, .width = 4215, .height = 855},
            {.kind = K::Frame, .name = "Frame4", .text = "圆管计算输出", .left = 4440, .top = 1680, .width = 3135, .height = 855},
            {.kind = K::Frame, .name = "Frame5", .text = "钢板计算输入", .left = 120, .top = 2640, .width = 4215, .height = 975},
            {.kind = K::Frame, .name = "Frame6", .text = "钢板计算输出", .left = 4440, .top = 2640, .width = 3135, .height = 975},
            {.kind = K::Frame, .name = "Frame7", .text = "材质选择", .left = 120, .top = 3720, .width = 7455, .height = 615},
            // Round steel pipe
            {.kind = K::Label, .name = "Label2", .index = 0, .parent = "Frame1", .text = "直径", .left = 120, .top = 360, .width = 375, .height = 255},
            {.kind = K::TextBox, .name = "Text1", .parent = "Frame1", .text = "0.019", .left = 480, .top = 360, .width = 615, .height = 270, .tab = 0, .captionLabel = "Label2(0)"},
            {.kind = K::Label, .name = "Label2", .index = 4, .parent = "Frame1", .text = "M", .left = 1200, .top = 360, .width = 135, .height = 255},
            {.kind = K::Label, .name = "Label3", .parent = "Frame1", .text = "壁厚", .left = 1440, .top = 360, .width = 375, .height = 255},
            {.kind = K::TextBox, .name = "Text2", .parent = "Frame1", .text = "0.015", .left = 1800, .top = 360, .width = 615, .height = 270, .tab = 1, .captionLabel = "Label3"},
            {.kind = K::Label, .name = "Label2", .index = 3, .parent = "Frame1", .text = "M", .left = 2520, .top = 360, .width = 135, .height = 255},
            {.kind = K::Label, .name = "Label4", .parent = "Frame1", .text = "长度", .left = 2760, .top = 360, .width = 375, .height = 255},
            {.kind = K::TextBox, .name = "Text3", .parent = "Frame1", .text = "3", .left = 3240, .top = 360, .width = 615, .height = 270, .tab = 2, .captionLabel = "Label4"},
            {.kind = K::Label, .name = "Label2", .index = 2, .parent = "Frame1", .text = "M", .left = 3960, .top = 360, .width = 135, .height = 255},
            {.kind = K::Label, .name = "Label6", .index = 0, .parent = "Frame2", .text = "重量", .left = 120, .top = 240, .width = 375, .height = 255},
            {.kind = K::TextBox, .name = "Text5", .parent = "Frame2", .text = "0", .left = 600, .top = 240, .width = 1095, .height = 270, .tab = 3, .captionLabel = "Label6(0)"},
            {.kind = K::Label, .name = "Label2", .index = 5, .parent = "Frame2", .text = "KG", .left = 1800, .top = 240, .width = 255, .height = 255},
            {.kind = K::Label, .name = "Label6", .index = 1, .parent = "Frame2", .text = "面积", .left = 120, .top = 600, .width = 375, .height = 255},
            {.kind = K::TextBox, .name = "Text18", .parent = "Frame2", .text = "0", .left = 600, .top = 600, .width = 1095, .height = 270, .tab = 15, .captionLabel = "Label6(1)"},
            {.kind = K::Label, .name = "Label6", .index = 4, .parent = "Frame2", .text = "M2", .left = 1800, .top = 600, .width = 375, .height = 255},
            {.kind = K::CommandButton, .name = "Command1", .parent = "Frame2", .text = "计算", .left = 2160, .top = 120, .width = 975, .height = 735, .tab = 4},
            // Round bar
            {.kind = K::Label, .name = "Label8", .index = 0, .parent = "Frame3", .text = "直径", .left = 120, .top = 360, .width = 495, .height = 255},
            {.kind = K::TextBox, .name = "Text7", .parent = "Frame3", .text = "0.019", .left = 600, .top = 360, .width = 975, .height = 270, .tab = 5, .captionLabel = "Label8(0)"},
            {.kind = K::Label, .name = "Label2", .index = 10, .parent = "Frame3", .text = "M", .left = 1680, .top = 360, .width = 135, .height = 255},
            {.kind = K::Label, .name = "Label9", .parent = "Frame3", .text = "长度", .left = 2040, .top = 360, .width = 495, .height = 255},
            {.kind = K::TextBox, .name = "Text8", .parent = "Frame3", .text = "1", .left = 2520, .top = 360, .width = 975, .height = 270, .tab = 6, .captionLabel = "Label9"},
            {.kind = K::Label, .name = "Label2", .index = 9, .parent = "Frame3", .text = "M", .left = 3600, .top = 360, .width = 135, .height = 255},
            {.kind = K::Label, .name = "Label11", .index = 0, .parent = "Frame4", .text = "重量", .left = 120, .top = 240, .width = 615, .height = 255},
            {.kind = K::TextBox, .name = "Text10", .parent = "Frame4", .text = "0", .left = 600, .top = 240, .width = 975, .height = 270, .tab = 7, .captionLabel = "Label11(0)"},
            {.kind = K::Label, .name = "Label2", .index = 7, .parent = "Frame4", .text = "KG", .left = 1680, .top = 240, .width = 255, .height = 255},
            {.kind = K::Label, .name = "Label6", .index = 2, .parent = "Frame4", .text = "面积", .left = 120, .top = 600, .width = 375, .height = 255},
            {.kind = K::TextBox, .name = "Text19", .parent = "Frame4", .text = "0", .left = 600, .top = 600, .width = 975, .height = 270, .tab = 16, .captionLabel = "Label6(2)"},
            {.kind = K::Label, .name = "Label6", .index = 5, .parent = "Frame4", .text = "M2", .left = 1680, .top = 600, .width = 375, .height = 255},
            {.kind = K::CommandButton, .name = "Command2", .parent = "Frame4", .text = "计算", .left = 2160, .top = 120, .width = 975, .height = 705, .tab = 8},
            // Steel plate
            {.kind = K::Label, .name = "Label8", .index = 1, .parent = "Frame5", .text = "长", .left = 120, .top = 360, .width = 255, .height = 255},
            {.kind = K::TextBox, .name = "Text12", .parent = "Frame5", .text = "1", .left = 360, .top = 360, .width = 615, .height = 270, .tab = 9, .captionLabel = "Label8(1)"},
            {.kind = K::Label, .name = "Label2", .index = 14, .parent = "Frame5", .text = "M", .left = 1080, .top = 360, .width = 135, .height = 255},
            {.kind = K::Label, .name = "Label8", .index = 3, .parent = "Frame5", .text = "宽", .left = 1440, .top = 360, .width = 255, .height = 255},
            {.kind = K::TextBox, .name = "Text13", .parent = "Frame5", .text = "1", .left = 1680, .top = 360, .width = 615, .height = 270, .tab = 10, .captionLabel = "Label8(3)"},
            {.kind = K::Label, .name = "Label2", .index = 13, .parent = "Frame5", .text = "M", .left = 2400, .top = 360, .width = 135, .height = 255},
            {.kind = K::Label, .name = "Label8", .index = 2, .parent = "Frame5", .text = "厚", .left = 2760, .top = 360, .width = 255, .height = 255},
            {.kind = K::TextBox, .name = "Text14", .parent = "Frame5", .text = "0.003", .left = 3000, .top = 360, .width = 615, .height = 270, .tab = 11, .captionLabel = "Label8(2)"},
            {.kind = K::Label, .name = "Label2", .index = 12, .parent = "Frame5", .text = "M", .left = 3720, .top = 360, .width = 135, .height = 255},
            {.kind = K::Label, .name = "Label11", .index = 1, .parent = "Frame6", .text = "重量", .left = 120, .top = 360, .width = 615, .height = 255},
            {.kind = K::TextBox, .name = "Text16", .parent = "Frame6", .text = "0", .left = 600, .top = 360, .width = 975, .height = 270, .tab = 12, .captionLabel = "Label11(1)"},
            {.kind = K::Label, .name = "Label2", .index = 16, .parent = "Frame6", .text = "KG", .left = 1680, .top = 360, .width = 255, .height = 255},
            {.kind = K::Label, .name = "Label6", .index = 3, .parent = "Frame6", .text = "面积", .left = 120, .top = 720, .width = 375, .height = 255},
            {.kind = K::TextBox, .name = "Text20", .parent = "Frame6", .text = "0", .left = 600, .top = 720, .width = 975, .height = 270, .tab = 17, .captionLabel = "Label6(3)"},
            {.kind = K::Label, .name = "Label6", .index = 6, .parent = "Frame6", .text = "M2", .left = 1680, .top = 720, .width = 375, .height = 255},
            {.kind = K::CommandButton, .name = "Command3", .parent = "Frame6", .text = "计算", .left = 2160, .top = 120, .width = 975, .height = 855, .tab = 13},
            // Material
            {.kind = K::ComboBox, .name = "Combo1", .parent = "Frame7", .text = "请选择材质", .left = 0, .top = 240, .width = 7335, .height = 300, .items = materialNames(), .tab = 14},
            {.kind = K::TextBox, .name = "Text21", .text = "Text21", .left = 240, .top = 4800, .width = 1215, .height = 270, .workField = true, .filledBy = {"Combo1_Click"}, .role = "材料密度"},
        },
    };
}
// clang-format on

}  // namespace

const FormDesign& Form2::designTable()
{
    static const FormDesign design = makeDesign();
    return design;
}

}  // namespace heatcalc
