#pragma once

#include "calc/state.h"
#include "tools/replay/log.h"
#include "tools/replay/script.h"

#include <istream>
#include <ostream>

namespace replay {

// The program as a replay drives it: started as the program starts, then acted on as the user.
class Driver {
public:
    virtual ~Driver() = default;
    // Loads and shows the main window.
    virtual void start() = 0;
    // False when the event's control is disabled, hidden or not loaded, or the program has
    // ended: the user cannot act on it.
    virtual bool canPerform(const Event& event) = 0;
    // Acts as the user; several keystrokes stop early once the box can take no more.
    virtual void perform(const Event& event) = 0;
    virtual const calc::CalcState& state() const = 0;
};

// Reads the script line by line, performs each event and logs it. Returns 0, or 2 after a line
// that does not parse, named on `errors`.
int run(std::istream& script, Driver& driver, JsonLog& log, std::ostream& errors);

} // namespace replay
