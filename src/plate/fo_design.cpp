#include "plate/fo.h"

#include <span>
#include <vector>

#include "common/design_style.h"

namespace heatcalc {

namespace {

using K = ControlKind;
using namespace style;
using plate::EqualSectionPlateTable;
using plate::PlateModel;
using plate::UnequalSectionPlateTable;

// A plate list offers one item per row of its table, in table order.
std::vector<std::string_view> listItems(std::span<const PlateModel> table)
{
    std::vector<std::string_view> items;
    for (const PlateModel& row : table)
        items.push_back(row.listItem);
    return items;
}

// One control to a line, in the order of the design.
// clang-format off
FormDesign makeDesign()
{
    // The area step fills its work fields for both plate series; the velocity step of each series
    // fills the channel, velocity and mean property work fields of the plate picked in its list.
    const std::vector<std::string_view> AreaStep{"Command1_Click"};
    const std::vector<std::string_view> VelocitySteps{"Command3_Click", "Command4_Click"};
    FormDesign design{
        .name = "Fo",
        .caption = "Velmora自动化设备有限公司",
        .clientWidth = 5715,
        .clientHeight = 8460,
        .icon = "exchanger",
        .frameRelative = false,
        .controls = {
            // Border of the client area, rule under the title, rule above the buttons.
            {.kind = K::Line, .name = "Line1", .left = 0, .top = 0, .x2 = 5640, .y2 = 0, .borderPx = 3},
            {.kind = K::Line, .name = "Line2", .left = 5640, .top = 0, .x2 = 5640, .y2 = 8400, .borderPx = 3},
            {.kind = K::Line, .name = "Line3", .left = 5640, .top = 8400, .x2 = 0, .y2 = 8400, .borderPx = 3},
            {.kind = K::Line, .name = "Line4", .left = 0, .top = 8400, .x2 = 0, .y2 = 0, .borderPx = 3},
            {.kind = K::Line, .name = "Line5", .left = 1200, .top = 600, .x2 = 4320, .y2 = 600, .borderPx = 3},
            {.kind = K::Line, .name = "Line6", .left = 0, .top = 7080, .x2 = 5640, .y2 = 7080},

            {.kind = K::Label, .name = "Label1", .text = "Label1", .left = 0, .top = 0, .width = 2775, .height = 180, .font = Small},
            {.kind = K::Label, .name = "Label43", .text = "板 换 选 型 软 件", .left = 1320, .top = 240, .width = 3015, .height = 375, .font = Title},
            {.kind = K::Label, .name = "Label28", .text = "设计：计算组", .left = 4320, .top = 0, .width = 1095, .height = 375, .font = Small, .wordWrap = true},
            {.kind = K::Label, .name = "Label32", .text = "板片的流速一般控制在0.3--0.6M/S.先计算换热面积再选板换", .left = 120, .top = 8160, .width = 5655, .height = 375},

            // Inputs, with the verified heat flow and the corrected K at the foot.
            {.kind = K::Frame, .name = "Frame1", .text = "数据输入栏", .left = 120, .top = 840, .width = 2895, .height = 5175},
            {.kind = K::Line, .name = "Line7", .parent = "Frame1", .left = 180, .top = 1095, .x2 = 180, .y2 = 5880},
            {.kind = K::Line, .name = "Line8", .parent = "Frame1", .left = 2955, .top = 1095, .x2 = 2955, .y2 = 5880},
            {.kind = K::Line, .name = "Line9", .parent = "Frame1", .left = 180, .top = 1575, .x2 = 2955, .y2 = 1575},
            {.kind = K::Line, .name = "Line10", .parent = "Frame1", .left = 180, .top = 2055, .x2 = 2955, .y2 = 2055},
            {.kind = K::Line, .name = "Line11", .parent = "Frame1", .left = 180, .top = 2595, .x2 = 2955, .y2 = 2595},
            {.kind = K::Line, .name = "Line12", .parent = "Frame1", .left = 180, .top = 3135, .x2 = 2955, .y2 = 3135},
            {.kind = K::Line, .name = "Line13", .parent = "Frame1", .left = 180, .top = 3675, .x2 = 2955, .y2 = 3675},
            {.kind = K::Line, .name = "Line14", .parent = "Frame1", .left = 180, .top = 4215, .x2 = 2955, .y2 = 4215},
            {.kind = K::Line, .name = "Line15", .parent = "Frame1", .left = 180, .top = 4695, .x2 = 2955, .y2 = 4695},
            {.kind = K::Line, .name = "Line16", .parent = "Frame1", .left = 180, .top = 5400, .x2 = 2955, .y2 = 5400},
            {.kind = K::Label, .name = "Label3", .index = 0, .parent = "Frame1", .text = "换热面积", .left = 480, .top = 1200, .width = 960, .height = 255, .font = Caption},
            {.kind = K::TextBox, .name = "Text1", .parent = "Frame1", .text = "1", .left = 1560, .top = 1200, .width = 855, .height = 270, .tab = 0, .captionLabel = "Label3(0)"},
            {.kind = K::Label, .name = "Label15", .parent = "Frame1", .text = "万M2", .left = 2520, .top = 1200, .width = 480, .height = 255},
            {.kind = K::Label, .name = "Label3", .index = 1, .parent = "Frame1", .text = "1#供水温度", .left = 360, .top = 1680, .width = 1080, .height = 255, .font = Caption},
            {.kind = K::TextBox, .name = "Text2", .parent = "Frame1", .text = "100", .left = 1560, .top = 1680, .width = 855, .height = 270, .tab = 1, .captionLabel = "Label3(1)"},
            {.kind = K::Label, .name = "Label16", .parent = "Frame1", .text = "度", .left = 2640, .top = 1680, .width = 255, .height = 255},
            {.kind = K::Label, .name = "Label4", .parent = "Frame1", .text = "1#回水温度", .left = 360, .top = 2160, .width = 1080, .height = 255, .font = Caption},
            {.kind = K::TextBox, .name = "Text3", .parent = "Frame1", .text = "60", .left = 1560, .top = 2160, .width = 855, .height = 270, .tab = 2, .captionLabel = "Label4"},
            {.kind = K::TextBox, .name = "Text48", .parent = "Frame1", .text = "", .left = 2040, .top = 2160, .width = 495, .height = 270, .fore = Red, .tab = 28, .captionLabel = "Label4"},
            {.kind = K::Label, .name = "Label17", .parent = "Frame1", .text = "度", .left = 2640, .top = 2160, .width = 255, .height = 255},
            {.kind = K::Label, .name = "Label5", .parent = "Frame1", .text = "2#供水温度", .left = 360, .top = 2760, .width = 1080, .height = 255, .font = Caption},
            {.kind = K::TextBox, .name = "Text4", .parent = "Frame1", .text = "70", .left = 1560, .top = 2760, .width = 855, .height = 270, .tab = 3, .captionLabel = "Label5"},
            {.kind = K::TextBox, .name = "Text49", .parent = "Frame1", .text = "", .left = 2040, .top = 2760, .width = 495, .height = 270, .fore = Red, .tab = 29, .captionLabel = "Label5"},
            {.kind = K::Label, .name = "Label18", .parent = "Frame1", .text = "度", .left = 2640, .top = 2760, .width = 255, .height = 255},
            {.kind = K::Label, .name = "Label6", .parent = "Frame1", .text = "2#回水温度", .left = 360, .top = 3240, .width = 1080, .height = 255, .font = Caption},
            {.kind = K::TextBox, .name = "Text5", .parent = "Frame1", .text = "50", .left = 1560, .top = 3240, .width = 855, .height = 270, .tab = 4, .captionLabel = "Label6"},
            {.kind = K::Label, .name = "Label20", .parent = "Frame1", .text = "度", .left = 2640, .top = 3240, .width = 255, .height = 255},
            {.kind = K::Label, .name = "Label7", .index = 0, .parent = "Frame1", .text = "传热系数", .left = 480, .top = 3840, .width = 960, .height = 255, .font = Caption},
            {.kind = K::TextBox, .name = "Text6", .parent = "Frame1", .text = "5000", .left = 1560, .top = 3840, .width = 855, .height = 270, .tab = 5, .captionLabel = "Label7(0)"},
            {.kind = K::Label, .name = "Label19", .index = 0, .parent = "Frame1", .text = "W/M2℃", .left = 2400, .top = 3840, .width = 600, .height = 255},
            {.kind = K::Label, .name = "Label33", .parent = "Frame1", .text = "增加片数", .left = 480, .top = 4320, .width = 960, .height = 255, .font = Caption},
            {.kind = K::TextBox, .name = "Text26", .parent = "Frame1", .text = "0", .left = 1560, .top = 4320, .width = 855, .height = 270, .tab = 22, .captionLabel = "Label33"},
            {.kind = K::Label, .name = "Label35", .parent = "Frame1", .text = "片", .left = 2520, .top = 4320, .width = 255, .height = 255},
            {.kind = K::Label, .name = "Label47", .parent = "Frame1", .text = "  验证   热流量", .left = 480, .top = 4800, .width = 855, .height = 495, .font = Caption, .back = Silver, .wordWrap = true},
            {.kind = K::TextBox, .name = "Text45", .parent = "Frame1", .text = "0", .left = 1560, .top = 4800, .width = 975, .height = 270, .back = White, .fore = System(SystemColour::WindowFrame), .tab = 27, .captionLabel = "Label47"},
            {.kind = K::Label, .name = "Label46", .parent = "Frame1", .text = "WM", .left = 2640, .top = 4800, .width = 255, .height = 255, .back = LightGrey},
            {.kind = K::Label, .name = "Label7", .index = 1, .parent = "Frame1", .text = "修正K值", .left = 480, .top = 5520, .width = 960, .height = 255, .font = Caption, .back = Silver},
            {.kind = K::TextBox, .name = "Text27", .parent = "Frame1", .text = "0", .left = 1440, .top = 5505, .width = 855, .height = 270, .back = White, .tab = 24, .captionLabel = "Label7(1)"},
            {.kind = K::Label, .name = "Label19", .index = 1, .parent = "Frame1", .text = "W/M2℃", .left = 2400, .top = 5520, .width = 600, .height = 255, .back = LightGrey},

            // Results.
            {.kind = K::Frame, .name = "Frame2", .text = "数据输出栏", .left = 3120, .top = 840, .width = 2415, .height = 5175},
            {.kind = K::Line, .name = "Line17", .parent = "Frame2", .left = 3180, .top = 1095, .x2 = 3180, .y2 = 5895},
            {.kind = K::Line, .name = "Line18", .parent = "Frame2", .left = 5475, .top = 1095, .x2 = 5475, .y2 = 5895},
            {.kind = K::Line, .name = "Line19", .parent = "Frame2", .left = 3180, .top = 1575, .x2 = 5475, .y2 = 1575},
            {.kind = K::Line, .name = "Line20", .parent = "Frame2", .left = 3180, .top = 2055, .x2 = 5475, .y2 = 2055},
            {.kind = K::Line, .name = "Line21", .parent = "Frame2", .left = 3180, .top = 2595, .x2 = 5475, .y2 = 2595},
            {.kind = K::Line, .name = "Line22", .parent = "Frame2", .left = 3180, .top = 3135, .x2 = 5475, .y2 = 3135},
            {.kind = K::Line, .name = "Line23", .parent = "Frame2", .left = 3180, .top = 3675, .x2 = 5475, .y2 = 3675},
            {.kind = K::Line, .name = "Line24", .parent = "Frame2", .left = 3180, .top = 4215, .x2 = 5475, .y2 = 4215},
            {.kind = K::Line, .name = "Line25", .parent = "Frame2", .left = 3180, .top = 4755, .x2 = 5475, .y2 = 4755},
            {.kind = K::Line, .name = "Line26", .parent = "Frame2", .left = 3180, .top = 5355, .x2 = 5475, .y2 = 5355},
            {.kind = K::Label, .name = "Label8", .parent = "Frame2", .text = "热量", .left = 3240, .top = 1200, .width = 495, .height = 255, .font = Caption},
            {.kind = K::TextBox, .name = "Text7", .parent = "Frame2", .text = "0", .left = 3840, .top = 1200, .width = 1215, .height = 270, .back = OutputBack, .tab = 7, .captionLabel = "Label8"},
            {.kind = K::Label, .name = "Label21", .parent = "Frame2", .text = "WM", .left = 5160, .top = 1200, .width = 375, .height = 255},
            {.kind = K::Label, .name = "Label9", .parent = "Frame2", .text = "一次流量", .left = 3240, .top = 1560, .width = 495, .height = 495, .font = Caption, .wordWrap = true},
            {.kind = K::TextBox, .name = "Text8", .parent = "Frame2", .text = "0", .left = 3840, .top = 1680, .width = 1215, .height = 270, .back = OutputBack, .tab = 8, .captionLabel = "Label9"},
            {.kind = K::Label, .name = "Label22", .parent = "Frame2", .text = "T/H", .left = 5160, .top = 1680, .width = 375, .height = 255},
            {.kind = K::Label, .name = "Label10", .parent = "Frame2", .text = "二次流量", .left = 3240, .top = 2160, .width = 495, .height = 495, .font = Caption, .wordWrap = true},
            {.kind = K::TextBox, .name = "Text9", .parent = "Frame2", .text = "0", .left = 3840, .top = 2160, .width = 1215, .height = 270, .back = OutputBack, .tab = 9, .captionLabel = "Label10"},
            {.kind = K::Label, .name = "Label23", .parent = "Frame2", .text = "T/H", .left = 5160, .top = 2280, .width = 375, .height = 255},
            {.kind = K::Label, .name = "Label11", .parent = "Frame2", .text = "一次流速", .left = 3240, .top = 2640, .width = 495, .height = 495, .font = Caption, .back = System(SystemColour::ThreeDLight), .fore = Black, .wordWrap = true},
            {.kind = K::TextBox, .name = "Text46", .parent = "Frame2", .text = "0", .left = 3840, .top = 2760, .width = 1215, .height = 270, .back = OutputBack, .tab = 10, .captionLabel = "Label11"},
            {.kind = K::Label, .name = "Label24", .parent = "Frame2", .text = "M/S", .left = 5160, .top = 2760, .width = 375, .height = 255},
            {.kind = K::Label, .name = "Label12", .parent = "Frame2", .text = "二次流速", .left = 3240, .top = 3120, .width = 495, .height = 495, .font = Caption, .back = System(SystemColour::ThreeDLight), .fore = Black, .wordWrap = true},
            {.kind = K::TextBox, .name = "Text47", .parent = "Frame2", .text = "0", .left = 3840, .top = 3240, .width = 1215, .height = 270, .back = OutputBack, .tab = 11, .captionLabel = "Label12"},
            {.kind = K::Label, .name = "Label25", .parent = "Frame2", .text = "M/S", .left = 5160, .top = 3240, .width = 375, .height = 255},
            {.kind = K::Label, .name = "Label37", .parent = "Frame2", .text = "一次阻力", .left = 3240, .top = 3720, .width = 495, .height = 495, .font = Caption, .wordWrap = true},
            {.kind = K::TextBox, .name = "Text20", .parent = "Frame2", .text = "0", .left = 3840, .top = 3840, .width = 1215, .height = 270, .back = OutputBack, .tab = 18, .captionLabel = "Label37"},
            {.kind = K::Label, .name = "Label39", .parent = "Frame2", .text = "KPa", .left = 5160, .top = 3840, .width = 375, .height = 255},
            {.kind = K::Label, .name = "Label38", .parent = "Frame2", .text = "二次阻力", .left = 3240, .top = 4200, .width = 495, .height = 495, .font = Caption, .wordWrap = true},
            {.kind = K::TextBox, .name = "Text21", .parent = "Frame2", .text = "0", .left = 3840, .top = 4320, .width = 1215, .height = 270, .back = OutputBack, .tab = 19, .captionLabel = "Label38"},
            {.kind = K::Label, .name = "Label40", .parent = "Frame2", .text = "KPa", .left = 5160, .top = 4320, .width = 375, .height = 255},
            {.kind = K::Label, .name = "Label14", .parent = "Frame2", .text = "板换面积", .left = 3240, .top = 4800, .width = 495, .height = 495, .font = Caption, .wordWrap = true},
            {.kind = K::TextBox, .name = "Text13", .parent = "Frame2", .text = "0", .left = 3840, .top = 4920, .width = 615, .height = 270, .back = OutputBack, .tab = 12, .captionLabel = "Label14"},
            {.kind = K::Label, .name = "Label13", .parent = "Frame2", .text = "+", .left = 4440, .top = 4920, .width = 120, .height = 255},
            {.kind = K::TextBox, .name = "Text18", .parent = "Frame2", .text = "0", .left = 4560, .top = 4920, .width = 615, .height = 270, .tab = 23, .captionLabel = "Label14"},
            {.kind = K::Label, .name = "Label27", .parent = "Frame2", .text = "M2", .left = 5160, .top = 4920, .width = 375, .height = 255},
            {.kind = K::Label, .name = "Label34", .parent = "Frame2", .text = "板片数量", .left = 3240, .top = 5400, .width = 495, .height = 495, .font = Caption, .wordWrap = true},
            {.kind = K::TextBox, .name = "Text19", .parent = "Frame2", .text = "0", .left = 3840, .top = 5520, .width = 1215, .height = 270, .back = OutputBack, .tab = 17, .captionLabel = "Label34"},
            {.kind = K::Label, .name = "Label36", .parent = "Frame2", .text = "片", .left = 5160, .top = 5520, .width = 375, .height = 255},

            // The plate lists and the designation of the plate picked.
            {.kind = K::Frame, .name = "Frame3", .text = "板片面积输入", .left = 120, .top = 6120, .width = 5415, .height = 855},
            {.kind = K::Line, .name = "Line27", .parent = "Frame3", .left = 180, .top = 6480, .x2 = 5475, .y2 = 6480},
            {.kind = K::Label, .name = "Label44", .parent = "Frame3", .text = "你选的板片型号面积：", .left = 2520, .top = 6120, .width = 1815, .height = 255},
            {.kind = K::TextBox, .name = "Text44", .parent = "Frame3", .text = "", .left = 4200, .top = 6120, .width = 855, .height = 270, .back = LightGrey, .fore = Red, .tab = 26, .captionLabel = "Label44"},
            {.kind = K::Label, .name = "Label45", .parent = "Frame3", .text = "m2", .left = 5160, .top = 6120, .width = 255, .height = 255},
            {.kind = K::Label, .name = "Label2", .parent = "Frame3", .text = " 等截面   板片选择", .left = 240, .top = 6600, .width = 975, .height = 495, .wordWrap = true},
            {.kind = K::ComboBox, .name = "Combo1", .parent = "Frame3", .text = "0.1", .left = 1320, .top = 6600, .width = 1095, .height = 300,
             .items = listItems(EqualSectionPlateTable), .tab = 13, .captionLabel = "Label2"},
            {.kind = K::Label, .name = "Label30", .parent = "Frame3", .text = "M2", .left = 2520, .top = 6600, .width = 255, .height = 255},
            {.kind = K::Label, .name = "Label29", .parent = "Frame3", .text = " 不等截面   板片选择", .left = 2880, .top = 6600, .width = 975, .height = 495, .wordWrap = true},
            {.kind = K::ComboBox, .name = "Combo2", .parent = "Frame3", .text = "0.35", .left = 3960, .top = 6600, .width = 1095, .height = 300,
             .items = listItems(UnequalSectionPlateTable), .tab = 14, .captionLabel = "Label29"},
            {.kind = K::Label, .name = "Label31", .parent = "Frame3", .text = "M2", .left = 5160, .top = 6600, .width = 255, .height = 255},

            // Buttons: area; velocities and pressure drops of the two series; printing.
            {.kind = K::CommandButton, .name = "Command1", .text = "换热面积计算", .left = 120, .top = 7200, .width = 975, .height = 735, .tab = 6},
            {.kind = K::CommandButton, .name = "Command3", .text = "等截面流速", .left = 1320, .top = 7200, .width = 1335, .height = 375, .tab = 15, .choiceList = "Combo1"},
            {.kind = K::CommandButton, .name = "Command4", .text = "不截界面流速", .left = 2880, .top = 7200, .width = 1335, .height = 375, .tab = 16, .choiceList = "Combo2"},
            {.kind = K::CommandButton, .name = "Command6", .text = "等截面阻力", .left = 1320, .top = 7680, .width = 1335, .height = 375, .tab = 21, .choiceList = "Combo1"},
            {.kind = K::CommandButton, .name = "Command5", .text = "不等截面阻力", .left = 2880, .top = 7680, .width = 1335, .height = 375, .tab = 20, .choiceList = "Combo2"},
            {.kind = K::CommandButton, .name = "Command2", .text = " 界面打印", .left = 4440, .top = 7320, .width = 1095, .height = 735, .tab = 25},

            // Work fields, right of the client area.
            {.kind = K::TextBox, .name = "Text12", .text = "Text12", .left = 7320, .top = 120, .width = 660, .height = 390, .workField = true, .filledBy = AreaStep, .role = "对数平均温差"},
            {.kind = K::TextBox, .name = "Text28", .text = "Text28", .left = 7560, .top = 720, .width = 1695, .height = 270, .workField = true, .filledBy = AreaStep, .role = "1#供水运动粘度"},
            {.kind = K::TextBox, .name = "Text29", .text = "Text29", .left = 7560, .top = 1200, .width = 1335, .height = 270, .workField = true, .filledBy = AreaStep, .role = "1#回水运动粘度"},
            {.kind = K::TextBox, .name = "Text30", .text = "Text30", .left = 7560, .top = 1560, .width = 1095, .height = 270, .workField = true, .filledBy = AreaStep, .role = "2#供水运动粘度"},
            {.kind = K::TextBox, .name = "Text31", .text = "Text31", .left = 7560, .top = 1920, .width = 1095, .height = 270, .workField = true, .filledBy = AreaStep, .role = "2#回水运动粘度"},
            {.kind = K::TextBox, .name = "Text32", .text = "Text32", .left = 6000, .top = 2400, .width = 975, .height = 375, .workField = true, .filledBy = AreaStep, .role = "1#供水普朗特数"},
            {.kind = K::TextBox, .name = "Text33", .text = "Text33", .left = 6240, .top = 2880, .width = 975, .height = 375, .workField = true, .filledBy = AreaStep, .role = "1#回水普朗特数"},
            {.kind = K::TextBox, .name = "Text34", .text = "Text34", .left = 6360, .top = 3360, .width = 855, .height = 375, .workField = true, .filledBy = AreaStep, .role = "2#供水普朗特数"},
            {.kind = K::TextBox, .name = "Text35", .text = "Text35", .left = 6240, .top = 3840, .width = 1095, .height = 270, .workField = true, .filledBy = AreaStep, .role = "2#回水普朗特数"},
            {.kind = K::TextBox, .name = "Text36", .text = "Text36", .left = 8760, .top = 3720, .width = 735, .height = 375, .workField = true, .filledBy = AreaStep, .role = "1#供水导热系数"},
            {.kind = K::TextBox, .name = "Text37", .text = "Text37", .left = 9720, .top = 3720, .width = 735, .height = 270, .workField = true, .filledBy = AreaStep, .role = "1#回水导热系数"},
            {.kind = K::TextBox, .name = "Text38", .text = "Text38", .left = 8760, .top = 4200, .width = 735, .height = 270, .workField = true, .filledBy = AreaStep, .role = "2#供水导热系数"},
            {.kind = K::TextBox, .name = "Text39", .text = "Text39", .left = 9720, .top = 4200, .width = 855, .height = 270, .workField = true, .filledBy = AreaStep, .role = "2#回水导热系数"},
            {.kind = K::TextBox, .name = "Text14", .text = "Text14", .left = 6120, .top = 720, .width = 975, .height = 270, .workField = true, .filledBy = VelocitySteps, .role = "一次侧流道截面积"},
            {.kind = K::TextBox, .name = "Text15", .text = "Text15", .left = 6240, .top = 1080, .width = 855, .height = 375, .workField = true, .filledBy = VelocitySteps, .role = "二次侧流道截面积"},
            {.kind = K::TextBox, .name = "Text16", .text = "Text16", .left = 6120, .top = 1440, .width = 975, .height = 270, .workField = true, .filledBy = {"Command4_Click"}, .role = "板片面积"},
            {.kind = K::TextBox, .name = "Text17", .text = "10", .left = 5880, .top = 1920, .width = 1215, .height = 270, .workField = true, .filledBy = VelocitySteps, .role = "流道数"},
            {.kind = K::TextBox, .name = "Text10", .text = "Text10", .left = 6360, .top = 4200, .width = 1335, .height = 375, .workField = true, .filledBy = VelocitySteps, .role = "一次侧流速"},
            {.kind = K::TextBox, .name = "Text11", .text = "Text11", .left = 6360, .top = 4680, .width = 1695, .height = 375, .workField = true, .filledBy = VelocitySteps, .role = "二次侧流速"},
            {.kind = K::TextBox, .name = "Text22", .text = "Text22", .left = 7320, .top = 2280, .width = 2295, .height = 270, .workField = true, .filledBy = VelocitySteps, .role = "一次侧运动粘度"},
            {.kind = K::TextBox, .name = "Text23", .text = "Text23", .left = 8160, .top = 2640, .width = 1575, .height = 270, .workField = true, .filledBy = VelocitySteps, .role = "二次侧运动粘度"},
            {.kind = K::TextBox, .name = "Text24", .text = "Text24", .left = 7920, .top = 2880, .width = 1095, .height = 270, .workField = true, .filledBy = VelocitySteps, .role = "一次侧普朗特数"},
            {.kind = K::TextBox, .name = "Text25", .text = "Text25", .left = 7800, .top = 3240, .width = 1215, .height = 375, .workField = true, .filledBy = VelocitySteps, .role = "二次侧普朗特数"},
            {.kind = K::TextBox, .name = "Text40", .text = "Text40", .left = 8760, .top = 4680, .width = 735, .height = 270, .workField = true, .filledBy = VelocitySteps, .role = "一次侧导热系数"},
            {.kind = K::TextBox, .name = "Text41", .text = "Text41", .left = 9840, .top = 4680, .width = 615, .height = 270, .workField = true, .filledBy = VelocitySteps, .role = "二次侧导热系数"},

            {.kind = K::Timer, .name = "Timer1"},
        },
    };
    // Each water property work field is looked up in the water property table by its temperature.
    for (const plate::PropertyChain& chain : plate::WaterPropertyChains)
        for (Control& c : design.controls)
            if (c.name == chain.target.key())
                c.lookup = ThresholdLookup{chain.temperature.key(), "水的物理特性表", plate::WaterPropertyTable.front().t,
                                           plate::WaterPropertyTable.back().t};
    return design;
}
// clang-format on

}  // namespace

const FormDesign& Fo::designTable()
{
    static const FormDesign design = makeDesign();
    return design;
}

}  // namespace heatcalc
