#include "unit/form1.h"

#include "common/design_style.h"

namespace heatcalc {

namespace {

using K = ControlKind;
using namespace style;

// One control to a line, in the order of the design.
// clang-format off
FormDesign makeDesign()
{
    return FormDesign{
        .name = "Form1",
        .caption = "换热机组主要元件配制",
        .clientWidth = 4980,
        .clientHeight = 6765,
        .icon = "unit",
        .frameRelative = true,
        .controls = {
            {.kind = K::Label, .name = "Label1", .text = "机组配置", .left = 1800, .top = 120, .width = 1335, .height = 495, .font = Title},
            {.kind = K::Frame, .name = "Frame1", .text = "数据输入栏", .left = 120, .top = 600, .width = 2295, .height = 4095},
            {.kind = K::Frame, .name = "Frame2", .text = "数据输出栏", .left = 2520, .top = 600, .width = 2415, .height = 4095},
            {.kind = K::Frame, .name = "Frame3", .text = "（弯头/阀门止回阀）数量", .left = 120, .top = 4800, .width = 4815, .height = 975},
            // Inputs
            {.kind = K::Label, .name = "Label2", .parent = "Frame1", .text = "流量", .left = 120, .top = 480, .width = 615, .height = 255, .font = Caption},
            {.kind = K::TextBox, .name = "Text1", .parent = "Frame1", .text = "100", .left = 720, .top = 480, .width = 975, .height = 270, .tab = 0, .captionLabel = "Label2"},
            {.kind = K::Label, .name = "Label12", .parent = "Frame1", .text = "T/H", .left = 1800, .top = 480, .width = 615, .height = 255, .font = Unit},
            {.kind = K::Label, .name = "Label22", .parent = "Frame1", .text = "温差", .left = 120, .top = 960, .width = 615, .height = 255, .font = Caption},
            {.kind = K::TextBox, .name = "Text11", .parent = "Frame1", .text = "25", .left = 720, .top = 960, .width = 975, .height = 270, .tab = 1, .captionLabel = "Label22"},
            {.kind = K::Label, .name = "Label23", .parent = "Frame1", .text = "℃", .left = 1800, .top = 960, .width = 615, .height = 255, .font = Unit},
            {.kind = K::Label, .name = "Label3", .parent = "Frame1", .text = "楼高", .left = 120, .top = 1560, .width = 615, .height = 255, .font = Caption},
            {.kind = K::TextBox, .name = "Text2", .parent = "Frame1", .text = "25", .left = 720, .top = 1560, .width = 975, .height = 270, .tab = 2, .captionLabel = "Label3"},
            {.kind = K::Label, .name = "Label13", .parent = "Frame1", .text = "M", .left = 1920, .top = 1560, .width = 615, .height = 255, .font = Unit},
            {.kind = K::Label, .name = "Label5", .parent = "Frame1", .text = "管长", .left = 120, .top = 2160, .width = 615, .height = 255, .font = Caption},
            {.kind = K::TextBox, .name = "Text3", .parent = "Frame1", .text = "300", .left = 720, .top = 2160, .width = 975, .height = 270, .tab = 3, .captionLabel = "Label5"},
            {.kind = K::Label, .name = "Label14", .parent = "Frame1", .text = "M", .left = 1920, .top = 2160, .width = 615, .height = 255, .font = Unit},
            {.kind = K::Label, .name = "Label4", .parent = "Frame1", .text = "管径", .left = 120, .top = 2760, .width = 615, .height = 255, .font = Caption},
            {.kind = K::ComboBox, .name = "Combo1", .parent = "Frame1", .text = "100", .left = 720, .top = 2760, .width = 975, .height = 300,
             .items = {"10", "15", "20", "25", "32", "40", "50", "65", "80", "100", "125", "150", "200", "250", "300", "350", "400", "450", "500", "600"},
             .tab = 4, .captionLabel = "Label4"},
            {.kind = K::Label, .name = "Label15", .parent = "Frame1", .text = "DN", .left = 1800, .top = 2760, .width = 615, .height = 255, .font = Unit},
            {.kind = K::Label, .name = "Label6", .parent = "Frame1", .text = "循环泵数", .left = 120, .top = 3360, .width = 615, .height = 615, .font = Caption, .wordWrap = true},
            {.kind = K::ComboBox, .name = "Combo2", .parent = "Frame1", .text = "1", .left = 720, .top = 3480, .width = 975, .height = 300, .items = {"01", "02", "03"}, .tab = 5, .captionLabel = "Label6"},
            {.kind = K::Label, .name = "Label16", .parent = "Frame1", .text = "PCS", .left = 1800, .top = 3480, .width = 615, .height = 255, .font = Unit},
            // Fitting counts
            {.kind = K::Label, .name = "Label27", .parent = "Frame3", .text = "弯头", .left = 120, .top = 480, .width = 615, .height = 255, .font = Caption},
            {.kind = K::TextBox, .name = "Text15", .parent = "Frame3", .text = "0", .left = 600, .top = 480, .width = 855, .height = 270, .tab = 6, .captionLabel = "Label27"},
            {.kind = K::Label, .name = "Label28", .parent = "Frame3", .text = "闸阀", .left = 1560, .top = 480, .width = 615, .height = 255, .font = Caption},
            {.kind = K::TextBox, .name = "Text16", .parent = "Frame3", .text = "0", .left = 2040, .top = 480, .width = 855, .height = 270, .tab = 7, .captionLabel = "Label28"},
            {.kind = K::Label, .name = "Label29", .parent = "Frame3", .text = "止回阀", .left = 3000, .top = 480, .width = 855, .height = 255, .font = Caption},
            {.kind = K::TextBox, .name = "Text17", .parent = "Frame3", .text = "0", .left = 3720, .top = 480, .width = 855, .height = 270, .tab = 8, .captionLabel = "Label29"},
            // Outputs
            {.kind = K::Label, .name = "Label7", .parent = "Frame2", .text = "流速", .left = 120, .top = 480, .width = 615, .height = 255, .font = Caption},
            {.kind = K::TextBox, .name = "Text13", .parent = "Frame2", .text = "0", .left = 840, .top = 480, .width = 975, .height = 270, .tab = 10, .captionLabel = "Label7"},
            {.kind = K::Label, .name = "Label17", .parent = "Frame2", .text = "M/S", .left = 1920, .top = 480, .width = 615, .height = 255, .font = Unit},
            {.kind = K::Label, .name = "Label8", .parent = "Frame2", .text = "循环泵流量", .left = 120, .top = 960, .width = 735, .height = 615, .font = Caption, .wordWrap = true},
            {.kind = K::TextBox, .name = "Text5", .parent = "Frame2", .text = "0", .left = 840, .top = 1080, .width = 975, .height = 270, .tab = 11, .captionLabel = "Label8"},
            {.kind = K::Label, .name = "Label18", .parent = "Frame2", .text = "T/H", .left = 1920, .top = 1080, .width = 615, .height = 255, .font = Unit},
            {.kind = K::Label, .name = "Label9", .parent = "Frame2", .text = "循环泵扬程", .left = 120, .top = 1560, .width = 735, .height = 495, .font = Caption, .wordWrap = true},
            {.kind = K::TextBox, .name = "Text14", .parent = "Frame2", .text = "0", .left = 840, .top = 1680, .width = 975, .height = 270, .tab = 12, .captionLabel = "Label9"},
            {.kind = K::Label, .name = "Label19", .parent = "Frame2", .text = "M", .left = 1920, .top = 1680, .width = 615, .height = 255, .font = Unit},
            {.kind = K::Label, .name = "Label10", .parent = "Frame2", .text = "补水泵流量", .left = 120, .top = 2160, .width = 735, .height = 495, .font = Caption, .wordWrap = true},
            {.kind = K::TextBox, .name = "Text7", .parent = "Frame2", .text = "0", .left = 840, .top = 2280, .width = 975, .height = 270, .tab = 13, .captionLabel = "Label10"},
            {.kind = K::Label, .name = "Label20", .parent = "Frame2", .text = "T/H", .left = 1920, .top = 2280, .width = 615, .height = 255, .font = Unit},
            {.kind = K::Label, .name = "Label11", .parent = "Frame2", .text = "补水泵扬程", .left = 120, .top = 2880, .width = 735, .height = 495, .font = Caption, .wordWrap = true},
            {.kind = K::TextBox, .name = "Text8", .parent = "Frame2", .text = "0", .left = 840, .top = 3000, .width = 975, .height = 270, .tab = 14, .captionLabel = "Label11"},
            {.kind = K::Label, .name = "Label21", .parent = "Frame2", .text = "M", .left = 1920, .top = 3000, .width = 615, .height = 255, .font = Unit},
            {.kind = K::Label, .name = "Label24", .parent = "Frame2", .text = "水箱", .left = 120, .top = 3600, .width = 615, .height = 255, .font = Caption},
            {.kind = K::TextBox, .name = "Text12", .parent = "Frame2", .text = "0", .left = 840, .top = 3600, .width = 975, .height = 270, .tab = 15, .captionLabel = "Label24"},
            {.kind = K::Label, .name = "Label25", .parent = "Frame2", .text = "M3", .left = 1920, .top = 3600, .width = 615, .height = 255, .font = Unit},
            // Button and hint
            {.kind = K::CommandButton, .name = "Command1", .text = "计算", .left = 1440, .top = 5880, .width = 2055, .height = 375, .tab = 9},
            {.kind = K::Label, .name = "Label26", .text = "双击计算键计算参数，流速在2M/S--3M/S为易", .left = 240, .top = 6360, .width = 4695, .height = 375},
            // Intermediate results, beyond the client width
            {.kind = K::TextBox, .name = "Text9", .text = "Text9", .left = 5520, .top = 840, .width = 1335, .height = 270, .workField = true, .filledBy = {"Command1_Click"}, .role = "热负荷"},
            {.kind = K::TextBox, .name = "Text4", .text = "1", .left = 5400, .top = 1920, .width = 1095, .height = 375, .workField = true, .filledBy = {"Command1_Click"}, .role = "管内流速"},
            {.kind = K::TextBox, .name = "Text6", .text = "1", .left = 5400, .top = 2520, .width = 1095, .height = 375, .workField = true, .filledBy = {"Command1_Click"}, .role = "循环泵扬程"},
            {.kind = K::TextBox, .name = "Text18", .text = "Text18", .left = 5400, .top = 3240, .width = 1335, .height = 270, .workField = true, .filledBy = {"Command1_Click"}, .role = "管道当量长度"},
        },
    };
}
// clang-format on

}  // namespace

const FormDesign& Form1::designTable()
{
    static const FormDesign design = makeDesign();
    return design;
}

}  // namespace heatcalc
