#pragma once

#include <ostream>
#include <span>
#include <string>
#include <vector>

// The steam-network command: the pipe catalogue and a network file's calculation, as CSV or
// JSON, for scripts and spreadsheets. It knows no GUI toolkit.
namespace network {

// Exit statuses: 0 done, 2 a file refused (its message on `err`), 3 a network with heat loss
// that did not settle (its message on `err`), 64 wrong usage (EX_USAGE of
// sysexits.h; the usage on `err`), 1 the output could not be written.
inline constexpr int kExitRefused = 2;
inline constexpr int kExitNotConverged = 3; // with heat loss, the flows did not settle
inline constexpr int kExitUsage = 64;
inline constexpr int kExitOutputFailed = 1;

// `args` are the words after the program's name. What goes to `out` is written only once it is
// whole, so that a refused file leaves `out` untouched.
int runCommandLine(std::span<const std::string> args, std::ostream& out, std::ostream& err);

// The words after a command's name, as UTF-8 on every system (Windows hands main() its code
// page's text, which cannot hold every file name), and its standard output and error set to
// write UTF-8 bytes as they are (on Windows no \r before each \n, and a console showing UTF-8).
std::vector<std::string> commandLine(int argc, char** argv);

} // namespace network
