#include "ui/loaded_window.h"

namespace ui {

controls::Handler traced(const HandlingTrace& trace, std::string_view handling,
                         controls::Handler body) {
    return [&trace, handling, body = std::move(body)] {
        announce(trace, handling);
        body();
    };
}

} // namespace ui
