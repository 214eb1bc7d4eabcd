#pragma once

#include "sheet/sheet.h"
#include "ui/controls/controls.h"

#include <optional>

namespace ui {

// A result row's look as a table list shows it: the calculation gives each row its look as the
// sheet prints it, and a plain row is left as the list draws it.
inline std::optional<controls::TableList::Look> tableLook(sheet::Look look) {
    using Shown = controls::TableList::Look;
    switch (look) {
    case sheet::Look::Recommended:
        return Shown::Recommended;
    case sheet::Look::Above:
        return Shown::Above;
    case sheet::Look::Below:
        return Shown::Below;
    case sheet::Look::Plain:
        break;
    }
    return std::nullopt;
}

} // namespace ui
