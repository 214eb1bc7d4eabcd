// Arbitrary bytes as a recovery copy. A refused copy says which field and why; an accepted one
// writes a text that reads back as the same copy and the same text, so that restoring it and
// keeping it again loses nothing.
#include "network/recovery.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace {

// libFuzzer then shows the input and keeps it; the seed replay names the file before running it.
void check(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "recovery_fuzz: %s\n", what);
        std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    const network::RecoveryReading reading = network::readRecovery(bytes);
    check(reading.copy.has_value() == reading.fault.empty(), "a copy with a fault, or neither");
    if (!reading.copy)
        return 0;
    const std::string written = network::recoveryJson(*reading.copy);
    const network::RecoveryReading again = network::readRecovery(written);
    check(again.copy.has_value(), "a copy it wrote itself refused");
    check(*again.copy == *reading.copy, "a copy that reads back changed");
    check(network::recoveryJson(*again.copy) == written, "a copy written twice two ways");
    return 0;
}
