#include "ui/design.h"

namespace ui {

namespace {

// Laid out top to bottom in this order: the main window's inputs, the run's inputs side by side
// (each after its caption, wrapping whole), the table, its note, and the status beside the
// buttons.
constexpr ControlDescription kControls[] = {
    {.name = "mainFrame", .kind = Kind::Frame, .text = "主窗口的输入"},
    {.name = "mainFlow",
     .kind = Kind::Label,
     .parent = "mainFrame",
     .caption = "蒸汽流量",
     .description = "主窗口的蒸汽流量"},
    {.name = "mainDensity",
     .kind = Kind::Label,
     .parent = "mainFrame",
     .caption = "蒸汽密度",
     .description = "主窗口的蒸汽密度"},
    {.name = "mainRoughness",
     .kind = Kind::Label,
     .parent = "mainFrame",
     .caption = "粗 糙 度",
     .description = "主窗口的粗糙度"},
    {.name = {},
     .kind = Kind::Caption,
     .parent = "mainFrame",
     .text = "如需修改，请在主窗口中输入"},

    {.name = "runFrame", .kind = Kind::Frame, .text = "管段"},
    {.name = "series",
     .kind = Kind::DropDownList,
     .parent = "runFrame",
     .caption = "管材",
     .description = "管材：焊接钢管或无缝钢管",
     .tab = 1},
    {.name = "steam",
     .kind = Kind::DropDownList,
     .parent = "runFrame",
     .caption = "蒸汽",
     .description = "蒸汽：饱和蒸汽或过热蒸汽，决定推荐流速",
     .tab = 2},
    {.name = "length",
     .kind = Kind::TextBox,
     .parent = "runFrame",
     .at = {.width = 1095},
     .text = "100",
     .caption = "管段长度",
     .unit = "m",
     .accessibleName = "管段长度",
     .description = "管段长度，单位 m",
     .tab = 3},
    {.name = "localLoss",
     .kind = Kind::TextBox,
     .parent = "runFrame",
     .at = {.width = 1095},
     .text = "30",
     .caption = "局部损失（占沿程损失的 %）",
     .accessibleName = "局部损失（占沿程损失的 %）",
     .description = "局部损失占沿程摩擦损失的百分数",
     .tip = "局部损失占沿程摩擦损失的百分数：一般室外管网取 20～30，"
            "室内或管件多的管段取 30～50，方形补偿器多的管段可到约 120",
     .tab = 4},
    {.name = "limit",
     .kind = Kind::TextBox,
     .parent = "runFrame",
     .at = {.width = 1095},
     .caption = "比摩阻上限 (Pa/m)",
     .accessibleName = "比摩阻上限 (Pa/m)",
     .description = "推荐管径的比摩阻上限，留空则不限",
     .tip = "留空则不限；填写后只推荐比摩阻不高于此值的管径",
     .tab = 5},

    {.name = "table",
     .kind = Kind::TableList,
     .accessibleName = "各管径的计算结果",
     .description = "每行一种管径：内径、流速、比摩阻、管段压降、推荐流速和评价",
     .tab = 6},
    {.name = {},
     .kind = Kind::Caption,
     .text = "推荐流速为蒸汽管道的一般工程经验值，可按设计规范或本单位的规定取舍"},
    {.name = "status", .kind = Kind::StatusText, .description = "推荐的管径，或输入有误的原因"},
    {.name = "choose", .kind = Kind::PushButton, .at = {.width = 1215}, .text = "选用", .tab = 7},
    {.name = "back", .kind = Kind::PushButton, .at = {.width = 1215}, .text = "返  回", .tab = 8},

    // The calculation sheet's commands in a menu, as in the network window, Ctrl+P among them.
    {.name = "exportSheet", .kind = Kind::MenuCommand, .parent = "文件(&F)", .text = "导出(&E)…"},
    {.name = "exportPdf", .kind = Kind::MenuCommand, .parent = "文件(&F)", .text = "导出 PDF(&D)…"},
    {.name = "print", .kind = Kind::MenuCommand, .parent = "文件(&F)", .text = "打印(&P)…"},
    {.name = "messages", .kind = Kind::MessageBox},
    {.name = "files", .kind = Kind::FileDialogs},
    {.name = "sheet", .kind = Kind::SheetOutput},
};

} // namespace

// The arrow keys move through the sizes at once: the table has the focus, and Enter there
// chooses a size as 选用 does (which does nothing while it is disabled).
const WindowDescription kSizingDesign{.name = "Sizing",
                                      .title = "管径选择",
                                      .widthTwips = 0,
                                      .heightTwips = 0,
                                      .controls = kControls,
                                      .focus = "table",
                                      .cancel = "back",
                                      .enter = "choose"};

} // namespace ui
