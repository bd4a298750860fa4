#include "tube/fo23.h"

#include "common/design_style.h"

namespace heatcalc {

namespace {

using K = ControlKind;
using namespace style;

constexpr std::string_view ByArea = "Command1_Click";

// One control to a line, in the order of the design.
// clang-format off
FormDesign makeDesign()
{
    return FormDesign{
        .name = "Fo23",
        .caption = "Velmora自动化设备有限公司",
        .clientWidth = 5715,
        .clientHeight = 8460,
        .icon = "exchanger",
        .frameRelative = false,
        .controls = {
            {.kind = K::Frame, .name = "Frame1", .text = "数据输入栏", .left = 120, .top = 840, .width = 2895, .height = 5175},
            {.kind = K::Frame, .name = "Frame2", .text = "数据输出栏", .left = 3120, .top = 840, .width = 2415, .height = 5175},
            {.kind = K::Frame, .name = "Frame3", .text = "换热器参数", .left = 120, .top = 6120, .width = 5415, .height = 855},
            // Border of the client area, its sides doubled, and the rule under the title
            {.kind = K::Line, .name = "Line1", .left = 0, .top = 0, .x2 = 5640, .y2 = 0, .borderPx = 3},
            {.kind = K::Line, .name = "Line2", .left = 0, .top = 8400, .x2 = 5640, .y2 = 8400, .borderPx = 3},
            {.kind = K::Line, .name = "Line3", .left = 0, .top = 0, .x2 = 0, .y2 = 8400, .borderPx = 3},
            {.kind = K::Line, .name = "Line4", .left = 5640, .top = 0, .x2 = 5640, .y2 = 8400, .borderPx = 3},
            {.kind = K::Line, .name = "Line5", .left = 60, .top = 0, .x2 = 60, .y2 = 8400},
            {.kind = K::Line, .name = "Line6", .left = 5580, .top = 0, .x2 = 5580, .y2 = 8400},
            {.kind = K::Line, .name = "Line7", .left = 1080, .top = 600, .x2 = 4200, .y2 = 600, .borderPx = 3},
            // Grid of the input rows: outer rectangle, rule before the unit column, rules between rows
            {.kind = K::Line, .name = "Line8", .parent = "Frame1", .left = 240, .top = 1095, .x2 = 2970, .y2 = 1095},
            {.kind = K::Line, .name = "Line9", .parent = "Frame1", .left = 240, .top = 5775, .x2 = 2970, .y2 = 5775},
            {.kind = K::Line, .name = "Line10", .parent = "Frame1", .left = 240, .top = 1095, .x2 = 240, .y2 = 5775},
            {.kind = K::Line, .name = "Line11", .parent = "Frame1", .left = 2970, .top = 1095, .x2 = 2970, .y2 = 5775},
            {.kind = K::Line, .name = "Line12", .parent = "Frame1", .left = 2385, .top = 1095, .x2 = 2385, .y2 = 5775},
            {.kind = K::Line, .name = "Line13", .parent = "Frame1", .left = 240, .top = 1575, .x2 = 2970, .y2 = 1575},
            {.kind = K::Line, .name = "Line14", .parent = "Frame1", .left = 240, .top = 2055, .x2 = 2970, .y2 = 2055},
            {.kind = K::Line, .name = "Line15", .parent = "Frame1", .left = 240, .top = 2595, .x2 = 2970, .y2 = 2595},
            {.kind = K::Line, .name = "Line16", .parent = "Frame1", .left = 240, .top = 3135, .x2 = 2970, .y2 = 3135},
            {.kind = K::Line, .name = "Line17", .parent = "Frame1", .left = 240, .top = 3675, .x2 = 2970, .y2 = 3675},
            {.kind = K::Line, .name = "Line18", .parent = "Frame1", .left = 240, .top = 4215, .x2 = 2970, .y2 = 4215},
            {.kind = K::Line, .name = "Line19", .parent = "Frame1", .left = 240, .top = 4695, .x2 = 2970, .y2 = 4695},
            {.kind = K::Line, .name = "Line20", .parent = "Frame1", .left = 240, .top = 5235, .x2 = 2970, .y2 = 5235},
            // Grid of the output rows
            {.kind = K::Line, .name = "Line21", .parent = "Frame2", .left = 3180, .top = 1035, .x2 = 5520, .y2 = 1035},
            {.kind = K::Line, .name = "Line22", .parent = "Frame2", .left = 3180, .top = 5895, .x2 = 5520, .y2 = 5895},
            {.kind = K::Line, .name = "Line23", .parent = "Frame2", .left = 3180, .top = 1035, .x2 = 3180, .y2 = 5895},
            {.kind = K::Line, .name = "Line24", .parent = "Frame2", .left = 5520, .top = 1035, .x2 = 5520, .y2 = 5895},
            {.kind = K::Line, .name = "Line25", .parent = "Frame2", .left = 3180, .top = 1575, .x2 = 5520, .y2 = 1575},
            {.kind = K::Line, .name = "Line26", .parent = "Frame2", .left = 3180, .top = 2055, .x2 = 5520, .y2 = 2055},
            {.kind = K::Line, .name = "Line27", .parent = "Frame2", .left = 3180, .top = 2595, .x2 = 5520, .y2 = 2595},
            {.kind = K::Line, .name = "Line28", .parent = "Frame2", .left = 3180, .top = 3135, .x2 = 5520, .y2 = 3135},
            {.kind = K::Line, .name = "Line29", .parent = "Frame2", .left = 3180, .top = 3675, .x2 = 5520, .y2 = 3675},
            {.kind = K::Line, .name = "Line30", .parent = "Frame2", .left = 3180, .top = 4215, .x2 = 5520, .y2 = 4215},
            {.kind = K::Line, .name = "Line31", .parent = "Frame2", .left = 3180, .top = 4755, .x2 = 5520, .y2 = 4755},
            {.kind = K::Line, .name = "Line32", .parent = "Frame2", .left = 3180, .top = 5355, .x2 = 5520, .y2 = 5355},
            // Labels outside the frames
            {.kind = K::Label, .name = "Label1", .text = "Label1", .left = 0, .top = 0, .width = 2775, .height = 180, .font = Small},
            {.kind = K::Label, .name = "Label28", .text = "设计：计算组", .left = 4080, .top = 0, .width = 1095, .height = 255, .font = Small},
            {.kind = K::Label, .name = "Label43", .text = "管式换热器选型软件", .left = 1320, .top = 240, .width = 2775, .height = 375, .font = Title},
            {.kind = K::Timer, .name = "Timer1", .left = 5160, .top = 0, .width = 420, .height = 420},
            // Inputs
            {.kind = K::Label, .name = "Label3", .index = 0, .parent = "Frame1", .text = "换热热量", .left = 480, .top = 1200, .width = 975, .height = 255, .font = Caption},
            {.kind = K::TextBox, .name = "Text1", .parent = "Frame1", .text = "1", .left = 1560, .top = 1200, .width = 855, .height = 270, .tab = 0, .captionLabel = "Label3(0)"},
            {.kind = K::Label, .name = "Label15", .parent = "Frame1", .text = "WM", .left = 2640, .top = 1200, .width = 300, .height = 255},
            {.kind = K::Label, .name = "Label3", .index = 1, .parent = "Frame1", .text = "1#供水压力", .left = 360, .top = 1680, .width = 1095, .height = 255, .font = Caption},
            {.kind = K::TextBox, .name = "Text2", .parent = "Frame1", .text = "0.6", .left = 1560, .top = 1680, .width = 855, .height = 270, .tab = 1, .captionLabel = "Label3(1)"},
            {.kind = K::Label, .name = "Label16", .parent = "Frame1", .text = "MPa", .left = 2520, .top = 1680, .width = 375, .height = 255},
            {.kind = K::Label, .name = "Label4", .parent = "Frame1", .text = "1#供水温度", .left = 360, .top = 2160, .width = 1095, .height = 255, .font = Caption},
            {.kind = K::TextBox, .name = "Text3", .parent = "Frame1", .text = "100", .left = 1560, .top = 2160, .width = 855, .height = 270, .tab = 2, .captionLabel = "Label4"},
            {.kind = K::Label, .name = "Label17", .parent = "Frame1", .text = "度", .left = 2640, .top = 2160, .width = 255, .height = 255},
            {.kind = K::Label, .name = "Label5", .parent = "Frame1", .text = "2#供水温度", .left = 360, .top = 2760, .width = 1095, .height = 255, .font = Caption},
            {.kind = K::TextBox, .name = "Text4", .parent = "Frame1", .text = "70", .left = 1560, .top = 2760, .width = 855, .height = 270, .tab = 3, .captionLabel = "Label5"},
            {.kind = K::Label, .name = "Label18", .parent = "Frame1", .text = "度", .left = 2640, .top = 2760, .width = 255, .height = 255},
            {.kind = K::Label, .name = "Label6", .parent = "Frame1", .text = "2#回水温度", .left = 360, .top = 3240, .width = 1095, .height = 255, .font = Caption},
            {.kind = K::TextBox, .name = "Text5", .parent = "Frame1", .text = "50", .left = 1560, .top = 3240, .width = 855, .height = 270, .tab = 4, .captionLabel = "Label6"},
            {.kind = K::Label, .name = "Label20", .parent = "Frame1", .text = "度", .left = 2640, .top = 3240, .width = 255, .height = 255},
            {.kind = K::Label, .name = "Label7", .index = 0, .parent = "Frame1", .text = "1#传热系数", .left = 360, .top = 3840, .width = 1095, .height = 255, .font = Caption},
            {.kind = K::TextBox, .name = "Text6", .parent = "Frame1", .text = "2200", .left = 1560, .top = 3840, .width = 855, .height = 270, .tab = 5, .captionLabel = "Label7(0)"},
            {.kind = K::Label, .name = "Label19", .index = 0, .parent = "Frame1", .text = "W/M2℃", .left = 2400, .top = 3840, .width = 555, .height = 255},
            {.kind = K::Label, .name = "Label33", .parent = "Frame1", .text = "2#传热系数", .left = 360, .top = 4320, .width = 1095, .height = 255, .font = Caption},
            {.kind = K::TextBox, .name = "Text26", .parent = "Frame1", .text = "600", .left = 1560, .top = 4320, .width = 855, .height = 270, .tab = 6, .captionLabel = "Label33"},
            {.kind = K::Label, .name = "Label35", .parent = "Frame1", .text = "W/M2℃", .left = 2400, .top = 4320, .width = 555, .height = 255},
            {.kind = K::Label, .name = "Label47", .parent = "Frame1", .text = "增加面积", .left = 480, .top = 4800, .width = 975, .height = 255, .font = Caption, .back = LightGrey},
            {.kind = K::TextBox, .name = "Text45", .parent = "Frame1", .text = "0", .left = 1560, .top = 4800, .width = 975, .height = 270, .font = FieldBold, .back = White, .tab = 7, .captionLabel = "Label47"},
            {.kind = K::Label, .name = "Label46", .parent = "Frame1", .text = "M2", .left = 2640, .top = 4800, .width = 255, .height = 255, .back = LightGrey},
            {.kind = K::Label, .name = "Label7", .index = 1, .parent = "Frame1", .text = "修正K值", .left = 480, .top = 5400, .width = 975, .height = 255, .font = Caption, .back = Cyan},
            {.kind = K::TextBox, .name = "Text27", .parent = "Frame1", .text = "0", .left = 1560, .top = 5400, .width = 855, .height = 270, .font = FieldBold, .back = White, .tab = 8, .captionLabel = "Label7(1)"},
            {.kind = K::Label, .name = "Label19", .index = 1, .parent = "Frame1", .text = "W/M2℃", .left = 2400, .top = 5400, .width = 555, .height = 255, .back = Cyan},
            // Outputs: four-character captions on two lines beside their fields
            {.kind = K::Label, .name = "Label8", .parent = "Frame2", .text = "供热面积", .left = 3240, .top = 1080, .width = 495, .height = 495, .font = Caption, .wordWrap = true},
            {.kind = K::TextBox, .name = "Text7", .parent = "Frame2", .text = "0", .left = 3840, .top = 1200, .width = 1215, .height = 270, .tab = 13, .captionLabel = "Label8"},
            {.kind = K::Label, .name = "Label21", .parent = "Frame2", .text = "万M2", .left = 5130, .top = 1200, .width = 375, .height = 255},
            {.kind = K::Label, .name = "Label9", .parent = "Frame2", .text = "一次流量", .left = 3240, .top = 1560, .width = 495, .height = 495, .font = Caption, .wordWrap = true},
            {.kind = K::TextBox, .name = "Text8", .parent = "Frame2", .text = "0", .left = 3840, .top = 1680, .width = 1215, .height = 270, .tab = 14, .captionLabel = "Label9"},
            {.kind = K::Label, .name = "Label22", .parent = "Frame2", .text = "Kg/H", .left = 5130, .top = 1680, .width = 375, .height = 255},
            {.kind = K::Label, .name = "Label10", .parent = "Frame2", .text = "二次流量", .left = 3240, .top = 2040, .width = 495, .height = 495, .font = Caption, .wordWrap = true},
            {.kind = K::TextBox, .name = "Text9", .parent = "Frame2", .text = "0", .left = 3840, .top = 2160, .width = 1215, .height = 270, .tab = 15, .captionLabel = "Label10"},
            {.kind = K::Label, .name = "Label23", .parent = "Frame2", .text = "T/H", .left = 5130, .top = 2160, .width = 375, .height = 255},
            {.kind = K::Label, .name = "Label11", .parent = "Frame2", .text = "一次流速", .left = 3240, .top = 2640, .width = 495, .height = 495, .font = Caption, .back = ThreeDLight, .wordWrap = true},
            {.kind = K::TextBox, .name = "Text46", .parent = "Frame2", .text = "0", .left = 3840, .top = 2760, .width = 1215, .height = 270, .tab = 16, .captionLabel = "Label11"},
            {.kind = K::Label, .name = "Label24", .parent = "Frame2", .text = "M/S", .left = 5130, .top = 2760, .width = 375, .height = 255},
            {.kind = K::Label, .name = "Label12", .parent = "Frame2", .text = "二次流速", .left = 3240, .top = 3120, .width = 495, .height = 495, .font = Caption, .back = ThreeDLight, .wordWrap = true},
            {.kind = K::TextBox, .name = "Text47", .parent = "Frame2", .text = "0", .left = 3840, .top = 3240, .width = 1215, .height = 270, .tab = 17, .captionLabel = "Label12"},
            {.kind = K::Label, .name = "Label25", .parent = "Frame2", .text = "M/S", .left = 5130, .top = 3240, .width = 375, .height = 255},
            {.kind = K::Label, .name = "Label37", .parent = "Frame2", .text = "一次阻力", .left = 3240, .top = 3720, .width = 495, .height = 495, .font = Caption, .wordWrap = true},
            {.kind = K::TextBox, .name = "Text20", .parent = "Frame2", .text = "0", .left = 3840, .top = 3840, .width = 1215, .height = 270, .tab = 18, .captionLabel = "Label37"},
            {.kind = K::Label, .name = "Label39", .parent = "Frame2", .text = "KPa", .left = 5130, .top = 3840, .width = 375, .height = 255},
            {.kind = K::Label, .name = "Label38", .parent = "Frame2", .text = "二次阻力", .left = 3240, .top = 4200, .width = 495, .height = 495, .font = Caption, .wordWrap = true},
            {.kind = K::TextBox, .name = "Text21", .parent = "Frame2", .text = "0", .left = 3840, .top = 4320, .width = 1215, .height = 270, .tab = 19, .captionLabel = "Label38"},
            {.kind = K::Label, .name = "Label40", .parent = "Frame2", .text = "KPa", .left = 5130, .top = 4320, .width = 375, .height = 255},
            {.kind = K::Label, .name = "Label14", .parent = "Frame2", .text = "总换面积", .left = 3240, .top = 4800, .width = 495, .height = 495, .font = Caption, .wordWrap = true},
            {.kind = K::TextBox, .name = "Text13", .parent = "Frame2", .text = "0", .left = 3840, .top = 4920, .width = 1215, .height = 270, .tab = 20, .captionLabel = "Label14"},
            {.kind = K::Label, .name = "Label27", .parent = "Frame2", .text = "M2", .left = 5130, .top = 4920, .width = 375, .height = 255},
            {.kind = K::Label, .name = "Label34", .parent = "Frame2", .text = "换热管数", .left = 3240, .top = 5400, .width = 495, .height = 495, .font = Caption, .wordWrap = true},
            {.kind = K::TextBox, .name = "Text19", .parent = "Frame2", .text = "0", .left = 3840, .top = 5520, .width = 1215, .height = 270, .tab = 21, .captionLabel = "Label34"},
            {.kind = K::Label, .name = "Label36", .parent = "Frame2", .text = "条", .left = 5130, .top = 5520, .width = 375, .height = 255},
            // Exchanger dimensions: two-line caption on the left, unit above the field
            {.kind = K::Label, .name = "Label2", .parent = "Frame3", .text = " 换热 器直径", .left = 180, .top = 6480, .width = 660, .height = 495, .font = Caption, .wordWrap = true},
            {.kind = K::Label, .name = "Label30", .parent = "Frame3", .text = "DN", .left = 840, .top = 6345, .width = 495, .height = 255},
            {.kind = K::TextBox, .name = "Text23", .parent = "Frame3", .text = "300", .left = 840, .top = 6600, .width = 855, .height = 270, .tab = 9, .captionLabel = "Label2"},
            {.kind = K::Label, .name = "Label29", .parent = "Frame3", .text = " 换热 器长度", .left = 1980, .top = 6480, .width = 660, .height = 495, .font = Caption, .wordWrap = true},
            {.kind = K::Label, .name = "Label41", .parent = "Frame3", .text = "MM", .left = 2640, .top = 6345, .width = 495, .height = 255},
            {.kind = K::TextBox, .name = "Text24", .parent = "Frame3", .text = "3000", .left = 2640, .top = 6600, .width = 855, .height = 270, .tab = 10, .captionLabel = "Label29"},
            {.kind = K::Label, .name = "Label42", .parent = "Frame3", .text = " 换热 管直径", .left = 3660, .top = 6480, .width = 660, .height = 495, .font = Caption, .wordWrap = true},
            {.kind = K::Label, .name = "Label44", .parent = "Frame3", .text = "φMM", .left = 4320, .top = 6345, .width = 495, .height = 255},
            {.kind = K::TextBox, .name = "Text25", .parent = "Frame3", .text = "14", .left = 4320, .top = 6600, .width = 975, .height = 270, .tab = 11, .captionLabel = "Label42"},
            // Buttons and hint
            {.kind = K::CommandButton, .name = "Command1", .text = "换热面积计算", .left = 120, .top = 7200, .width = 1335, .height = 495, .tab = 12},
            {.kind = K::CommandButton, .name = "Command3", .text = "等截面流速", .left = 2040, .top = 7200, .width = 1335, .height = 495, .tab = 22},
            {.kind = K::CommandButton, .name = "Command6", .text = "等截面阻力", .left = 3960, .top = 7200, .width = 1335, .height = 495, .tab = 23},
            {.kind = K::Label, .name = "Label32", .text = "板片的流速一般控制在0.3--0.6M/S.先计算换热面积再选板换", .left = 0, .top = 8040, .width = 5655, .height = 255},
            // Work fields beyond the client width, each with its tag label
            {.kind = K::Label, .name = "Label13", .index = 0, .text = "总温度", .left = 5820, .top = 1440, .width = 735, .height = 255, .workField = true},
            {.kind = K::TextBox, .name = "Text10", .text = "Text10", .left = 6600, .top = 1440, .width = 1215, .height = 270, .workField = true, .filledBy = {ByArea}, .role = "蒸汽焓"},
            {.kind = K::Label, .name = "Label13", .index = 1, .text = "饱和温度", .left = 5820, .top = 1920, .width = 735, .height = 255, .workField = true},
            {.kind = K::TextBox, .name = "Text11", .text = "Text11", .left = 6600, .top = 1920, .width = 1215, .height = 270, .workField = true, .filledBy = {ByArea}, .role = "饱和温度"},
            {.kind = K::Label, .name = "Label13", .index = 2, .text = "1#温差", .left = 5820, .top = 2520, .width = 735, .height = 255, .workField = true},
            {.kind = K::TextBox, .name = "Text14", .text = "Text14", .left = 6600, .top = 2520, .width = 1215, .height = 270, .workField = true, .filledBy = {ByArea}, .role = "凝结段对数平均温差"},
            {.kind = K::Label, .name = "Label13", .index = 3, .text = "2#温差", .left = 5820, .top = 3120, .width = 735, .height = 255, .workField = true},
            {.kind = K::TextBox, .name = "Text15", .text = "Text15", .left = 6600, .top = 3120, .width = 1215, .height = 270, .workField = true, .filledBy = {ByArea}, .role = "过冷段对数平均温差"},
            {.kind = K::Label, .name = "Label13", .index = 4, .text = "1#面积", .left = 8580, .top = 1440, .width = 735, .height = 255, .workField = true},
            {.kind = K::TextBox, .name = "Text16", .text = "Text16", .left = 9360, .top = 1440, .width = 1215, .height = 270, .workField = true, .filledBy = {ByArea}, .role = "凝结段换热面积"},
            {.kind = K::Label, .name = "Label13", .index = 5, .text = "2#面积", .left = 8580, .top = 2040, .width = 735, .height = 255, .workField = true},
            {.kind = K::TextBox, .name = "Text17", .text = "Text17", .left = 9360, .top = 2040, .width = 1215, .height = 270, .workField = true, .filledBy = {ByArea}, .role = "过冷段换热面积"},
            {.kind = K::Label, .name = "Label13", .index = 6, .text = "1#WM", .left = 8580, .top = 2640, .width = 735, .height = 255, .workField = true},
            {.kind = K::TextBox, .name = "Text18", .text = "Text18", .left = 9360, .top = 2640, .width = 1215, .height = 270, .workField = true, .filledBy = {ByArea}, .role = "凝结段换热量"},
            {.kind = K::Label, .name = "Label13", .index = 7, .text = "2#WM", .left = 8580, .top = 3240, .width = 735, .height = 255, .workField = true},
            {.kind = K::TextBox, .name = "Text22", .text = "Text22", .left = 9360, .top = 3240, .width = 1215, .height = 270, .workField = true, .filledBy = {ByArea}, .role = "过冷段换热量"},
            {.kind = K::Label, .name = "Label13", .index = 8, .text = "单管面积", .left = 6060, .top = 4080, .width = 735, .height = 255, .workField = true},
            {.kind = K::TextBox, .name = "Text28", .text = "Text28", .left = 6840, .top = 4080, .width = 1215, .height = 270, .workField = true, .filledBy = {ByArea}, .role = "单管换热面积"},
            {.kind = K::Label, .name = "Label31", .index = 0, .text = "换热管的总界面积", .left = 5820, .top = 4680, .width = 1095, .height = 255, .workField = true},
            {.kind = K::TextBox, .name = "Text29", .text = "Text29", .left = 6960, .top = 4680, .width = 1215, .height = 270, .workField = true, .filledBy = {ByArea}, .role = "管程流通面积"},
            {.kind = K::Label, .name = "Label31", .index = 1, .text = "外壳尽总面积", .left = 5820, .top = 5160, .width = 1095, .height = 255, .workField = true},
            {.kind = K::TextBox, .name = "Text30", .text = "Text30", .left = 6960, .top = 5160, .width = 1215, .height = 270, .workField = true, .filledBy = {ByArea}, .role = "壳程流通面积"},
        },
    };
}
// clang-format on

}  // namespace

const FormDesign& Fo23::designTable()
{
    static const FormDesign design = makeDesign();
    return design;
}

}  // namespace heatcalc
