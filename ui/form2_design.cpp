#include "ui/design.h"

namespace ui {

namespace {

constexpr ControlDescription kControls[] = {
    {.name = {},
     .kind = Kind::Caption,
     .at = {120, 120, 855, 255},
     .text = "温度",
     .look = CaptionLook::Centred},
    {.name = {},
     .kind = Kind::Caption,
     .at = {120, 360, 855, 255},
     .text = "（℃）",
     .look = CaptionLook::Centred},
    {.name = {},
     .kind = Kind::Caption,
     .at = {1080, 120, 855, 255},
     .text = "压力",
     .look = CaptionLook::Centred},
    {.name = {},
     .kind = Kind::Caption,
     .at = {1080, 360, 855, 255},
     .text = "（bar）",
     .look = CaptionLook::Centred},
    {.name = {},
     .kind = Kind::Caption,
     .at = {2400, 120, 855, 255},
     .text = "密度",
     .look = CaptionLook::Centred},
    {.name = {},
     .kind = Kind::Caption,
     .at = {2400, 360, 855, 255},
     .text = "（kg/m3）",
     .look = CaptionLook::Centred},
    {.name = {},
     .kind = Kind::Caption,
     .at = {3720, 120, 855, 255},
     .text = "气化潜热",
     .look = CaptionLook::Centred},
    {.name = {},
     .kind = Kind::Caption,
     .at = {3720, 360, 855, 255},
     .text = "（kJ/kg）",
     .look = CaptionLook::Centred},
    // The edit field over its list, which is always shown.
    {.name = "Combo1",
     .kind = Kind::SimpleCombo,
     .at = {120, 720, 4815, 2880},
     .accessibleName = "所选的行",
     .description = "干饱和水蒸汽表：温度、压力、密度、气化潜热",
     .tab = 2},
    {.name = "Command1",
     .kind = Kind::PushButton,
     .at = {3600, 3720, 1215, 375},
     .text = "返  回",
     .tab = 1},
    {.name = "Label9", .kind = Kind::Label, .at = {240, 3720, 2655, 255}, .text = "Label9"},
};

} // namespace

const WindowDescription kForm2Design{.name = "Form2",
                                     .title = "干饱和水蒸汽的密度查询",
                                     .widthTwips = 5055,
                                     .heightTwips = 4185,
                                     .controls = kControls,
                                     .focus = "Command1",
                                     .cancel = "Command1"};

} // namespace ui
