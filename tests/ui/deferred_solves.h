#pragma once

#include "ui/network_handlings.h"

#include <cstddef>
#include <utility>
#include <vector>

// Solves queued and answered when the test says, as a worker thread's would be, in an order the
// test fixes.
struct Deferred {
    ui::SolveExecutor executor() {
        return [this](ui::SolveJob job, ui::SolveDone done) {
            queued.emplace_back(std::move(job), std::move(done));
        };
    }
    void finish(std::size_t index) {
        auto& [job, done] = queued.at(index);
        done(job());
    }
    std::vector<std::pair<ui::SolveJob, ui::SolveDone>> queued;
};
