#pragma once

#include "sheet/text.h"

// The text checks live with the sheets, the lowest layer, whose file messages quote names too.
namespace network {
using sheet::firstNonUtf8;
using sheet::inQuotes;
} // namespace network
