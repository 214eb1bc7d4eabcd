#include "tools/replay/session.h"

#include <string>

namespace replay {

int run(std::istream& script, Driver& driver, JsonLog& log, std::ostream& errors) {
    log.event(0);
    driver.start();
    log.state(driver.state());

    std::string line;
    for (int number = 1; std::getline(script, line); ++number) {
        const ParsedLine parsed = parseLine(line);
        if (!parsed.error.empty()) {
            errors << "line " << number << ": " << parsed.error << ": " << line << "\n";
            return 2;
        }
        if (!parsed.event)
            continue;
        if (!driver.canPerform(*parsed.event)) {
            log.ignored(number);
            continue;
        }
        log.event(number);
        driver.perform(*parsed.event);
        log.state(driver.state());
    }
    return 0;
}

} // namespace replay
