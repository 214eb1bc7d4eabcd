#pragma once

#include "network/network.h"

#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// What the steam-network command's parts share: cli.cpp's usage and reading, the drawing
// program beside it, and the commands kept in files of their own. The command line's own:
// nothing else includes it.
namespace network::cli {

// The reason and the usage on `err`; the status of wrong usage.
int usage(std::ostream& err, std::string_view why);

// `whole` on `out`, or the status of an output that could not be written, said on `err`.
int write(std::ostream& out, std::ostream& err, std::string_view whole);

// The network file's reading and calculation, or the status of its refusal, said on `err`.
struct Computed {
    std::optional<Network> network;
    Result result;
    int status = 0;
};
Computed compute(const std::string& file, std::ostream& err);

// A word that is none of a command's own options: "--", after which every word is a file, a
// file, or an option no command knows, which is wrong usage.
std::optional<int> operand(const std::string& arg, bool& options, std::vector<std::string>& files,
                           std::ostream& err);

// A command's words: each of `names` an option taking the next word as its value (in `values` at
// the name's place), at most once, and the rest files; the status of wrong usage where they are
// not, `needs` saying what a value missing is.
std::optional<int> valuedOptions(std::span<const std::string> args,
                                 std::span<const std::string_view> names,
                                 std::span<std::optional<std::string>> values,
                                 std::vector<std::string>& files, std::string_view needs,
                                 std::ostream& err);

// The program that draws with Qt's GUI module (steam-network-sheet), run beside this one with
// `args`: in this one's place, its status this one's. `what` names the drawing in a message
// ("PDF", "PNG").
int runDrawing(std::string_view what, std::span<const std::string> args, std::ostream& out,
               std::ostream& err);

// steam-network profile: profile_command.cpp.
int profileCommand(std::span<const std::string> args, std::ostream& out, std::ostream& err);

} // namespace network::cli
