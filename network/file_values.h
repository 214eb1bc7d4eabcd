#pragma once

#include "files/text.h"

#include <nlohmann/json.hpp>

#include <algorithm>
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

// Taking a network file's parsed values apart, key by key: the file reader's own. The reading
// stops at the first fault, thrown as a Refusal that the reader turns into its one message.
namespace network::reader {

// The writer keeps the keys in the order docs/network-file.md lists them.
using Json = nlohmann::ordered_json;

struct Refusal {
    std::string where;
    std::string why;
};

const Json* member(const Json& object, const std::string& key);
const Json& required(const Json& object, const std::string& key, const std::string& where);
// Refuses a value of another type than `kind` names, saying what the file holds instead.
void expect(bool ok, const Json& value, const std::string& where, std::string_view kind);
std::string text(const Json& value, const std::string& where);
double number(const Json& value, const std::string& where);
// Absent or null: none.
std::optional<double> optionalNumber(const Json* value, const std::string& where);

// "a、b 或 c": the names a value may take, and `orElse` after them where something else may stand
// in their place.
std::string alternatives(const std::string_view* names, std::size_t count,
                         std::string_view orElse = {});

// A name from a short list, or the fault that lists them.
template <std::size_t N>
std::size_t oneOf(const Json& value, const std::string& where, std::string_view what,
                  const std::array<std::string_view, N>& names, std::string_view orElse = {}) {
    const std::string name = text(value, where);
    const auto found = std::find(names.begin(), names.end(), name);
    if (found != names.end())
        return static_cast<std::size_t>(found - names.begin());
    throw Refusal{where, "未知的" + std::string(what) + " " + files::inQuotes(name) + "：应为 " +
                             alternatives(names.data(), N, orElse)};
}

} // namespace network::reader
