#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

namespace network {

// The offset of the first byte that is not part of well-formed UTF-8 (no overlong forms, no
// surrogates, nothing above U+10FFFF), or none when all of it is.
std::optional<std::size_t> firstNonUtf8(std::string_view text);

} // namespace network
