#pragma once

#include "network/texts.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// The copy of a network's unsaved inputs that the program keeps while the user works, so that a
// crash or a killed process loses no more than the last few seconds. It holds the texts as typed,
// faults and all, which a network file would refuse; a small JSON file of its own, described in
// docs/guide.md's section on the recovery copy.
namespace network {

struct RecoveryCopy {
    NetworkTexts texts;
    // The file the network belongs to, UTF-8; empty for one never saved.
    std::string path;
    // When the copy was written, the computer's local time as "2026-12-09 15:30:12".
    std::string time;

    bool operator==(const RecoveryCopy& other) const {
        return texts == other.texts && path == other.path && time == other.time;
    }
};

// The copy's file name in the user's data folder.
inline constexpr std::string_view kRecoveryFileName = "network-recovery.json";
// The largest copy read: a network's texts are a few hundred kB for thousands of segments.
inline constexpr std::size_t kLargestRecovery = 16 * 1024 * 1024;

std::string recoveryJson(const RecoveryCopy& copy);

// The copy a file's bytes hold, or the first fault: the field and what is wrong with it. Every
// field is checked, and a key the format does not have is refused, so that a copy of another
// version is not half read.
struct RecoveryReading {
    std::optional<RecoveryCopy> copy;
    std::string fault;
};
RecoveryReading readRecovery(std::string_view bytes);

} // namespace network
