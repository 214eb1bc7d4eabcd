#include "ui/design.h"

namespace ui {

namespace {

// A screen reader reads a text box by its name, so each is named after its frame; value labels
// and lists keep their shown text as their name (a name set on a label would hide its value)
// and say what they show in their description.
constexpr ControlDescription kControls[] = {
    {.name = "Frame1", .kind = Kind::Frame, .at = {120, 240, 3015, 855}, .text = "蒸汽质量流量（G）"},
    {.name = "Frame2", .kind = Kind::Frame, .at = {120, 1320, 3015, 1335},
     .text = "管道当量绝对粗糙度（K）"},
    {.name = "Frame4", .kind = Kind::Frame, .at = {120, 2880, 3015, 1335}, .text = "密度（ρ）"},
    {.name = "Frame3", .kind = Kind::Frame, .at = {120, 4440, 3015, 2055}, .text = "管径"},
    {.name = "Frame5", .kind = Kind::Frame, .at = {3360, 240, 3015, 5655}, .text = "计算结果"},

    {.name = "Text1", .kind = Kind::TextBox, .parent = "Frame1", .at = {120, 360, 1335, 300},
     .text = "0", .accessibleName = "蒸汽质量流量（G）",
     .description = "蒸汽质量流量的数值，单位在右侧列表中选择", .tab = 1},
    {.name = "Text2", .kind = Kind::TextBox, .parent = "Frame2", .at = {120, 360, 1335, 300},
     .text = "0.2", .accessibleName = "管道当量绝对粗糙度（K）",
     .description = "粗糙度的数值，单位在右侧列表中选择", .tab = 3},
    {.name = "Text3", .kind = Kind::TextBox, .parent = "Frame4", .at = {120, 360, 1455, 270},
     .text = "1", .accessibleName = "密度（ρ）", .description = "蒸汽密度，单位 kg/m3", .tab = 7},
    {.name = "Text4", .kind = Kind::TextBox, .parent = "Frame3", .at = {1800, 1680, 1095, 270},
     .text = "Text4", .accessibleName = "自定义管内径", .description = "管内径，单位 mm",
     .tab = 15},
    {.name = "Combo1", .kind = Kind::DropDownList, .parent = "Frame1",
     .at = {1560, 360, 1335, 300}, .description = "蒸汽质量流量的单位", .tab = 2},
    {.name = "Combo2", .kind = Kind::DropDownList, .parent = "Frame2",
     .at = {1560, 360, 1335, 300}, .description = "粗糙度的单位", .tab = 4},
    {.name = "Combo3", .kind = Kind::DropDownList, .parent = "Frame3",
     .at = {1440, 360, 1455, 300}, .description = "焊接钢管的公称直径", .tab = 8},
    {.name = "Combo4", .kind = Kind::DropDownList, .parent = "Frame3",
     .at = {480, 1200, 1095, 300}, .description = "无缝钢管的外径", .tab = 10},
    {.name = "Combo5", .kind = Kind::DropDownList, .parent = "Frame3",
     .at = {1920, 1200, 975, 300}, .description = "无缝钢管的壁厚（mm）", .tab = 11},
    {.name = "Option1", .kind = Kind::OptionButton, .parent = "Frame3",
     .at = {120, 360, 1095, 255}, .text = "焊接钢管", .tab = 12},
    {.name = "Option2", .kind = Kind::OptionButton, .parent = "Frame3",
     .at = {120, 840, 2055, 255}, .text = "无缝钢管", .tab = 13},
    {.name = "Option3", .kind = Kind::OptionButton, .parent = "Frame3",
     .at = {120, 1680, 1455, 255}, .text = "自定义管内径", .tab = 14},
    {.name = "Command1", .kind = Kind::PushButton, .parent = "Frame2",
     .at = {120, 840, 2775, 375}, .text = "恢复默认值", .tab = 5},
    {.name = "Command2", .kind = Kind::PushButton, .parent = "Frame4",
     .at = {120, 840, 2775, 375}, .text = "干饱和蒸汽密度查询", .tab = 9},
    {.name = "Command3", .kind = Kind::PushButton, .at = {3360, 6120, 3015, 375},
     .text = "关  闭", .tab = 6},
    {.name = "Label4", .kind = Kind::Label, .parent = "Frame5", .at = {600, 4440, 2175, 255},
     .description = "计算结果：蒸汽流速"},
    {.name = "Label5", .kind = Kind::Label, .parent = "Frame5", .at = {600, 5280, 2175, 255},
     .description = "计算结果：比摩阻"},
    {.name = "Label7", .kind = Kind::Label, .parent = "Frame5", .at = {600, 720, 2175, 255},
     .description = "计算结果：蒸汽流量"},
    {.name = "Label10", .kind = Kind::Label, .parent = "Frame5", .at = {600, 2400, 2175, 255},
     .description = "计算结果：粗糙度"},
    {.name = "Label11", .kind = Kind::Label, .parent = "Frame5", .at = {600, 3240, 2175, 255},
     .description = "计算结果：管内径"},
    {.name = "Label13", .kind = Kind::Label, .parent = "Frame5", .at = {600, 1560, 2175, 255},
     .description = "计算结果：蒸汽密度"},

    {.name = {}, .kind = Kind::Caption, .parent = "Frame4", .at = {1800, 360, 735, 255},
     .text = "kg/m3"},
    {.name = {}, .kind = Kind::Caption, .parent = "Frame3", .at = {1680, 1200, 135, 255},
     .text = "*", .look = Look::Centred},
    {.name = {}, .kind = Kind::Caption, .parent = "Frame5", .at = {240, 360, 735, 255},
     .text = "蒸汽流量", .look = Look::Blue},
    {.name = {}, .kind = Kind::Caption, .parent = "Frame5", .at = {240, 1200, 735, 255},
     .text = "蒸汽密度", .look = Look::Blue},
    {.name = {}, .kind = Kind::Caption, .parent = "Frame5", .at = {240, 2040, 735, 255},
     .text = "粗 糙 度", .look = Look::Blue},
    {.name = {}, .kind = Kind::Caption, .parent = "Frame5", .at = {240, 2880, 735, 255},
     .text = "管 内 径", .look = Look::Blue},
    {.name = {}, .kind = Kind::Caption, .parent = "Frame5", .at = {360, 3600, 2415, 255},
     .text = "*  *  *  *  *  *  *  *  *", .look = Look::Centred},
    {.name = {}, .kind = Kind::Caption, .parent = "Frame5", .at = {240, 4080, 735, 255},
     .text = "蒸汽流速", .look = Look::Blue},
    {.name = {}, .kind = Kind::Caption, .parent = "Frame5", .at = {240, 4920, 735, 255},
     .text = "比 摩 阻", .look = Look::Blue},

    {.name = "mnuSteam", .kind = Kind::MenuCommand, .parent = "工具(&T)",
     .text = "蒸汽物性计算(&S)…"},
    {.name = "mnuSizing", .kind = Kind::MenuCommand, .parent = "工具(&T)",
     .text = "管径选择(&D)…"},
    {.name = "mnuGuide", .kind = Kind::MenuCommand, .parent = "帮助(&H)", .text = "使用说明(&G)"},
    {.name = "mnuAbout", .kind = Kind::MenuCommand, .parent = "帮助(&H)", .text = "关于(&A)"},
    {.name = "messages", .kind = Kind::MessageBox},
    {.name = "help", .kind = Kind::HelpWindows},
    {.name = "program", .kind = Kind::Program},
};

} // namespace

const WindowDescription kForm1Design{.name = "Form1",
                                     .title = "蒸汽流速计算",
                                     .widthTwips = 6495,
                                     .heightTwips = 6615,
                                     .controls = kControls,
                                     .focus = "Text1"};

} // namespace ui
