#pragma once

#include "ui/controls/controls.h"
#include "ui/network_document.h"

#include <filesystem>
#include <functional>
#include <optional>
#include <string>

namespace ui {

// Where the toolkit keeps the recovery copy, and what it keeps time by.
struct RecoveryPlace {
    // The user's data folder (UTF-8), made where it is missing; none: no copy is kept or offered.
    std::string folder;
    controls::Timer* timer = nullptr;
    // The computer's local time, as "2026-12-09 15:30:12".
    std::function<std::string()> now;
};

// The copy is written this long after the last change: typing a figure is a burst of changes a
// few hundred milliseconds apart, and a pause of three seconds ends one, so that a crash loses at
// most the last figure typed and the disk is not written at every key.
inline constexpr int kRecoveryDelayMs = 3000;

// The copy of the network's unsaved inputs, kept while they are unsaved, so that a crash or a
// killed process loses no more than the last few seconds; and offered at the next start.
class NetworkRecovery {
public:
    NetworkRecovery(RecoveryPlace place, std::optional<NetworkDocument>& document);

    // After every change of the document: unsaved, a copy is due a few seconds after the last
    // change; saved again, or back to its saved state, none is kept.
    void changed();
    // The changes are saved or given up: the copy goes.
    void discard();
    // The copy a crash left, offered: restored into the document (true), or removed at the user's
    // word. A copy the program cannot use is not offered and left where it is: it may be another
    // version's, and the next copy replaces it.
    bool offer(controls::Question& question);

private:
    std::filesystem::path file() const;
    void write();

    RecoveryPlace m_place;
    std::optional<NetworkDocument>& m_document;
};

} // namespace ui
