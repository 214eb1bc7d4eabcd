#pragma once

// The controls over Qt widgets. Qt reports programmatic and user changes through different
// signals, and selects a combo box's first item by itself; these classes turn that into the
// one notification contract the logic relies on.

#include "ui/qt/qt_buttons.h"
#include "ui/qt/qt_dialogs.h"
#include "ui/qt/qt_grid.h"
#include "ui/qt/qt_lists.h"
#include "ui/qt/qt_pictures.h"
#include "ui/qt/qt_text_controls.h"
#include "ui/qt/qt_window.h"
