#pragma once

#include "calc/state.h"
#include "ui/controls/memory_gui.h"

#include <ostream>
#include <string>
#include <string_view>

// The replay log: one JSON object a line, in the order things happen.
namespace replay {

std::string jsonString(std::string_view utf8);
// C99 hexadecimal form ("0x1.eb851ep-3"), so that a comparison sees every bit.
std::string hexFloat(double value);

class JsonLog {
public:
    explicit JsonLog(std::ostream& out) : m_out(out) {}

    void event(int line);
    void ignored(int line);
    void handling(std::string_view name);
    void op(const controls::memory::Op& op);
    void state(const calc::CalcState& state);

private:
    std::ostream& m_out;
};

} // namespace replay
