// Replays an event script from standard input on the program's logic and writes what the
// program did as JSON Lines to standard output. The format is in docs/event-scripts.md.
#include "tools/replay/memory_session.h"

#include <iostream>
#include <string_view>

int main(int argc, char** argv) {
    if (argc > 1) {
        std::cerr << "usage: replay < script\n";
        return 2;
    }
    (void)argv;
    replay::JsonLog log(std::cout);
    replay::MemorySession session(&log);
    return replay::run(std::cin, session, log, std::cerr);
}
