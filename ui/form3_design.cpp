#include "ui/design.h"

namespace ui {

namespace {

constexpr ControlDescription kControls[] = {
    {.name = "Frame1", .kind = Kind::Frame, .at = {120, 240, 3135, 855}, .text = "压力"},
    {.name = "Frame2", .kind = Kind::Frame, .at = {120, 1320, 3135, 1335}, .text = "状态"},
    {.name = "Frame3", .kind = Kind::Frame, .at = {3480, 240, 3615, 3015}, .text = "计算结果"},

    {.name = "Text1", .kind = Kind::TextBox, .parent = "Frame1", .at = {120, 360, 1095, 300},
     .text = "1", .accessibleName = "压力", .description = "蒸汽压力的数值，单位在右侧列表中选择",
     .tab = 1},
    {.name = "Combo1", .kind = Kind::DropDownList, .parent = "Frame1",
     .at = {1320, 360, 1695, 300}, .description = "压力的单位，表压或绝压", .tab = 2},
    {.name = "Option1", .kind = Kind::OptionButton, .parent = "Frame2",
     .at = {120, 360, 1335, 255}, .text = "饱和蒸汽", .tab = 3},
    {.name = "Option2", .kind = Kind::OptionButton, .parent = "Frame2",
     .at = {1560, 360, 1455, 255}, .text = "过热蒸汽", .tab = 4},
    {.name = "Text2", .kind = Kind::TextBox, .parent = "Frame2", .at = {960, 840, 1335, 300},
     .text = "250", .accessibleName = "温度", .description = "过热蒸汽的温度，单位 ℃", .tab = 5},
    {.name = "Command1", .kind = Kind::PushButton, .at = {120, 2880, 1500, 375},
     .text = "采用此密度", .tab = 6},
    {.name = "Command2", .kind = Kind::PushButton, .at = {1755, 2880, 1500, 375},
     .text = "返  回", .tab = 7},
    {.name = "Label7", .kind = Kind::Label, .parent = "Frame3", .at = {1080, 360, 2415, 255},
     .description = "计算结果：饱和温度"},
    // The longest fault takes two lines of the column, three with a larger font.
    {.name = "Label8", .kind = Kind::StatusText, .parent = "Frame3",
     .at = {1080, 840, 2415, 765}, .description = "计算结果：状态，或输入有误的原因"},
    {.name = "Label9", .kind = Kind::Label, .parent = "Frame3", .at = {1080, 1680, 2415, 255},
     .description = "计算结果：密度"},
    {.name = "Label10", .kind = Kind::Label, .parent = "Frame3", .at = {1080, 2160, 2415, 255},
     .description = "计算结果：比容"},
    {.name = "Label11", .kind = Kind::Label, .parent = "Frame3", .at = {1080, 2640, 2415, 255},
     .description = "计算结果：比焓"},

    {.name = {}, .kind = Kind::Caption, .parent = "Frame2", .at = {360, 840, 495, 300},
     .text = "温度"},
    {.name = {}, .kind = Kind::Caption, .parent = "Frame2", .at = {2400, 840, 375, 300},
     .text = "℃"},
    {.name = {}, .kind = Kind::Caption, .parent = "Frame3", .at = {240, 360, 735, 255},
     .text = "饱和温度", .look = Look::Blue},
    {.name = {}, .kind = Kind::Caption, .parent = "Frame3", .at = {240, 840, 735, 255},
     .text = "状    态", .look = Look::Blue},
    {.name = {}, .kind = Kind::Caption, .parent = "Frame3", .at = {240, 1680, 735, 255},
     .text = "密    度", .look = Look::Blue},
    {.name = {}, .kind = Kind::Caption, .parent = "Frame3", .at = {240, 2160, 735, 255},
     .text = "比    容", .look = Look::Blue},
    {.name = {}, .kind = Kind::Caption, .parent = "Frame3", .at = {240, 2640, 735, 255},
     .text = "比    焓", .look = Look::Blue},
};

} // namespace

const WindowDescription kForm3Design{.name = "Form3",
                                     .title = "蒸汽物性计算",
                                     .widthTwips = 7215,
                                     .heightTwips = 3375,
                                     .controls = kControls,
                                     .focus = "Text1",
                                     .cancel = "Command2"};

} // namespace ui
